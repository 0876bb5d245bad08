#include "runtime/picture/DisplayText.h"

#include "runtime/picture/Picture.h"

namespace rt {

namespace {

std::string trimRight(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

}  // namespace

std::string formatForDisplay(const Value& value, const std::string& picture) {
    auto compiled = Picture::compile(picture);
    if (!compiled || compiled->kind() == Picture::Kind::None) return trimRight(value.text());
    std::string shown = compiled->format(value);
    return compiled->kind() == Picture::Kind::Text ? trimRight(shown) : shown;
}

bool storeFromDisplay(FieldRef into, const std::string& text, const std::string& picture) {
    if (into.isNull()) return true;
    auto compiled = Picture::compile(picture);
    if (compiled && compiled->kind() != Picture::Kind::None) {
        std::optional<Value> read = compiled->deformat(text);
        if (!read) return false;
        into.set(*read);
        return true;
    }
    if (into.isText()) {
        into.set(Value(text));
        return true;
    }
    double number = 0;
    if (!parseNumber(text, number) && text.find_first_not_of(' ') != std::string::npos)
        return false;
    into.set(Value(number));
    return true;
}

}  // namespace rt
