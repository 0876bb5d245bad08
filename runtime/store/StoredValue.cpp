#include "runtime/store/StoredValue.h"

#include "runtime/text/TextCase.h"

namespace rt {

SqlValue storedValue(const FieldRef& field) {
    switch (field.type()) {
        case FieldType::Text:
        case FieldType::Memo:
            return SqlValue(rightTrim(field.get().text()));
        case FieldType::Real:
            return SqlValue(field.get().number());
        case FieldType::None:
            return SqlValue(std::int64_t{0});
        default:
            return SqlValue(static_cast<std::int64_t>(field.get().number()));
    }
}

SqlValue storedValue(const FieldRef& field, bool folded) {
    SqlValue value = storedValue(field);
    if (folded && field.isText()) return SqlValue(upper(std::get<std::string>(value)));
    return value;
}

void loadValue(FieldRef& field, const SqlValue& value) {
    if (auto* i = std::get_if<std::int64_t>(&value))
        field.set(Value(static_cast<double>(*i)));
    else if (auto* d = std::get_if<double>(&value))
        field.set(Value(*d));
    else
        field.set(Value(std::get<std::string>(value)));
}

const char* columnType(const FieldRef& field) {
    switch (field.type()) {
        case FieldType::Text:
        case FieldType::Memo:
            return "TEXT NOT NULL DEFAULT ''";
        case FieldType::Real:
            return "REAL NOT NULL DEFAULT 0";
        default:
            return "INTEGER NOT NULL DEFAULT 0";
    }
}

}  // namespace rt

namespace rt {

SqlValue foldedValue(const SqlValue& value) {
    if (auto* s = std::get_if<std::string>(&value)) return SqlValue(upper(*s));
    return value;
}

}  // namespace rt
