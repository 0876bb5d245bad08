#pragma once
// The text functions of the expression language that go beyond case folding
// (TextCase.h) and clipping (rightTrim in FixedText.h). They count characters
// of UTF-8 text, not bytes, and are exposed so that an SQL driver can register
// exactly the same functions. Pure functions, safe on any thread.

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// SUB(text, start, length): the characters of text at positions
// start .. start + length - 1, counted from 1; a negative start counts from
// the end (-1 is the last character). Positions outside the text are
// dropped, so a start past the end or a length of 0 or less gives "", and
// SUB('ABCDE', 0, 2) is 'A' (positions 0 and 1).
std::string subText(std::string_view text, std::int64_t start, std::int64_t length);

// INSTRING(sub, text, step, start): the character position (from 1) of the
// first occurrence of sub in text among the positions start, start + step,
// start + 2 * step, ...; a negative step searches backwards from start.
// 0 when not found, for an empty sub, and for a step of 0.
std::int64_t instring(std::string_view sub, std::string_view text, std::int64_t step = 1,
                      std::int64_t start = 1);

}  // namespace rt
