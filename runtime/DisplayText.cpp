#include "runtime/DisplayText.h"

namespace rt {

namespace {

std::string trimRight(std::string s) {
    s.erase(s.find_last_not_of(' ') + 1);
    return s;
}

}  // namespace

// Pictures beyond plain text and numbers are formatted by their value's own
// text until the picture service is merged in.
std::string formatForDisplay(const Value& value, const std::string& picture) {
    (void)picture;
    return trimRight(value.text());
}

void storeFromDisplay(FieldRef into, const std::string& text, const std::string& picture) {
    (void)picture;
    if (into.isNull()) return;
    if (into.isText()) {
        into.set(Value(text));
        return;
    }
    double number = 0;
    into.set(parseNumber(text, number) ? Value(number) : Value(0));
}

}  // namespace rt
