#pragma once
// Dates as day serials (day 4 is 1 January 1801, day 1 is 28 December 1800)
// and the tables' 4-byte stored date; times of day in hundredths of a second
// plus one (1 is midnight, 0 means no time). Free functions, any thread.

#include <cstdint>

namespace rt {

using DateSerial = std::int32_t;
using TimeValue = std::int32_t;

// The stored form of a date field: day, month, then the year as 16 bits.
// All zero is "no date" and converts to serial 0.
struct StoredDate {
    std::uint8_t day = 0;
    std::uint8_t month = 0;
    std::uint16_t year = 0;
    bool operator==(const StoredDate&) const = default;
};
static_assert(sizeof(StoredDate) == 4);

constexpr DateSerial kFirstDate = 4;       // 1 January 1801
constexpr DateSerial kLastDate = 2994626;  // 31 December 9999

// Months and days out of range roll over into the next ones, as the runtime's
// DATE() does (month 13 of 2020 is January 2021; day 0 is the last of the
// month before). Answers 0 for results outside kFirstDate..kLastDate.
DateSerial dateFromParts(int month, int day, int year);
// Parts of a serial; 0 for serials outside kFirstDate..kLastDate.
int dateDay(DateSerial date);
int dateMonth(DateSerial date);
int dateYear(DateSerial date);
// 0 = Sunday .. 6 = Saturday.
int dateWeekday(DateSerial date);

DateSerial fromStored(StoredDate stored);
StoredDate toStored(DateSerial date);

// Today and the time of day now (in hundredths of a second plus one), from
// the host clock or, while a test has set one, from the test clock.
DateSerial today();
TimeValue clockNow();

// Test hooks: while set, today() and clockNow() answer the given date and
// time instead of the host clock; a test moves it on by setting it again.
void TEST_setClock(DateSerial date, TimeValue time);
void TEST_resetClock();

}  // namespace rt
