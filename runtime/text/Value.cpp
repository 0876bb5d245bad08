#include "runtime/text/Value.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "runtime/text/FixedText.h"

namespace rt {

namespace {

std::string_view trimSpaces(std::string_view s) {
    std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    std::size_t e = s.find_last_not_of(" \t");
    return s.substr(b, e - b + 1);
}

// Length of the longest numeric prefix of s (sign, digits, point, exponent).
std::size_t numericPrefix(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t k = j;
        while (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) ++k;
        if (k > j) i = k;
    }
    return i;
}

double toDouble(std::string_view s) {
    return std::strtod(std::string(s).c_str(), nullptr);
}

}  // namespace

bool parseNumber(std::string_view text, double& out) {
    std::string_view t = trimSpaces(text);
    std::size_t n = numericPrefix(t);
    if (n == 0 || n != t.size()) return false;
    out = toDouble(t);
    return true;
}

std::string formatNumber(double number) {
    if (std::isnan(number) || std::isinf(number)) return "0";
    if (number == std::floor(number) && std::fabs(number) < 1e15) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f", number);
        return buf;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15g", number);
    return buf;
}

double Value::number() const {
    if (const double* d = std::get_if<double>(&v_)) return *d;
    std::string_view t = trimSpaces(std::get<std::string>(v_));
    std::size_t n = numericPrefix(t);
    return n ? toDouble(t.substr(0, n)) : 0.0;
}

std::string Value::text() const {
    if (const double* d = std::get_if<double>(&v_)) return formatNumber(*d);
    return std::get<std::string>(v_);
}

bool Value::truthy() const {
    if (const double* d = std::get_if<double>(&v_)) return *d != 0.0;
    return std::get<std::string>(v_).find_first_not_of(' ') != std::string::npos;
}

bool Value::isNumeric() const {
    if (isNumber()) return true;
    double ignored;
    return parseNumber(std::get<std::string>(v_), ignored);
}

int compareValues(const Value& a, const Value& b) {
    bool numeric = (a.isNumber() && b.isNumber()) || (a.isNumber() && b.isNumeric()) ||
                   (b.isNumber() && a.isNumeric());
    if (numeric) {
        double x = a.number(), y = b.number();
        return (x > y) - (x < y);
    }
    return compareText(a.text(), b.text());
}

}  // namespace rt
