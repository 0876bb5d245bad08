// Pattern pictures (@P...P): a whole number laid digit by digit into a
// pattern of digit positions and literal characters.
#include <cmath>
#include <cstdlib>

#include "runtime/picture/PictureFamilies.h"
#include "runtime/picture/PictureLayout.h"

namespace rt {

namespace {

bool isPosition(char c) {
    return c == '#' || c == '<';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string overflow(const PatternSpec& spec) {
    std::string out = spec.layout;
    for (char& c : out)
        if (isPosition(c)) c = '#';
    return out;
}

// Reads text laid out exactly like the pattern; the leading positions of
// each run may be blank, as '<' shows them.
std::optional<long long> readLaidOut(const PatternSpec& spec, std::string_view text) {
    if (text.size() != spec.layout.size()) return std::nullopt;
    long long n = 0;
    bool leading = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char want = spec.layout[i], got = text[i];
        if (!isPosition(want)) {
            if (got != want) return std::nullopt;
            leading = true;
        } else if (isDigit(got)) {
            n = n * 10 + (got - '0');
            leading = leading && got == '0';
        } else if (got == ' ' && leading) {
            n *= 10;
        } else {
            return std::nullopt;
        }
    }
    return n;
}

// Text cut or padded to the pattern's length; trailing spaces may have been
// trimmed off, or added by a fixed-length field. Empty when more than
// spaces would be cut.
std::string fitted(const PatternSpec& spec, std::string_view text) {
    std::size_t size = spec.layout.size();
    if (text.size() > size && text.find_first_not_of(' ', size) != std::string_view::npos)
        return {};
    std::string out(text.substr(0, size));
    out.resize(size, ' ');
    return out;
}

std::optional<long long> readDigitsAlone(const PatternSpec& spec, std::string_view text) {
    std::string_view t = trimBlanks(text);
    if (t.empty() || t.size() > static_cast<std::size_t>(spec.digits)) return std::nullopt;
    long long n = 0;
    for (char c : t) {
        if (!isDigit(c)) return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

std::string formatPattern(const PatternSpec& spec, double number) {
    if (!std::isfinite(number) || number <= -1 || number >= 1e18) return overflow(spec);
    long long n = static_cast<long long>(std::trunc(number));
    if (n == 0 && spec.blankWhenZero) return {};
    std::string digits = std::to_string(n);
    std::size_t positions = static_cast<std::size_t>(spec.digits);
    if (digits.size() > positions) return overflow(spec);
    digits.insert(0, positions - digits.size(), '0');
    std::string out;
    std::size_t k = 0;
    bool leading = true;
    for (char c : spec.layout) {
        if (!isPosition(c)) {
            out += c;
            leading = true;  // each run of positions blanks its own leading zeros
            continue;
        }
        leading = leading && digits[k] == '0';
        out += c == '<' && leading ? ' ' : digits[k];
        ++k;
    }
    return out;
}

std::optional<Value> deformatPattern(const PatternSpec& spec, std::string_view text) {
    if (text.find_first_not_of(' ') == std::string_view::npos) return Value(0);
    std::optional<long long> n = readLaidOut(spec, fitted(spec, text));
    if (!n) n = readDigitsAlone(spec, text);
    if (!n) return std::nullopt;
    return Value(static_cast<double>(*n));
}

}  // namespace rt
