#include "runtime/store/View.h"

#include "runtime/expr/ExprParser.h"
#include "runtime/store/FileErrors.h"
#include "runtime/host/LastError.h"

namespace rt {

namespace {

// Stable across processes and builds: the name of an order's index is kept
// in the file and found again by the next program that uses the order.
std::string fnv1a(const std::string& text) {
    std::uint64_t h = 1469598103934665603ULL;
    for (unsigned char c : text) h = (h ^ c) * 1099511628211ULL;
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
    return buf;
}

}  // namespace

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
        if (!primary_.isOpen()) return static_cast<int>(ErrFileNotOpen);
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

int View::parseOrder(std::string_view text, std::vector<SortTerm>& terms,
                     std::string& error) const {
    OrderResult parsed = rt::parseOrder(text);
    if (!parsed.ok()) {
        error = parsed.error->message;
        return ErrDriver;
    }
    const FileDefinition& def = primary_.definition();
    for (const auto& term : parsed.terms) {
        const Expr* name = &term.expr;
        bool folded = false;
        if (name->kind == ExprKind::Call && name->function == Function::Upper &&
            name->args.size() == 1) {
            name = &name->args[0];
            folded = true;
        }
        int field = name->kind == ExprKind::Name ? def.fieldIndex(name->text) : -1;
        if (field < 0) {
            error = "the order term " + formatExpr(term.expr) + " names no field of " + def.label();
            return ErrDriver;
        }
        terms.push_back({field, term.ascending, folded && def.fields()[field].ref.isText()});
    }
    return 0;
}

int View::setOrder(std::string_view text) {
    return run(OpSetProperty, [&] {
        std::vector<SortTerm> terms;
        std::string error;
        if (int code = parseOrder(text, terms, error)) {
            primary_.status_ = DbStatus{code, {}, error};
            return code;
        }
        orderText_ = std::string(text);
        cursor_ = KeyedCursor(KeyedOrder(primary_.definition(), std::move(terms)));
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
    std::string columns = order.indexColumns();
    std::string name = primary_.table() + "_order_" + fnv1a(columns);
    if (!db || db->readOnly() || db->indexExists(name)) return;
    // Without the index the order still reads right, only slower: a file
    // another station is writing just goes without it this time, rather
    // than make the view wait for the other station's transaction.
    int previous = db->busyTimeout();
    db->setBusyTimeout(0);
    db->exec("CREATE INDEX IF NOT EXISTS " + quoteName(name) + " ON " +
             quoteName(primary_.table()) + "(" + columns + ")");
    db->setBusyTimeout(previous);
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
    position_ = primary_.positionIn(cursor_.order()).text();
    return 0;
}

int View::next() {
    return run(OpNext, [&] { return step(true); });
}

int View::previous() {
    return run(OpPrevious, [&] { return step(false); });
}

int View::reget(std::string_view position) {
    return run(OpReget, [&] {
        if (!open_) return static_cast<int>(ErrFileNotOpen);
        auto pos = KeyedPosition::parse(position);
        if (!pos) return static_cast<int>(ErrNoRecord);
        return primary_.readOne(primary_.selectList(true) + " WHERE rowid = ?1",
                                {SqlValue(pos->rowid)});
    });
}

int View::watch() {
    return run(OpWatch, [&] { return open_ ? 0 : static_cast<int>(ErrFileNotOpen); });
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
