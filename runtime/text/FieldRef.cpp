#include "runtime/text/FieldRef.h"

#include <cmath>

namespace rt {

namespace {

template <typename T>
T wrapInteger(double number) {
    if (std::isnan(number) || std::isinf(number)) return 0;
    double t = std::trunc(number);
    // Wrap through a 64-bit integer so out-of-range values keep their low bits.
    if (std::fabs(t) >= 9.2e18) return 0;
    return static_cast<T>(static_cast<std::uint64_t>(static_cast<std::int64_t>(t)));
}

}  // namespace

std::size_t FieldRef::size() const {
    switch (type_) {
        case FieldType::Text:
            return static_cast<FixedText*>(ptr_)->capacity();
        case FieldType::Memo:
            return 0;
        case FieldType::Long:
            return 4;
        case FieldType::Short:
            return 2;
        case FieldType::Byte:
            return 1;
        case FieldType::Real:
            return 8;
        case FieldType::Date:
            return 4;
        case FieldType::None:
            return 0;
    }
    return 0;
}

Value FieldRef::get() const {
    switch (type_) {
        case FieldType::Text:
            return Value(static_cast<FixedText*>(ptr_)->str());
        case FieldType::Memo:
            return Value(*static_cast<std::string*>(ptr_));
        case FieldType::Long:
            return Value(static_cast<double>(*static_cast<std::int32_t*>(ptr_)));
        case FieldType::Short:
            return Value(static_cast<double>(*static_cast<std::int16_t*>(ptr_)));
        case FieldType::Byte:
            return Value(static_cast<double>(*static_cast<std::uint8_t*>(ptr_)));
        case FieldType::Real:
            return Value(*static_cast<double*>(ptr_));
        case FieldType::Date:
            return Value(static_cast<double>(fromStored(*static_cast<StoredDate*>(ptr_))));
        case FieldType::None:
            return Value();
    }
    return Value();
}

void FieldRef::set(const Value& value) {
    switch (type_) {
        case FieldType::Text:
            static_cast<FixedText*>(ptr_)->assign(value.text());
            break;
        case FieldType::Memo:
            *static_cast<std::string*>(ptr_) = value.text();
            break;
        case FieldType::Long:
            *static_cast<std::int32_t*>(ptr_) = wrapInteger<std::int32_t>(value.number());
            break;
        case FieldType::Short:
            *static_cast<std::int16_t*>(ptr_) = wrapInteger<std::int16_t>(value.number());
            break;
        case FieldType::Byte:
            *static_cast<std::uint8_t*>(ptr_) = wrapInteger<std::uint8_t>(value.number());
            break;
        case FieldType::Real:
            *static_cast<double*>(ptr_) = value.number();
            break;
        case FieldType::Date:
            *static_cast<StoredDate*>(ptr_) = toStored(wrapInteger<std::int32_t>(value.number()));
            break;
        case FieldType::None:
            break;
    }
}

void FieldRef::clear() {
    if (isText())
        set(Value(std::string()));
    else
        set(Value(0.0));
}

int FieldRef::compare(const FieldRef& other) const {
    if (isText() && other.isText()) return compareText(get().text(), other.get().text());
    double a = get().number(), b = other.get().number();
    return (a > b) - (a < b);
}

}  // namespace rt
