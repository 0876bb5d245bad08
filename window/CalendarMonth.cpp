#include "window/CalendarMonth.h"

#include "runtime/text/Date.h"

namespace {

// 3 January 1993, a Sunday: the offsets count from it.
constexpr rt::DateSerial kSundayJanuary3rd1993 = 70133;

int positiveMod(int value, int divisor) {
    return ((value % divisor) + divisor) % divisor;
}

// The date of day in month/year, or the 1st when the month has no such day.
rt::DateSerial dayOrFirst(int month, int day, int year) {
    rt::DateSerial date = rt::dateFromParts(month, day, year);
    return rt::dateDay(date) == day ? date : rt::dateFromParts(month, 1, year);
}

}  // namespace

int CalendarMonth::dayOn(int button) const {
    int day = button - offset + 1;
    return day >= 1 && day <= days ? day : 0;
}

CalendarMonth calendarMonth(rt::DateSerial date, int firstWeekDay) {
    CalendarMonth m;
    m.month = rt::dateMonth(date);
    m.year = rt::dateYear(date);
    rt::DateSerial first = rt::dateFromParts(m.month, 1, m.year);
    m.offset = positiveMod(first - kSundayJanuary3rd1993 - firstWeekDay + 7, 7);
    // Day 0 of the next month is the last of this one.
    m.days = rt::dateDay(rt::dateFromParts(m.month + 1, 0, m.year));
    return m;
}

int calendarColumnOf(int weekday, int firstWeekDay) {
    return positiveMod(weekday - firstWeekDay, 7);
}

int calendarWeekdayIn(int column, int firstWeekDay) {
    return positiveMod(firstWeekDay - 1 + column, 7) + 1;
}

rt::DateSerial calendarAddMonths(rt::DateSerial date, int months) {
    return dayOrFirst(rt::dateMonth(date) + months, rt::dateDay(date), rt::dateYear(date));
}

rt::DateSerial calendarAddYears(rt::DateSerial date, int years) {
    return dayOrFirst(rt::dateMonth(date), rt::dateDay(date), rt::dateYear(date) + years);
}
