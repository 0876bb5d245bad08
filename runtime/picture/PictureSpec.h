#pragma once
// The parsed parts of each picture family, as Picture compiles them from a
// picture string. Plain value types; the rules they stand for are in
// Picture.h.

#include <string>

namespace rt {

// @sN: text of N characters.
struct TextSpec {
    int width = 0;
};

// @n: a number right-aligned in `width` characters.
struct NumberSpec {
    enum class Sign { Plain, Leading, Trailing, Parens };
    int width = 0;
    int places = 0;
    char decimal = '.';
    char grouping = ',';  // 0: no grouping
    char fill = ' ';      // ' ', '0' or '*'
    Sign sign = Sign::Plain;
    std::string currencyLead;
    std::string currencyTrail;
    bool blankWhenZero = false;
};

// @dN: date layout N (1..18), or the host's short (17) and long (18) forms.
struct DateSpec {
    int layout = 0;
    bool zeroFill = false;
    char separator = '/';
    // Two-digit years fall within [this year - pastYears, this year + 99 - pastYears].
    int pastYears = 80;
    bool blankWhenZero = false;
};

// @tN: time layout N (1..8), or the host's short (7) and long (8) forms.
struct TimeSpec {
    int layout = 0;
    bool zeroFill = false;
    char separator = ':';
    bool blankWhenZero = false;
};

// @P...P: '#' is a digit, '<' a digit left blank while only zeros precede
// it, anything else is shown as written.
struct PatternSpec {
    std::string layout;  // between the delimiters, UTF-8
    int digits = 0;
    bool blankWhenZero = false;
};

}  // namespace rt
