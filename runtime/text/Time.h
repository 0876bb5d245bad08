#pragma once
// Times of day as the runtime holds them: hundredths of a second since
// midnight plus one, so 1 is midnight and 0 means "no time". Free functions,
// any thread.

#include "runtime/text/Date.h"

namespace rt {

constexpr TimeValue kFirstTime = 1;       // 00:00:00.00
constexpr TimeValue kLastTime = 8640000;  // 23:59:59.99

// The time value of a clock reading; 0 when any part is out of range
// (hours 0..23, minutes and seconds 0..59, hundredths 0..99).
TimeValue timeFromParts(int hours, int minutes, int seconds, int hundredths = 0);

bool isValidTime(TimeValue time);

// Parts of a time value; all 0 for a value outside kFirstTime..kLastTime.
int timeHours(TimeValue time);
int timeMinutes(TimeValue time);
int timeSeconds(TimeValue time);
int timeHundredths(TimeValue time);

}  // namespace rt
