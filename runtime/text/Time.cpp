#include "runtime/text/Time.h"

namespace rt {

namespace {

// Hundredths since midnight, or -1 for a value that is no time of day.
int elapsed(TimeValue time) {
    return isValidTime(time) ? time - 1 : -1;
}

}  // namespace

TimeValue timeFromParts(int hours, int minutes, int seconds, int hundredths) {
    if (hours < 0 || hours > 23 || minutes < 0 || minutes > 59) return 0;
    if (seconds < 0 || seconds > 59 || hundredths < 0 || hundredths > 99) return 0;
    return ((hours * 60 + minutes) * 60 + seconds) * 100 + hundredths + 1;
}

bool isValidTime(TimeValue time) {
    return time >= kFirstTime && time <= kLastTime;
}

int timeHours(TimeValue time) {
    int e = elapsed(time);
    return e < 0 ? 0 : e / 360000;
}

int timeMinutes(TimeValue time) {
    int e = elapsed(time);
    return e < 0 ? 0 : e / 6000 % 60;
}

int timeSeconds(TimeValue time) {
    int e = elapsed(time);
    return e < 0 ? 0 : e / 100 % 60;
}

int timeHundredths(TimeValue time) {
    int e = elapsed(time);
    return e < 0 ? 0 : e % 100;
}

}  // namespace rt
