#include "data/FieldLimits.h"

#include <cstdint>
#include <limits>
#include <string>

#include "runtime/text/Date.h"

namespace {

// The largest code point: every stored text orders at or below a run of it.
constexpr const char* kHighestCharacter = "\xF4\x8F\xBF\xBF";

}  // namespace

void SetLowestValue(rt::FieldRef field) {
    switch (field.type()) {
        case rt::FieldType::Long:
            field.set(static_cast<double>(std::numeric_limits<std::int32_t>::min()));
            break;
        case rt::FieldType::Short:
            field.set(static_cast<double>(std::numeric_limits<std::int16_t>::min()));
            break;
        case rt::FieldType::Real:
            field.set(std::numeric_limits<double>::lowest());
            break;
        default:
            field.clear();  // blank text, 0 byte, no date
    }
}

void SetHighestValue(rt::FieldRef field) {
    switch (field.type()) {
        case rt::FieldType::Long:
            field.set(static_cast<double>(std::numeric_limits<std::int32_t>::max()));
            break;
        case rt::FieldType::Short:
            field.set(static_cast<double>(std::numeric_limits<std::int16_t>::max()));
            break;
        case rt::FieldType::Byte:
            field.set(255);
            break;
        case rt::FieldType::Real:
            field.set(std::numeric_limits<double>::max());
            break;
        case rt::FieldType::Date:
            field.set(static_cast<double>(rt::kLastDate));
            break;
        case rt::FieldType::Text:
        case rt::FieldType::Memo: {
            std::string high;
            for (std::size_t i = 0; i < (field.size() ? field.size() : 1); ++i)
                high += kHighestCharacter;
            field.set(rt::Value(high));
            break;
        }
        case rt::FieldType::None:
            break;
    }
}
