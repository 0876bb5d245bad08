#include "runtime/store/View.h"

#include <optional>
#include <utility>

#include "runtime/expr/ExprParser.h"
#include "runtime/host/LastError.h"
#include "runtime/store/FileErrors.h"

namespace rt {

View::View(KeyedFile& primary)
    : primary_(primary), cursor_(KeyedOrder(primary.definition())), filter_(primary.definition()) {}

View::~View() = default;

int View::run(int op, const std::function<int()>& body) {
    primary_.viaView_ = true;
    int code = primary_.run(op, body);
    primary_.viaView_ = false;
    return code;
}

int View::open(int) {
    return run(OpOpen, [&] {
        if (open_) return static_cast<int>(ErrAlreadyOpen);
        if (int code = primary_.ready()) return code;
        open_ = true;
        ensureIndex(cursor_.order());
        cursor_.toStart();
        position_.clear();
        return 0;
    });
}

int View::close() {
    return run(OpClose, [&] {
        if (!open_) return static_cast<int>(ErrFileNotOpen);
        open_ = false;
        cursor_.toStart();
        return 0;
    });
}

int View::setOrder(std::string_view text) {
    return run(OpSetProperty, [&] {
        std::string error;
        std::optional<KeyedOrder> order = KeyedOrder::parse(primary_.definition(), text, &error);
        if (!order) {
            primary_.status_ = DbStatus{ErrDriver, {}, error};
            return static_cast<int>(ErrDriver);
        }
        orderText_ = std::string(text);
        cursor_ = KeyedCursor(std::move(*order));
        if (open_) ensureIndex(cursor_.order());
        position_.clear();
        return 0;
    });
}

int View::setFilter(std::string_view text) {
    return run(OpSetProperty, [&] {
        std::string error;
        if (!filter_.set(text, &error)) {
            primary_.status_ = DbStatus{ErrDriver, {}, error};
            return static_cast<int>(ErrDriver);
        }
        cursor_.toStart();
        position_.clear();
        return 0;
    });
}

void View::ensureIndex(const KeyedOrder& order) {
    if (order.terms().empty()) return;
    const FileDefinition& def = primary_.definition();
    for (const auto& key : def.keys())
        if (order.servedBy(key)) return;
    auto db = primary_.database();
    std::string name = order.indexName(primary_.table());
    if (!db || db->readOnly() || db->indexExists(name)) return;
    // Without the index the order still reads right, only slower: a file
    // another station is writing just goes without it this time, rather
    // than make the view wait for the other station's transaction.
    db->buildIndex("CREATE INDEX IF NOT EXISTS " + quoteName(name) + " ON " +
                       quoteName(primary_.table()) + "(" + order.indexColumns() + ")",
                   0);
}

std::vector<int> View::projection() const {
    if (!projection_.empty()) return projection_;
    std::vector<int> all(primary_.definition().fields().size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
    return all;
}

void View::setProjection(std::vector<int> fields) {
    projection_ = std::move(fields);
}

int View::set() {
    return run(OpSet, [&] {
        if (!open_) return static_cast<int>(ErrFileNotOpen);
        cursor_.toStart();
        return 0;
    });
}

int View::reset(std::size_t components) {
    return run(OpReset, [&] {
        if (!open_) return static_cast<int>(ErrFileNotOpen);
        std::size_t n = std::min(components, cursor_.order().terms().size());
        if (n == 0)
            cursor_.toStart();
        else
            cursor_.toValues(cursor_.order().bufferValues(n));
        return 0;
    });
}

int View::reset(std::string_view position) {
    return run(OpReset, [&] {
        if (!open_) return static_cast<int>(ErrFileNotOpen);
        auto pos = primary_.locate(cursor_.order(), position);
        if (!pos) return static_cast<int>(ErrNoRecord);
        cursor_.toRecord(*pos, true);
        return 0;
    });
}

int View::step(bool forward) {
    if (!open_) return ErrFileNotOpen;
    int limit = readAhead_ > 0 ? readAhead_ : pageSize_;
    for (;;) {
        int code = primary_.readStep(cursor_, forward, false, filter_.sql(), limit);
        if (code) return code;
        if (filter_.accepts()) break;
    }
    KeyedPosition pos = primary_.positionIn(cursor_.order());
    pos.stamp = primary_.stamp(true);
    position_ = pos.text();
    return 0;
}

int View::next() {
    return run(OpNext, [&] { return step(true); });
}

int View::previous() {
    return run(OpPrevious, [&] { return step(false); });
}

bool View::samePlace(std::string_view a, std::string_view b) {
    return KeyedPosition::samePlace(a, b);
}

int View::reget(std::string_view position) {
    bool watched = std::exchange(watching_, false);
    return run(OpReget, [&] {
        if (!open_) return static_cast<int>(ErrFileNotOpen);
        auto pos = KeyedPosition::parse(position);
        if (!pos) return static_cast<int>(ErrNoRecord);
        int code = primary_.readOne(primary_.selectList(true) + " WHERE rowid = ?1",
                                    {SqlValue(pos->rowid)});
        if (code == 0 && watched && pos->stamp != 0 &&
            primary_.stamp((pos->stamp & 1) != 0) != pos->stamp)
            return static_cast<int>(ErrChangedByAnother);
        return code;
    });
}

int View::watch() {
    return run(OpWatch, [&] {
        if (!open_) return static_cast<int>(ErrFileNotOpen);
        watching_ = true;
        return 0;
    });
}

int View::flush() {
    return run(OpFlush, [&] {
        cursor_.ahead().clear();
        return 0;
    });
}

void View::setBuffering(int pageSize, int, int, int) {
    pageSize_ = pageSize < 1 ? 1 : pageSize;
}

std::vector<std::string> View::TEST_pageReadStatements() const {
    std::vector<std::string> out;
    const KeyedOrder& order = cursor_.order();
    std::string select = primary_.selectList(true);
    for (bool forward : {true, false}) {
        KeyedCursor c(order);
        out.push_back(c.sql(select, forward, 30, filter_.sql()));
        for (std::size_t n = 1; n <= order.terms().size(); ++n) {
            c.toValues(std::vector<SqlValue>(n, SqlValue(std::string("x"))));
            out.push_back(c.sql(select, forward, 30, filter_.sql()));
        }
        for (bool inclusive : {true, false}) {
            c.toRecord(
                KeyedPosition{
                    std::vector<SqlValue>(order.terms().size(), SqlValue(std::string("x"))), 1},
                inclusive);
            out.push_back(c.sql(select, forward, 30, filter_.sql()));
        }
    }
    return out;
}

}  // namespace rt
