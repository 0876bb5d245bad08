#include "runtime/store/SqlValue.h"

namespace rt {

int compareSql(const SqlValue& a, const SqlValue& b) {
    bool aText = std::holds_alternative<std::string>(a);
    bool bText = std::holds_alternative<std::string>(b);
    if (aText != bText) return aText ? 1 : -1;
    if (aText) {
        int c = std::get<std::string>(a).compare(std::get<std::string>(b));
        return (c > 0) - (c < 0);
    }
    auto number = [](const SqlValue& v) {
        if (auto* i = std::get_if<std::int64_t>(&v)) return static_cast<long double>(*i);
        return static_cast<long double>(std::get<double>(v));
    };
    long double x = number(a), y = number(b);
    return (x > y) - (x < y);
}

}  // namespace rt
