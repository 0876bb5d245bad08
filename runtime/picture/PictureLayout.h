#pragma once
// The parts a date or time picture lays out (numbers, names, literals), the
// names they use, and the text scanning that reading dates and times back
// shares. Internal to the runtime; free functions, any thread.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

enum class Part {
    Literal,
    Day,
    Month,
    MonthName,
    Weekday,
    Year,
    Hour,
    Minute,
    Second,
    Fraction,
    AmPm
};
enum class LetterCase { AsIs, Upper, Lower };

struct LayoutPart {
    Part part = Part::Literal;
    // Numbers: 1 = no leading zero, 2 = two digits; Year: 2 or 4; Fraction: 1..3
    // digits of a second. Names: 3 = abbreviated, 4 = full.
    int digits = 0;
    bool twelveHour = false;  // Hour
    LetterCase letterCase = LetterCase::AsIs;
    std::string literal;
};
using Layout = std::vector<LayoutPart>;

// Month names (January first), weekday names (Sunday first), AM and PM.
struct NameSet {
    std::array<std::string, 12> monthFull, monthShort;
    std::array<std::string, 7> dayFull, dayShort;
    std::string am, pm;
};
const NameSet& englishNames();
NameSet hostNames();  // QLocale()

// The host's date or time form (QLocale() short or long format) as a layout.
// A time zone in the host's form is left out.
Layout hostDateLayout(bool longForm);
Layout hostTimeLayout(bool longForm);
// The same forms as Qt format strings, for reading text Qt's way.
std::string hostDateFormat(bool longForm);
std::string hostTimeFormat(bool longForm);

// What a layout shows: a calendar date, a clock time, or both.
struct Moment {
    int year = 0, month = 0, day = 0, weekday = 0;  // weekday 0 = Sunday
    int hour = 0, minute = 0, second = 0, hundredths = 0;
};
std::string render(const Layout& layout, const Moment& moment, const NameSet& names);

// Typed text split into runs of digits (of any script, given as ASCII) and
// runs of letters; everything else separates runs and is dropped.
struct TextRun {
    bool digits;
    std::string text;
};
std::vector<TextRun> splitRuns(std::string_view text);

bool sameLetters(std::string_view a, std::string_view b);  // case-insensitive, Unicode
// 1..12 when the run names a month (full, abbreviated, or 3+ leading letters).
int matchMonth(std::string_view run, const NameSet& names);
bool matchWeekday(std::string_view run, const NameSet& names);
// True when the run is one of the layout's literal words (as in "H時mm分").
bool matchLiteral(std::string_view run, const Layout& layout);

std::string_view trimBlanks(std::string_view text);  // spaces at both ends

}  // namespace rt
