#pragma once
// Display pictures: formatting a value for a control or a list, and reading
// typed text back into a value. A Picture is a compiled picture string; it is
// a copyable value and may be used from any thread (the host-locale pictures
// read QLocale(), which is the system locale unless a default was set).
//
// Picture strings. The leading '@' may be left out ("D17", "T8", "P##P"); the
// type letter's case does not matter; spaces around the picture are ignored.
// An empty picture means "no picture": the value's plain text, read back as
// typed. A picture is at most kMaxPictureLength bytes.
//
//   @sN    Text of N characters (1..kMaxTextWidth). Formatting cuts to N
//          characters and never pads; reading cuts the same way.
//
//   @n[$|~cur~][-|(][0|_|*]N[grp][.D|`D][-|)][$|~cur~][B]
//          A number right-aligned in N characters (1..kMaxNumberWidth), sign,
//          separators and currency included, with D decimals (D < N, at most
//          kMaxPlaces), rounded half away from zero. Groups of three digits
//          are separated by ',' unless `grp` names another separator ('.',
//          '-', or '_' for a space) or the fill is '0' or '_'. A decimal part
//          written `D uses ',' as decimal separator (and so does a picture
//          grouping by '.' without decimals). Fill: '0' leading zeros,
//          '*' leading asterisks, '_' or none leading spaces. Sign: '-' before
//          N shows a leading minus, '-' after D a trailing one, '(' and ')'
//          parentheses; without a sign indicator a negative number still
//          shows a leading minus rather than losing its sign. Currency '$' or
//          any text in tildes goes before or after the number. B: blank when
//          the value rounds to zero. A number that does not fit shows N '#'.
//
//   @d[0]N[sep][<R|>R][B]   e.g. @d17, @D15B, @D4, @D06-
//          A date serial (Date.h). N is one of these layouts (mm, dd, yy the
//          month, day and year numbers; "mmm" the month's three-letter name,
//          upper case; "month" its full name):
//            1 mm/dd/yy      2 mm/dd/yyyy    3 mmm dd,yyyy   4 month dd, yyyy
//            5 dd/mm/yy      6 dd/mm/yyyy    7 dd mmm yy     8 dd mmm yyyy
//            9 yy/mm/dd     10 yyyy/mm/dd   11 yymmdd       12 yyyymmdd
//           13 mm/yy        14 mm/yyyy      15 yy/mm        16 yyyy/mm
//           17 the host's short date form   18 the host's long date form
//          So @D4 shows "December 7, 2026" and @D15 "26/12". A leading zero
//          (@D04) zero-fills every day and month number; otherwise the first
//          number of a layout and the day of the named-month layouts show
//          without a leading zero, and every other number with two digits.
//          Names are English in layouts 1..16 and the host's in 17 and 18;
//          digits are always ASCII. sep replaces '/': '.', '-', '_' (a space)
//          or '`' (a comma). Two-digit years are read as the year within 80
//          years before and 19 after this year; ">R" puts R years ahead
//          instead, "<R" R years behind. Layouts without a day read as the 1st
//          of the month. The no-date value 0 and serials out of range always
//          show blank (B is accepted and means the same).
//
//   @t[0]N[sep][B]   e.g. @T6, @T8
//          A time value (Time.h). Layouts: 1 hh:mm, 2 hhmm, 3 hh:mmAM,
//          4 hh:mm:ss, 5 hhmmss, 6 hh:mm:ssAM ("1:05:09PM"), 7 the host's
//          short time form, 8 the host's long time form (without a time
//          zone). A leading zero (@T04) zero-fills the hour; without it the
//          hour has no leading zero, except in layouts 2 and 5, which have no
//          separators. sep replaces ':' like a date separator. The no-time
//          value 0 and values out of range always show blank.
//
//   @P...P[B] (or @p...p)   e.g. P##P, @P###-##-####P
//          A whole number laid into a pattern: '#' is a digit position,
//          '<' a digit position left blank while it and the positions before
//          it in its run are zeros, any other character is shown as written. B: blank when zero. A
//          negative number or one with more digits than positions shows '#'
//          in every digit position. So P##P shows 7 as "07" and P<#P as " 7".
//
// Reading text back (deformat) answers no value for text the picture cannot
// read; it never guesses. Blank text reads as 0 for numbers, dates, times
// and patterns. Dates and times are read by the order of their layout's
// parts with any separators ("7/12/26", "7-12-2026" and, for layout 4,
// "Dec 7 2026" all work), digits of any script; month names may be full or
// abbreviated (at least three letters); a day that does not exist in its
// month is refused. Numbers may carry the
// picture's separators, sign and currency; grouping must fall every three
// digits; extra decimals are rounded; a number that would not fit the
// picture is refused. Patterns read either the pattern as shown or its
// digits alone.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "runtime/picture/PictureSpec.h"
#include "runtime/text/Value.h"

namespace rt {

constexpr std::size_t kMaxPictureLength = 255;  // bytes of a picture string
constexpr int kMaxTextWidth = 4096;             // @s
constexpr int kMaxNumberWidth = 64;             // @n
constexpr int kMaxPlaces = 30;                  // decimals of @n
constexpr int kMaxPatternDigits = 18;           // digit positions of @P

class Picture {
  public:
    enum class Kind { None, Text, Number, Date, Time, Pattern };

    // Answers no picture for a malformed picture string; pictureError() says why.
    static std::optional<Picture> compile(std::string_view picture);

    Kind kind() const { return static_cast<Kind>(spec_.index()); }
    // The characters a text or number picture holds (N of @sN and @nN), for
    // limiting what an entry takes; 0 for the other kinds.
    int width() const;

    std::string format(const Value& value) const;
    // The value that text stands for, or none when the text cannot be read.
    std::optional<Value> deformat(std::string_view text) const;
    // What a person is told when deformat() refused their text, with an
    // example in the picture's own form ("Type a date like 12/31/26"); ""
    // for text pictures, which read anything.
    std::string refusalMessage() const;

  private:
    using Spec =
        std::variant<std::monostate, TextSpec, NumberSpec, DateSpec, TimeSpec, PatternSpec>;
    explicit Picture(Spec spec) : spec_(std::move(spec)) {}
    Spec spec_;
    friend struct PictureCompiler;
};

// Why a picture string is malformed, in one sentence; empty when it is valid.
std::string pictureError(std::string_view picture);
bool isValidPicture(std::string_view picture);

// Formats by a picture string. A malformed picture shows the value's plain
// text (Value::text()), so nothing is ever lost from view; check
// isValidPicture() where a malformed picture must be reported.
std::string format(const Value& value, std::string_view picture);
// Reads text by a picture string: none for a malformed picture or for text
// the picture cannot read.
std::optional<Value> deformat(std::string_view text, std::string_view picture);

}  // namespace rt
