#include "app/Options.h"

#include <charconv>
#include <string>

#include "app/INIMgrClass.h"

namespace {

constexpr const char* kSection = "Options";

int number(const char* key, int fallback) {
    std::string text = INIMgr.TryFetch(kSection, key);
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return fallback;
    return value < 0 ? 0 : value;
}

}  // namespace

namespace Options {

int ClearClipboardSeconds() {
    return number("ClearClipboardSeconds", 10);
}

int ExpiryWarningDays() {
    return number("ExpiryWarningDays", 7);
}

int LockAfterMinutes() {
    return number("LockAfterMinutes", 5);
}

bool LockWithScreen() {
    return number("LockWithScreen", 1) != 0;
}

}  // namespace Options
