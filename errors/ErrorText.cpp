#include "errors/ErrorText.h"

#include <algorithm>

#include "runtime/text/FixedText.h"

namespace {

char foldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool sameIgnoringCase(char a, char b) {
    return foldAscii(a) == foldAscii(b);
}

}  // namespace

std::string CutToCapacity(std::string_view text, std::size_t capacity) {
    if (capacity == 0) return {};
    return std::string(rt::utf8Prefix(text, capacity - 1));
}

std::string ClipToCapacity(std::string_view text, std::size_t capacity) {
    return CutToCapacity(rt::rightTrim(text), capacity);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), sameIgnoringCase);
}

std::size_t FindIgnoringCase(std::string_view haystack, std::string_view needle, std::size_t from) {
    if (from > haystack.size()) return std::string_view::npos;
    auto found = std::search(haystack.begin() + from, haystack.end(), needle.begin(), needle.end(),
                             sameIgnoringCase);
    if (found == haystack.end() && !needle.empty()) return std::string_view::npos;
    return static_cast<std::size_t>(found - haystack.begin());
}
