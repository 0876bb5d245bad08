#pragma once
// A view: the records of a primary keyed file in an order given by text
// ("+UPPER(PAS:TITLE),-PAS:LOCATION"), limited by a filter expression, read a
// page at a time with keyset seeks on an index (an order no key serves gets
// an index of its own, kept in the file, the first time a view uses it; a
// long build shows its progress). Reads fill the primary file's
// record buffer and make the record its current one. Borrows the primary
// file, which must outlive it; one thread at a time.
//
// States: closed -> open (order and filter applied; at the start) -> reading
// (at a record) -> closed. A new order or filter starts reading over.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/store/KeyedCursor.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/store/ViewFilter.h"

namespace rt {

class View {
  public:
    explicit View(KeyedFile& primary);
    ~View();
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    KeyedFile& primary() const { return primary_; }
    // 52 when already open, 37 when the primary file is not open.
    int open(int mode = ReadWrite | DenyWrite);
    int close();
    bool isOpen() const { return open_; }

    // Terms are field labels, optionally in UPPER(), each with "+" or "-".
    int setOrder(std::string_view text);
    const std::string& order() const { return orderText_; }
    int setFilter(std::string_view text);
    const std::string& filter() const { return filter_.text(); }
    // The fields the view projects, as indexes into the primary file's
    // fields, in order: every field unless setProjection named some.
    std::vector<int> projection() const;
    void setProjection(std::vector<int> fields);

    // To the start: next reads the first record, previous the last.
    int set();
    // To the record buffer's values of the order's first `components` terms.
    int reset(std::size_t components);
    // To a position text this view (in any order) handed out: next and
    // previous both read that record first.
    int reset(std::string_view position);
    int next();
    int previous();
    // The record last read: where it stands and a stamp of what it held.
    std::string position() const { return position_; }
    // Both positions name the same record at the same place in the order,
    // whatever happened to the rest of the record since.
    static bool samePlace(std::string_view a, std::string_view b);
    // Re-reads the record at a position into the buffer; after watch(), 89
    // when it is no longer what the position's read found (another station
    // changed it). 33 when it is gone.
    int reget(std::string_view position);
    // Makes the next reget compare; the stamp a reget reads with is the one
    // the position carries.
    int watch();
    int flush();

    void setBuffering(int pageSize, int pagesBehind, int pagesAhead, int timeoutSeconds);
    void setReadAhead(int rows) { readAhead_ = rows < 0 ? 0 : rows; }
    int readAhead() const { return readAhead_; }

    // SQL of each page-read statement of the current order and filter.
    std::vector<std::string> TEST_pageReadStatements() const;
    bool TEST_filterInSql() const { return !filter_.sql().empty(); }
    bool TEST_filterByRuntime() const { return filter_.evaluatedByRuntime(); }

  private:
    int run(int op, const std::function<int()>& body);
    void ensureIndex(const KeyedOrder& order);
    int step(bool forward);

    KeyedFile& primary_;
    bool open_ = false;
    std::string orderText_;
    KeyedCursor cursor_;
    ViewFilter filter_;
    std::string position_;
    bool watching_ = false;
    int readAhead_ = 0;
    int pageSize_ = 1;
    std::vector<int> projection_;
};

}  // namespace rt
