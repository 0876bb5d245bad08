#include "runtime/store/KeyedCursor.h"

#include <cassert>

namespace rt {

void KeyedCursor::toStart() {
    atStart_ = true;
    values_.clear();
    ahead_.clear();
}

void KeyedCursor::toValues(std::vector<SqlValue> values) {
    // Invariant: a boundary names at most the order's terms, or the seek
    // condition would bind parameters it has no column for.
    assert(values.size() <= order_.terms().size());
    atStart_ = false;
    values_ = std::move(values);
    withRowid_ = false;
    inclusive_ = true;
    ahead_.clear();
}

void KeyedCursor::toRecord(const KeyedPosition& position, bool inclusive) {
    // Invariant: a record's position holds a value for every term of the
    // order, so the row id breaks ties only between equal keys.
    assert(position.values.size() == order_.terms().size());
    atStart_ = false;
    values_ = position.values;
    rowid_ = position.rowid;
    withRowid_ = true;
    inclusive_ = inclusive;
    ahead_.clear();
}

std::string KeyedCursor::sql(const std::string& select, bool forward, int limit,
                             const std::string& where) const {
    std::string seek = atStart_
                           ? order_.startCondition(forward)
                           : order_.seekCondition(forward, values_.size(), withRowid_, inclusive_);
    if (!where.empty()) seek = "(" + seek + ") AND (" + where + ")";
    return select + " WHERE " + seek + order_.orderBy(forward) + " LIMIT " + std::to_string(limit);
}

std::vector<SqlValue> KeyedCursor::parameters(bool forward) const {
    if (atStart_) return {order_.startValue(forward)};
    std::vector<SqlValue> params = values_;
    if (withRowid_) params.emplace_back(rowid_);
    return params;
}

}  // namespace rt
