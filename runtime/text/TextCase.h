#pragma once
// The one way the runtime folds letter case: UPPER and LOWER in expressions,
// case-insensitive keys and view orders. The data-file driver registers
// upper() as its SQL function so that indexes, views and expressions agree.
// Pure functions, safe on any thread.

#include <string>
#include <string_view>

namespace rt {

// Full Unicode upper case of UTF-8 text: every letter with an upper-case
// form is folded, and a letter whose upper case is longer expands
// ("ß" -> "SS"). Invalid UTF-8 sequences come back as U+FFFD. Deterministic:
// the same input always gives the same bytes.
std::string upper(std::string_view text);
// Full Unicode lower case, the counterpart of upper().
std::string lower(std::string_view text);

}  // namespace rt
