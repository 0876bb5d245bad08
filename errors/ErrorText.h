#pragma once
// Text rules shared by the error classes: fixed capacities counted in
// characters (a NUL-terminated text of capacity N keeps N - 1 of them), and
// placeholder matching that ignores the case of ASCII letters.

#include <cstddef>
#include <string>
#include <string_view>

// The longest prefix of text that a NUL-terminated buffer of `capacity`
// holds; never splits a UTF-8 sequence.
std::string CutToCapacity(std::string_view text, std::size_t capacity);
// Right-trims the trailing spaces, then cuts to the capacity.
std::string ClipToCapacity(std::string_view text, std::size_t capacity);

bool EqualIgnoringCase(std::string_view a, std::string_view b);
// First position of needle in haystack at or after `from`, ignoring case;
// npos when absent.
std::size_t FindIgnoringCase(std::string_view haystack, std::string_view needle,
                             std::size_t from = 0);
