#include "runtime/store/KeyedOrder.h"

#include <cstdio>
#include <limits>

#include "runtime/expr/ExprParser.h"
#include "runtime/store/StoredValue.h"

namespace rt {

namespace {

// Above every stored text: no UTF-8 text contains the byte 0xFF.
const std::string kTextCeiling = "\xff";

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

std::string quoteName(const std::string& name) {
    std::string out = "\"";
    for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

KeyedOrder KeyedOrder::fromKey(const FileDefinition& def, const KeyDefinition& key) {
    std::vector<SortTerm> terms;
    for (const auto& c : key.components)
        terms.push_back({c.field, c.ascending, key.noCase && def.fields()[c.field].ref.isText()});
    return KeyedOrder(def, std::move(terms));
}

std::optional<KeyedOrder> KeyedOrder::parse(const FileDefinition& def, std::string_view text,
                                            std::string* error) {
    OrderResult parsed = parseOrder(text);
    if (!parsed.ok()) {
        if (error) *error = parsed.error->message;
        return std::nullopt;
    }
    std::vector<SortTerm> terms;
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
            if (error)
                *error =
                    "the order term " + formatExpr(term.expr) + " names no field of " + def.label();
            return std::nullopt;
        }
        terms.push_back({field, term.ascending, folded && def.fields()[field].ref.isText()});
    }
    return KeyedOrder(def, std::move(terms));
}

std::string KeyedOrder::indexName(const std::string& table) const {
    return table + "_order_" + fnv1a(indexColumns());
}

std::string KeyedOrder::expression(std::size_t term) const {
    const SortTerm& t = terms_[term];
    std::string column = quoteName(columnName(def_->fields()[t.field].label));
    return t.folded ? "rt_upper(" + column + ")" : column;
}

std::string KeyedOrder::orderBy(bool forward) const {
    std::string out = " ORDER BY ";
    for (std::size_t i = 0; i < terms_.size(); ++i)
        out += expression(i) + (terms_[i].ascending == forward ? " ASC, " : " DESC, ");
    return out + (forward ? "rowid ASC" : "rowid DESC");
}

std::string KeyedOrder::seekLevel(bool forward, std::size_t term, std::size_t count, bool withRowid,
                                  bool inclusive) const {
    if (term == count) {
        std::string op = forward ? (inclusive ? ">=" : ">") : (inclusive ? "<=" : "<");
        return "rowid " + op + " ?" + std::to_string(count + 1);
    }
    bool up = terms_[term].ascending == forward;
    std::string e = expression(term), p = "?" + std::to_string(term + 1);
    std::string loose = up ? " >= " : " <= ", strict = up ? " > " : " < ";
    if (term + 1 == count && !withRowid) return e + (inclusive ? loose : strict) + p;
    return e + loose + p + " AND (" + e + strict + p + " OR " +
           seekLevel(forward, term + 1, count, withRowid, inclusive) + ")";
}

std::string KeyedOrder::seekCondition(bool forward, std::size_t count, bool withRowid,
                                      bool inclusive) const {
    if (count == 0 && !withRowid) return "1";
    return seekLevel(forward, 0, count, withRowid, inclusive);
}

std::string KeyedOrder::startCondition(bool forward) const {
    if (terms_.empty()) return forward ? "rowid >= ?1" : "rowid <= ?1";
    return expression(0) + (terms_[0].ascending == forward ? " >= ?1" : " <= ?1");
}

SqlValue KeyedOrder::startValue(bool forward) const {
    bool low = terms_.empty() ? forward : terms_[0].ascending == forward;
    if (terms_.empty())
        return low ? SqlValue(std::numeric_limits<std::int64_t>::min())
                   : SqlValue(std::numeric_limits<std::int64_t>::max());
    if (def_->fields()[terms_[0].field].ref.isText())
        return low ? SqlValue(std::string()) : SqlValue(kTextCeiling);
    return SqlValue(low ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max());
}

std::vector<SqlValue> KeyedOrder::bufferValues(std::size_t count) const {
    std::vector<SqlValue> values;
    for (std::size_t i = 0; i < count && i < terms_.size(); ++i)
        values.push_back(storedValue(def_->fields()[terms_[i].field].ref, terms_[i].folded));
    return values;
}

std::string KeyedOrder::indexColumns() const {
    std::string out;
    for (std::size_t i = 0; i < terms_.size(); ++i)
        out += (i ? ", " : "") + expression(i) + (terms_[i].ascending ? " ASC" : " DESC");
    return out;
}

bool KeyedOrder::servedBy(const KeyDefinition& key) const {
    KeyedOrder keyOrder = fromKey(*def_, key);
    if (keyOrder.terms_.size() != terms_.size()) return false;
    // A reversed index would serve the terms but not the row-id tie-break.
    return keyOrder.terms_ == terms_;
}

}  // namespace rt
