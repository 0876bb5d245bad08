// Number pictures (@n): decimal rounding, grouping, sign, fill and currency.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "runtime/text/FixedText.h"
#include "runtime/picture/Picture.h"
#include "runtime/picture/PictureFamilies.h"
#include "runtime/picture/PictureLayout.h"

namespace rt {

namespace {

using Sign = NumberSpec::Sign;

bool allDigits(std::string_view s) {
    return s.find_first_not_of("0123456789") == std::string_view::npos;
}

// A non-negative decimal as digit strings, rounded half away from zero at
// `places` decimals. Working on decimal digits keeps 2.675 at two places
// 2.68, as it was typed, rather than the binary neighbour's 2.67.
struct Decimal {
    std::string whole;  // no leading zeros, "0" for zero
    std::string fraction;

    bool zero() const {
        return whole == "0" && fraction.find_first_not_of('0') == std::string::npos;
    }
};

Decimal roundDigits(std::string whole, std::string fraction, int places) {
    std::size_t keep = static_cast<std::size_t>(places);
    bool up = fraction.size() > keep && fraction[keep] >= '5';
    fraction.resize(keep, '0');
    std::string digits = whole + fraction;
    for (std::size_t i = digits.size(); up && i-- > 0;) {
        up = digits[i] == '9';
        digits[i] = up ? '0' : static_cast<char>(digits[i] + 1);
    }
    if (up) digits.insert(digits.begin(), '1');
    std::string w = digits.substr(0, digits.size() - keep);
    w.erase(0, std::min(w.find_first_not_of('0'), w.size() - 1));
    return {w.empty() ? "0" : w, digits.substr(digits.size() - keep)};
}

// Fifteen significant digits: every double prints back as the decimal it
// was read from.
Decimal decimalOf(double magnitude, int places) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", magnitude);
    std::string text(buf);
    std::size_t e = text.find('e');
    std::string mantissa = text.substr(0, 1) + text.substr(2, e - 2);
    int point = std::atoi(text.c_str() + e + 1) + 1;  // digits before the decimal point
    if (point <= 0)
        return roundDigits("0", std::string(static_cast<std::size_t>(-point), '0') + mantissa,
                           places);
    if (static_cast<std::size_t>(point) >= mantissa.size())
        return roundDigits(mantissa + std::string(point - mantissa.size(), '0'), "", places);
    return roundDigits(mantissa.substr(0, static_cast<std::size_t>(point)),
                       mantissa.substr(static_cast<std::size_t>(point)), places);
}

std::string grouped(const std::string& whole, char separator) {
    if (separator == 0) return whole;
    std::string out;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) out += separator;
        out += whole[i];
    }
    return out;
}

// The number laid out in the picture's width, or none when it does not fit.
std::optional<std::string> layOut(const NumberSpec& s, bool negative, const Decimal& d) {
    std::string body = grouped(d.whole, s.grouping);
    if (s.places > 0) body += s.decimal + d.fraction;
    std::string lead, trail;
    switch (s.sign) {
        case Sign::Plain:
        case Sign::Leading:
            lead = negative ? "-" : "";
            break;
        case Sign::Trailing:
            trail = negative ? "-" : " ";
            break;
        case Sign::Parens:
            lead = negative ? "(" : " ";
            trail = negative ? ")" : " ";
            break;
    }
    std::string front = s.currencyLead + lead, back = trail + s.currencyTrail;
    std::size_t used = utf8Length(front) + body.size() + utf8Length(back);
    std::size_t width = static_cast<std::size_t>(s.width);
    if (used > width) return std::nullopt;
    std::string padding(width - used, s.fill);
    return s.fill == ' ' ? padding + front + body + back : front + padding + body + back;
}

bool stripPrefix(std::string_view& t, std::string_view prefix) {
    if (prefix.empty() || t.substr(0, prefix.size()) != prefix) return false;
    t = trimBlanks(t.substr(prefix.size()));
    return true;
}

bool stripSuffix(std::string_view& t, std::string_view suffix) {
    if (suffix.empty() || t.size() < suffix.size() || t.substr(t.size() - suffix.size()) != suffix)
        return false;
    t = trimBlanks(t.substr(0, t.size() - suffix.size()));
    return true;
}

// Takes the sign off typed text; false when it carries two.
bool takeSign(std::string_view& t, bool& negative) {
    bool parens = !t.empty() && t.front() == '(' && t.back() == ')' && t.size() >= 2;
    if (parens) t = trimBlanks(t.substr(1, t.size() - 2));
    bool minus = stripPrefix(t, "-");
    bool plus = !minus && stripPrefix(t, "+");
    bool trailing = stripSuffix(t, "-");
    negative = parens || minus || trailing;
    return int(parens) + int(minus) + int(plus) + int(trailing) <= 1;
}

// The digits before the decimal separator, with grouping only every three.
bool takeWhole(std::string_view typed, char separator, std::string& whole) {
    if (separator == 0 || typed.find(separator) == std::string_view::npos) {
        whole = std::string(typed);
        return allDigits(typed);
    }
    std::size_t first = typed.find(separator);
    if (first == 0 || first > 3 || !allDigits(typed.substr(0, first))) return false;
    whole = std::string(typed.substr(0, first));
    for (std::size_t at = first; at < typed.size(); at += 4) {
        if (typed[at] != separator || at + 4 > typed.size() || !allDigits(typed.substr(at + 1, 3)))
            return false;
        whole += typed.substr(at + 1, 3);
    }
    return true;
}

}  // namespace

std::string formatNumber(const NumberSpec& spec, double number) {
    std::string overflow(static_cast<std::size_t>(spec.width), '#');
    if (!std::isfinite(number)) return overflow;
    Decimal d = decimalOf(std::fabs(number), spec.places);
    if (d.zero() && spec.blankWhenZero) return {};
    return layOut(spec, number < 0 && !d.zero(), d).value_or(overflow);
}

std::optional<Value> deformatNumber(const NumberSpec& spec, std::string_view text) {
    std::string_view t = trimBlanks(text);
    if (t.empty()) return Value(0);
    stripPrefix(t, spec.currencyLead);
    stripSuffix(t, spec.currencyTrail);
    bool negative = false;
    if (!takeSign(t, negative)) return std::nullopt;
    if (spec.fill == '*') t.remove_prefix(std::min(t.find_first_not_of('*'), t.size()));
    std::size_t point = t.find(spec.decimal);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : t.substr(point + 1);
    std::string whole;
    if (!takeWhole(t.substr(0, point), spec.grouping, whole) || !allDigits(fraction))
        return std::nullopt;
    if (whole.empty() && fraction.empty()) return std::nullopt;
    if (whole.size() > static_cast<std::size_t>(kMaxNumberWidth)) return std::nullopt;
    Decimal d = roundDigits(whole.empty() ? "0" : whole, std::string(fraction), spec.places);
    if (!layOut(spec, negative && !d.zero(), d)) return std::nullopt;
    double value = std::strtod((d.whole + "." + d.fraction).c_str(), nullptr);
    return Value(negative && !d.zero() ? -value : value);
}

}  // namespace rt
