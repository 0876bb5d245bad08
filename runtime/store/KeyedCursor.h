#pragma once
// Where sequential reading stands in one order: at an end, at a set of
// leading term values (set to a key value), or at a record (after a read or a
// reset to a position). Writes the seek statement for the next read in either
// direction and keeps rows read ahead. Copyable: saved with a file's state.
//
// States: Start (next reads the first row, previous the last) -> Boundary
// (values [+ row id], inclusive or not). A read moves it to the row read,
// exclusive, so next and previous step off it.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "runtime/store/KeyedOrder.h"
#include "runtime/store/KeyedPosition.h"

namespace rt {

class KeyedCursor {
  public:
    explicit KeyedCursor(KeyedOrder order) : order_(std::move(order)) {}

    const KeyedOrder& order() const { return order_; }
    void toStart();
    // Reading starts at the first (next) or last (previous) row whose leading
    // terms equal or pass these values.
    void toValues(std::vector<SqlValue> values);
    void toRecord(const KeyedPosition& position, bool inclusive);
    bool atStart() const { return atStart_; }

    // The statement for the next `limit` rows and its parameters; `where` is
    // an extra condition every row must meet (a view's filter).
    std::string sql(const std::string& select, bool forward, int limit,
                    const std::string& where = {}) const;
    std::vector<SqlValue> parameters(bool forward) const;

    // Rows read ahead in one direction; dropped whenever the cursor moves
    // other than by reading on in that direction.
    std::deque<std::vector<SqlValue>>& ahead() { return ahead_; }
    bool aheadForward() const { return aheadForward_; }
    void setAhead(bool forward) { aheadForward_ = forward; }

  private:
    KeyedOrder order_;
    bool atStart_ = true;
    std::vector<SqlValue> values_;
    std::int64_t rowid_ = 0;
    bool withRowid_ = false;
    bool inclusive_ = true;
    std::deque<std::vector<SqlValue>> ahead_;
    bool aheadForward_ = true;
};

}  // namespace rt
