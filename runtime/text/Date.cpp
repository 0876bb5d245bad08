#include "runtime/text/Date.h"

#include <atomic>
#include <chrono>
#include <ctime>

namespace rt {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's
// days_from_civil), exact for every year the serials cover.
constexpr long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

struct Civil {
    int year;
    int month;
    int day;
};

Civil civilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp + (mp < 10 ? 3 : -9);
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

// Serial 4 is 1801-01-01. Constant-initialised, so dates computed by other
// files' static initialisers are right too.
constexpr long long kEpochOffset = daysFromCivil(1801, 1, 1) - kFirstDate;

bool inRange(DateSerial date) {
    return date >= kFirstDate && date <= kLastDate;
}

}  // namespace

DateSerial dateFromParts(int month, int day, int year) {
    long long y = year + (month - 1) / 12;
    long long m = (month - 1) % 12;
    if (m < 0) {
        m += 12;
        --y;
    }
    if (y < 1 || y > 9999) return 0;
    long long serial = daysFromCivil(y, static_cast<unsigned>(m + 1), 1) - kEpochOffset + day - 1;
    return serial >= kFirstDate && serial <= kLastDate ? static_cast<DateSerial>(serial) : 0;
}

int dateDay(DateSerial date) {
    return inRange(date) ? civilFromDays(date + kEpochOffset).day : 0;
}
int dateMonth(DateSerial date) {
    return inRange(date) ? civilFromDays(date + kEpochOffset).month : 0;
}
int dateYear(DateSerial date) {
    return inRange(date) ? civilFromDays(date + kEpochOffset).year : 0;
}
int dateWeekday(DateSerial date) {
    return ((date % 7) + 7) % 7;
}

DateSerial fromStored(StoredDate stored) {
    if (stored.day == 0 && stored.month == 0 && stored.year == 0) return 0;
    return dateFromParts(stored.month, stored.day, stored.year);
}

StoredDate toStored(DateSerial date) {
    if (!inRange(date)) return {};
    Civil c = civilFromDays(date + kEpochOffset);
    return {static_cast<std::uint8_t>(c.day), static_cast<std::uint8_t>(c.month),
            static_cast<std::uint16_t>(c.year)};
}

namespace {

// The test clock packed in one word so any thread reads date and time as a
// pair: date in the high half, time in the low half; kHostClock when unset.
constexpr std::int64_t kHostClock = -1;
std::atomic<std::int64_t> testClock{kHostClock};

}  // namespace

void TEST_setClock(DateSerial date, TimeValue time) {
    testClock = (static_cast<std::int64_t>(date) << 32) | static_cast<std::uint32_t>(time);
}

void TEST_resetClock() {
    testClock = kHostClock;
}

DateSerial today() {
    if (std::int64_t set = testClock; set != kHostClock) return static_cast<DateSerial>(set >> 32);
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return dateFromParts(local.tm_mon + 1, local.tm_mday, local.tm_year + 1900);
}

TimeValue clockNow() {
    if (std::int64_t set = testClock; set != kHostClock)
        return static_cast<TimeValue>(set & 0xffffffff);
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    auto cs = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000 / 10;
    return (local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec) * 100 +
           static_cast<TimeValue>(cs) + 1;
}

}  // namespace rt
