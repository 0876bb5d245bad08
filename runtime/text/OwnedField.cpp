#include "runtime/text/OwnedField.h"

namespace rt {

OwnedField::OwnedField(const FieldRef& like) {
    switch (like.type()) {
        case FieldType::Text:
            ref_ = FieldRef(storage_.emplace<FixedText>(like.size()));
            break;
        case FieldType::Memo:
            ref_ = FieldRef(storage_.emplace<std::string>());
            break;
        case FieldType::Long:
            ref_ = FieldRef(storage_.emplace<std::int32_t>(0));
            break;
        case FieldType::Short:
            ref_ = FieldRef(storage_.emplace<std::int16_t>(0));
            break;
        case FieldType::Byte:
            ref_ = FieldRef(storage_.emplace<std::uint8_t>(0));
            break;
        case FieldType::Real:
            ref_ = FieldRef(storage_.emplace<double>(0.0));
            break;
        case FieldType::Date:
            ref_ = FieldRef(storage_.emplace<StoredDate>());
            break;
        case FieldType::None:
            break;
    }
}

}  // namespace rt
