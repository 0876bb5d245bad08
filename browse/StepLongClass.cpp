#include "browse/StepLongClass.h"

#include <cmath>

namespace {

std::int32_t whole(const rt::Value& v) {
    return static_cast<std::int32_t>(std::trunc(v.number()));
}

}  // namespace

void StepLongClass::SetLimit(const rt::Value& low, const rt::Value& high) {
    Low = whole(low);
    High = whole(high);
    if (descending()) std::swap(Low, High);
}

int StepLongClass::GetPercentile(const rt::Value& value) {
    if (High == Low) return 50;
    double span = static_cast<double>(High) - Low;
    int p =
        static_cast<int>(std::trunc((whole(value) - static_cast<double>(Low)) * (100.0 / span)));
    if (descending()) p = 100 - p;
    return p == 0 ? 1 : p;
}

rt::Value StepLongClass::GetValue(double percentile) {
    double q = descending() ? 100 - percentile : percentile;
    return rt::Value(Low + (static_cast<double>(High) - Low) * q / 100.0);
}
