#include "browse/StepLocatorClass.h"

#include "browse/BrowseClass.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Assert.h"
#include "runtime/text/TextCase.h"

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

// Where the browse's highlighted row stands in its view.
std::string highlightedPosition(BrowseClass& browse) {
    BrowseQueue& queue = *browse.ListQueue;
    return queue.Fetch(browse.CurrentChoice) ? queue.GetViewPosition() : std::string();
}

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
    bool moved = false;
    if (browse.Records() != 0) {
        std::string before = highlightedPosition(browse);
        browse.ScrollOne(rt::EventScrollDown);
        browse.UpdateBuffer();
        moved = highlightedPosition(browse) != before;
    }
    std::string current = firstCharacter(FreeElement.get().text());
    // The next row starts with the character: it stays. Seeking its value
    // instead would land on the first of several equal values, and typing
    // the character again would never get past them. At the last row there
    // is no next one: the search wraps.
    if (moved && !current.empty() && folded(current) == folded(character)) return false;
    std::string wanted = folded(character);
    if (!browse.GetFieldAscending(FreeElement)) wanted += utf8(kHighCharacter);
    FreeElement.set(rt::Value(wanted));
    return true;
}
