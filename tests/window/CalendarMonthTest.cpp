// The picker's month layout and its month and year steps, checked against the
// standard library's calendar for every month and day the picker can show.
#include <gtest/gtest.h>

#include <array>
#include <chrono>

#include "tests/window/CalendarOracle.h"
#include "window/CalendarMonth.h"

using namespace std::chrono;
using namespace calendaroracle;

TEST(CalendarMonthTest, EveryMonthFrom1801To2099MatchesTheStandardCalendar) {
    int checked = 0;
    for (int firstWeekDay : {7, 1}) {
        for (year_month m = 1801y / January; m <= 2099y / December; m += months{1}) {
            // Any day of the month gives its layout: take the last.
            year_month_day_last lastDay{m.year(), month_day_last{m.month()}};
            CalendarMonth layout = calendarMonth(serialOf(year_month_day{lastDay}), firstWeekDay);
            ASSERT_EQ(layout.month, static_cast<int>(unsigned{m.month()}));
            ASSERT_EQ(layout.year, static_cast<int>(m.year()));
            ASSERT_EQ(layout.days, static_cast<int>(unsigned{lastDay.day()}));
            std::array<int, 42> expected = expectedButtons(m, firstWeekDay);
            for (int n = 0; n < 42; ++n)
                ASSERT_EQ(layout.dayOn(n), expected[static_cast<std::size_t>(n)])
                    << "button " << n << " of " << static_cast<int>(m.year()) << "-"
                    << unsigned{m.month()} << ", weeks from weekday " << firstWeekDay;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 2 * 299 * 12);
}

TEST(CalendarMonthTest, AMonthStartingOnTheWeeksFirstDayStartsInTheFirstButton) {
    // 1 February 2026 is a Sunday, 1 December 2025 a Monday.
    EXPECT_EQ(calendarMonth(serialOf(2026y / February / 1), 7).offset, 0);
    EXPECT_EQ(calendarMonth(serialOf(2026y / February / 1), 1).offset, 6);
    EXPECT_EQ(calendarMonth(serialOf(2025y / December / 1), 1).offset, 0);
    EXPECT_EQ(calendarMonth(serialOf(2025y / December / 1), 7).offset, 1);
}

TEST(CalendarMonthTest, HeadersNameTheWeekdaysFromTheFirstWeekDay) {
    // Column k shows weekday (firstWeekDay - 1 + k) mod 7 + 1; 7 is Sunday.
    EXPECT_EQ(calendarWeekdayIn(0, 7), 7);
    EXPECT_EQ(calendarWeekdayIn(6, 7), 6);
    EXPECT_EQ(calendarWeekdayIn(0, 1), 1);
    EXPECT_EQ(calendarWeekdayIn(6, 1), 7);
    EXPECT_EQ(calendarWeekdayIn(2, 5), 7);
    for (int first = 1; first <= 7; ++first)
        for (int column = 0; column < 7; ++column)
            EXPECT_EQ(calendarColumnOf(calendarWeekdayIn(column, first), first), column);
}

TEST(CalendarMonthTest, MonthAndYearStepsKeepTheDayOrFallBackToTheFirst) {
    struct Row {
        year_month_day from;
        int months, years;
        year_month_day to;
    };
    for (Row row : {
             Row{2026y / January / 31, 1, 0, 2026y / February / 1},
             Row{2028y / January / 31, 1, 0, 2028y / February / 1},
             Row{2028y / January / 29, 1, 0, 2028y / February / 29},
             Row{2028y / February / 29, 0, 1, 2029y / February / 1},
             Row{2028y / February / 29, 0, -1, 2027y / February / 1},
             Row{2028y / February / 29, 0, 4, 2032y / February / 29},
             Row{2026y / December / 15, 1, 0, 2027y / January / 15},
             Row{2026y / January / 15, -1, 0, 2025y / December / 15},
             Row{2026y / March / 31, -1, 0, 2026y / February / 1},
             Row{2026y / May / 31, 1, 0, 2026y / June / 1},
         }) {
        rt::DateSerial from = serialOf(row.from);
        rt::DateSerial got =
            row.months ? calendarAddMonths(from, row.months) : calendarAddYears(from, row.years);
        EXPECT_EQ(got, serialOf(row.to))
            << static_cast<int>(row.from.year()) << "-" << unsigned{row.from.month()} << "-"
            << unsigned{row.from.day()};
    }
}

TEST(CalendarMonthTest, StepsAgreeWithTheStandardCalendarOnEveryDay) {
    auto expected = [](year_month_day moved) {
        return moved.ok() ? moved : moved.year() / moved.month() / day{1};
    };
    for (rt::DateSerial d = serialOf(1802y / January / 1); d <= serialOf(2098y / December / 31);
         ++d) {
        year_month_day date = dateOf(d);
        ASSERT_EQ(calendarAddMonths(d, 1), serialOf(expected(date + months{1}))) << d;
        ASSERT_EQ(calendarAddMonths(d, -1), serialOf(expected(date - months{1}))) << d;
        ASSERT_EQ(calendarAddYears(d, 1), serialOf(expected(date + years{1}))) << d;
        ASSERT_EQ(calendarAddYears(d, -1), serialOf(expected(date - years{1}))) << d;
    }
}

TEST(CalendarMonthTest, TheBoundsAreTheFirstDayOf1801AndTheLastOf2099) {
    EXPECT_EQ(kCalendarFirstDate, serialOf(1801y / January / 1));
    EXPECT_EQ(kCalendarLastDate, serialOf(2099y / December / 31));
}
