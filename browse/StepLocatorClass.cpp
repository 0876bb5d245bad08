#include "browse/StepLocatorClass.h"

#include "browse/BrowseClass.h"
#include "runtime/host/Assert.h"
#include "runtime/controls/Events.h"
#include "runtime/text/TextCase.h"
#include "runtime/gui/Window.h"

namespace {

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// The first character of a text, as its UTF-8 bytes.
std::string firstCharacter(const std::string& text) {
    if (text.empty()) return {};
    std::size_t n = 1;
    while (n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) ++n;
    return text.substr(0, n);
}

// Sorts after every character a person types: a descending order's seek for
// "B" then starts at the last entry that begins with it.
constexpr char32_t kHighCharacter = 254;

}  // namespace

void StepLocatorClass::Init(int control, rt::FieldRef freeElement, bool noCase) {
    LocatorClass::Init(control, freeElement, noCase);
    RT_ASSERT(BrowseManager, "The Step Locator require a BrowseClass");
}

std::string StepLocatorClass::folded(const std::string& text) const {
    return NoCase ? rt::upper(text) : text;
}

bool StepLocatorClass::TakeKey() {
    BrowseClass& browse = *BrowseManager;
    rt::Window* w = browse.Window ? browse.Window->MyWindow : nullptr;
    char32_t typed = w ? w->keyCharacter() : 0;
    if (typed == 0) return false;
    std::string character = utf8(typed);
    bool handled = false;
    if (browse.Records() != 0) {
        handled = true;
        browse.ScrollOne(rt::EventScrollDown);
        browse.UpdateBuffer();
    }
    std::string current = firstCharacter(FreeElement.get().text());
    if (!current.empty() && folded(current) == folded(character)) return handled;
    std::string wanted = folded(character);
    if (!browse.GetFieldAscending(FreeElement)) wanted += utf8(kHighCharacter);
    FreeElement.set(rt::Value(wanted));
    return true;
}
