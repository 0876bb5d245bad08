#include "runtime/picture/PictureCompiler.h"

#include <algorithm>
#include <cctype>

namespace rt {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
char upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

// Walks a picture body one character at a time.
class Cursor {
  public:
    explicit Cursor(std::string_view text) : s_(text) {}
    bool atEnd() const { return i_ >= s_.size(); }
    char peek(std::size_t ahead = 0) const {
        return i_ + ahead < s_.size() ? s_[i_ + ahead] : '\0';
    }
    std::string_view rest() const { return s_.substr(i_); }
    void skip() { ++i_; }
    bool take(char c) {
        if (atEnd() || s_[i_] != c) return false;
        ++i_;
        return true;
    }
    bool takeEither(char c) { return take(c) || take(static_cast<char>(std::tolower(c))); }
    bool takeOneOf(std::string_view set, char& out) {
        if (atEnd() || set.find(s_[i_]) == std::string_view::npos) return false;
        out = s_[i_++];
        return true;
    }
    // A run of digits as a number, capped at 999999 so an absurd width
    // stays absurd instead of overflowing; -1 when no digit is here.
    int number() {
        if (!isDigit(peek())) return -1;
        int n = 0;
        while (isDigit(peek())) n = std::min(n * 10 + (s_[i_++] - '0'), 999999);
        return n;
    }

  private:
    std::string_view s_;
    std::size_t i_ = 0;
};

std::string_view trimSpaces(std::string_view s) {
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

bool validUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int follow = c < 0x80           ? 0
                     : (c >> 5) == 0x6  ? 1
                     : (c >> 4) == 0xE  ? 2
                     : (c >> 3) == 0x1E ? 3
                                        : -1;
        if (follow < 0 || (follow > 0 && (c < 0xC2 || c > 0xF4 || i + follow >= s.size())))
            return false;
        for (int k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += follow + 1;
    }
    return true;
}

bool hasControlBytes(std::string_view s) {
    for (unsigned char c : s)
        if (c < 0x20 || c == 0x7F) return true;
    return false;
}

// Currency text: '$' or anything between tildes. False for an unclosed tilde.
bool takeCurrency(Cursor& c, std::string& out) {
    if (c.take('$')) {
        out = "$";
        return true;
    }
    if (!c.take('~')) return true;
    std::string_view rest = c.rest();
    std::size_t close = rest.find('~');
    if (close == std::string_view::npos) return false;
    out = std::string(rest.substr(0, close));
    for (std::size_t k = 0; k <= close; ++k) c.skip();
    return true;
}

// After the width, '-' is a trailing minus when only currency or B follow.
bool onlyTrailersFollow(std::string_view rest) {
    return rest.empty() || rest == "B" || rest == "b" || rest[0] == '$' || rest[0] == '~';
}

std::string tooWide(const char* what, int max) {
    return std::string(what) + " must be 1 to " + std::to_string(max);
}

}  // namespace

PictureCompiler::Result PictureCompiler::compile(std::string_view text) {
    Parsed p = parse(text);
    if (!p.error.empty()) return {std::nullopt, p.error};
    return {Picture(std::move(p.spec)), {}};
}

PictureCompiler::Parsed PictureCompiler::parse(std::string_view raw) {
    if (raw.size() > kMaxPictureLength)
        return {{}, "a picture is at most " + std::to_string(kMaxPictureLength) + " characters"};
    if (hasControlBytes(raw)) return {{}, "a picture cannot hold control characters"};
    if (!validUtf8(raw)) return {{}, "a picture must be valid UTF-8 text"};
    std::string_view t = trimSpaces(raw);
    if (t.empty()) return {};
    if (t[0] == '@') t.remove_prefix(1);
    if (t.empty()) return {{}, "'@' must be followed by a picture type"};
    switch (upper(t[0])) {
        case 'S':
            return text(t.substr(1));
        case 'N':
            return number(t.substr(1));
        case 'D':
            return date(t.substr(1));
        case 'T':
            return time(t.substr(1));
        case 'P':
            return pattern(t);
        case 'E':
            return {{}, "scientific-notation pictures are not supported"};
        case 'K':
            return {{}, "key-in pictures are not supported"};
    }
    return {{}, "'" + std::string(1, t[0]) + "' is not a picture type"};
}

PictureCompiler::Parsed PictureCompiler::text(std::string_view body) {
    Cursor c(body);
    int width = c.number();
    if (width < 1 || width > kMaxTextWidth) return {{}, tooWide("a text width", kMaxTextWidth)};
    if (!c.atEnd()) return {{}, "unexpected '" + std::string(c.rest()) + "' after a text width"};
    return {TextSpec{width}, {}};
}

PictureCompiler::Parsed PictureCompiler::number(std::string_view body) {
    NumberSpec n;
    Cursor c(body);
    if (!takeCurrency(c, n.currencyLead)) return {{}, "a currency text is missing its closing '~'"};
    if (c.take('-'))
        n.sign = NumberSpec::Sign::Leading;
    else if (c.take('('))
        n.sign = NumberSpec::Sign::Parens;
    char fill;
    if (c.takeOneOf("0_*", fill)) {
        n.fill = fill == '_' ? ' ' : fill;
        if (fill != '*') n.grouping = 0;
    }
    n.width = c.number();
    if (n.width < 1 || n.width > kMaxNumberWidth)
        return {{}, tooWide("a number width", kMaxNumberWidth)};
    bool explicitGrouping = false;
    char g = c.peek();
    bool placesNext = (g == '.' || g == '`') && isDigit(c.peek(1));
    if (!placesNext &&
        (g == '.' || g == '_' || (g == '-' && !onlyTrailersFollow(c.rest().substr(1))))) {
        n.grouping = g == '_' ? ' ' : g;
        explicitGrouping = true;
        c.skip();
    }
    char sep;
    if ((c.peek() == '.' || c.peek() == '`') && isDigit(c.peek(1)) && c.takeOneOf(".`", sep)) {
        n.decimal = sep == '`' ? ',' : '.';
        n.places = c.number();
        if (n.places > kMaxPlaces || n.places >= n.width)
            return {
                {},
                "decimals must be fewer than the width and at most " + std::to_string(kMaxPlaces)};
        if (n.decimal == ',' && !explicitGrouping && n.grouping == ',') n.grouping = '.';
    }
    if (n.grouping != 0 && n.grouping == n.decimal) {
        if (n.places > 0) return {{}, "grouping and decimal separators must differ"};
        n.decimal = n.grouping == '.' ? ',' : '.';  // "@n9." groups by '.'; no decimals to mark
    }
    if (c.take('-')) {
        if (n.sign != NumberSpec::Sign::Plain)
            return {{}, "a number picture has one sign indicator"};
        n.sign = NumberSpec::Sign::Trailing;
    } else if (c.take(')') != (n.sign == NumberSpec::Sign::Parens)) {
        return {{}, "parentheses must open before the width and close after it"};
    }
    if (!takeCurrency(c, n.currencyTrail))
        return {{}, "a currency text is missing its closing '~'"};
    n.blankWhenZero = c.takeEither('B');
    if (!c.atEnd()) return {{}, "unexpected '" + std::string(c.rest()) + "' in a number picture"};
    return {n, {}};
}

PictureCompiler::Parsed PictureCompiler::date(std::string_view body) {
    DateSpec d;
    Cursor c(body);
    d.zeroFill = c.peek() == '0' && isDigit(c.peek(1)) && c.take('0');
    d.layout = c.number();
    if (d.layout < 1 || d.layout > 18) return {{}, "a date picture's number must be 1 to 18"};
    char sep;
    if (c.takeOneOf(".`-_", sep)) d.separator = sep == '`' ? ',' : sep == '_' ? ' ' : sep;
    char direction;
    if (c.takeOneOf("<>", direction)) {
        int range = c.number();
        if (range < 0) range = 80;
        if (range > 99) return {{}, "a two-digit-year range must be 0 to 99"};
        d.pastYears = direction == '<' ? range : 99 - range;
    }
    d.blankWhenZero = c.takeEither('B');
    if (!c.atEnd()) return {{}, "unexpected '" + std::string(c.rest()) + "' in a date picture"};
    return {d, {}};
}

PictureCompiler::Parsed PictureCompiler::time(std::string_view body) {
    TimeSpec t;
    Cursor c(body);
    t.zeroFill = c.peek() == '0' && isDigit(c.peek(1)) && c.take('0');
    t.layout = c.number();
    if (t.layout < 1 || t.layout > 8) return {{}, "a time picture's number must be 1 to 8"};
    char sep;
    if (c.takeOneOf(".`-_", sep)) t.separator = sep == '`' ? ',' : sep == '_' ? ' ' : sep;
    t.blankWhenZero = c.takeEither('B');
    if (!c.atEnd()) return {{}, "unexpected '" + std::string(c.rest()) + "' in a time picture"};
    return {t, {}};
}

PictureCompiler::Parsed PictureCompiler::pattern(std::string_view whole) {
    PatternSpec p;
    char delimiter = whole[0];
    std::string_view inner = whole.substr(1);
    if (inner.size() >= 2 && upper(inner.back()) == 'B' && inner[inner.size() - 2] == delimiter) {
        p.blankWhenZero = true;
        inner.remove_suffix(1);
    }
    if (inner.empty() || inner.back() != delimiter)
        return {{}, std::string("a pattern picture must end with '") + delimiter + "'"};
    inner.remove_suffix(1);
    p.layout = std::string(inner);
    for (char ch : inner) p.digits += ch == '#' || ch == '<';
    if (p.digits < 1 || p.digits > kMaxPatternDigits)
        return {{},
                "a pattern picture needs 1 to " + std::to_string(kMaxPatternDigits) +
                    " digit positions"};
    return {p, {}};
}

}  // namespace rt
