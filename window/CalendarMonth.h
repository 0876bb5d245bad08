#pragma once
// The date picker's calendar arithmetic, apart from any window: where the
// days of a month fall on its 42 day buttons (6 weeks of 7), and the month
// and year steps. Day counts are the runtime's date serials. Free functions.

#include <array>

#include "runtime/text/Date.h"

// The first and last day the picker shows: 1 January 1801 and 31 December 2099.
constexpr rt::DateSerial kCalendarFirstDate = rt::kFirstDate;
constexpr rt::DateSerial kCalendarLastDate = 109211;

struct CalendarMonth {
    int month = 0;
    int year = 0;
    int offset = 0;  // buttons before the 1st, 0 .. 6
    int days = 0;    // days in the month
    // The day number on button n (0 .. 41), 0 when the button is hidden.
    int dayOn(int button) const;
};

// The month holding date, with weeks starting on firstWeekDay (1 Monday ..
// 7 Sunday). REQUIRES: date lies within kCalendarFirstDate..kCalendarLastDate.
CalendarMonth calendarMonth(rt::DateSerial date, int firstWeekDay);

// The header column (0 .. 6) that shows weekday (1 Monday .. 7 Sunday).
int calendarColumnOf(int weekday, int firstWeekDay);
// The weekday (1 Monday .. 7 Sunday) shown in header column k (0 .. 6).
int calendarWeekdayIn(int column, int firstWeekDay);

// Month and year steps keep the day of the month; a day the new month does
// not have gives the 1st of that month (31 January + 1 month = 1 February).
rt::DateSerial calendarAddMonths(rt::DateSerial date, int months);
rt::DateSerial calendarAddYears(rt::DateSerial date, int years);
