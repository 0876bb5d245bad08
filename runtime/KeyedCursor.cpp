#include "runtime/KeyedCursor.h"

namespace rt {

void KeyedCursor::toStart() {
    atStart_ = true;
    values_.clear();
    ahead_.clear();
}

void KeyedCursor::toValues(std::vector<SqlValue> values) {
    atStart_ = false;
    values_ = std::move(values);
    withRowid_ = false;
    inclusive_ = true;
    ahead_.clear();
}

void KeyedCursor::toRecord(const KeyedPosition& position, bool inclusive) {
    atStart_ = false;
    values_ = position.values;
    rowid_ = position.rowid;
    withRowid_ = true;
    inclusive_ = inclusive;
    ahead_.clear();
}

std::string KeyedCursor::sql(const std::string& select, bool forward, int limit) const {
    std::string where = atStart_
                            ? order_.startCondition(forward)
                            : order_.seekCondition(forward, values_.size(), withRowid_, inclusive_);
    return select + " WHERE " + where + order_.orderBy(forward) + " LIMIT " + std::to_string(limit);
}

std::vector<SqlValue> KeyedCursor::parameters(bool forward) const {
    if (atStart_) return {order_.startValue(forward)};
    std::vector<SqlValue> params = values_;
    if (withRowid_) params.emplace_back(rowid_);
    return params;
}

}  // namespace rt
