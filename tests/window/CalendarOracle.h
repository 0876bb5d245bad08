#pragma once
// An independent calendar for the picker's tests, built on the standard
// library's chrono calendar: day serials, dates and where each day of a month
// falls on the picker's 42 buttons.

#include <array>
#include <chrono>

#include "runtime/text/Date.h"

namespace calendaroracle {

using namespace std::chrono;

// Day serials count from 1 January 1801 = 4.
inline rt::DateSerial serialOf(year_month_day date) {
    return static_cast<rt::DateSerial>((sys_days{date} - sys_days{1801y / January / 1}).count() +
                                       4);
}

inline year_month_day dateOf(rt::DateSerial serial) {
    return year_month_day{sys_days{1801y / January / 1} + days{serial - 4}};
}

// The day tests pin the clock to: the 31st, so a month step meets a
// shorter month.
inline constexpr year_month_day kPinnedToday = 2027y / January / 31;

// Pins the runtime's clock to kPinnedToday at noon while it lives.
class PinnedClock {
  public:
    PinnedClock() { rt::TEST_setClock(serialOf(kPinnedToday), 12 * 3600 * 100 + 1); }
    ~PinnedClock() { rt::TEST_resetClock(); }
    PinnedClock(const PinnedClock&) = delete;
    PinnedClock& operator=(const PinnedClock&) = delete;
};

// Where each day of the month falls on 6 weeks of 7 buttons (0 = no day), by
// walking the month a day at a time: a new row starts on the week's first
// weekday (Sunday for firstWeekDay 7, Monday for 1).
inline std::array<int, 42> expectedButtons(year_month month, int firstWeekDay) {
    weekday weekStart = firstWeekDay == 7 ? Sunday : Monday;
    std::array<int, 42> buttons{};
    int row = 0;
    unsigned last =
        unsigned{year_month_day_last{month.year(), month_day_last{month.month()}}.day()};
    for (unsigned d = 1; d <= last; ++d) {
        weekday wd{sys_days{month / day{d}}};
        int column = static_cast<int>((wd - weekStart).count());
        if (d > 1 && column == 0) ++row;
        buttons[static_cast<std::size_t>(row * 7 + column)] = static_cast<int>(d);
    }
    return buttons;
}

// The button (0 .. 41) that shows date.
inline int buttonOf(year_month_day date, int firstWeekDay) {
    std::array<int, 42> buttons = expectedButtons(date.year() / date.month(), firstWeekDay);
    for (int n = 0; n < 42; ++n)
        if (buttons[static_cast<std::size_t>(n)] == static_cast<int>(unsigned{date.day()}))
            return n;
    return -1;
}

}  // namespace calendaroracle
