#include "runtime/picture/Picture.h"

#include <cmath>

#include "runtime/picture/PictureCompiler.h"
#include "runtime/picture/PictureFamilies.h"
#include "runtime/text/Date.h"
#include "runtime/text/FixedText.h"

namespace rt {

namespace {

// Dates and times are whole numbers; anything unrepresentable becomes a
// value that every family shows as out of range.
long long wholeNumber(const Value& value) {
    double x = value.number();
    if (!std::isfinite(x) || std::fabs(x) > 1e15) return -1;
    return static_cast<long long>(std::trunc(x));
}

struct Formatter {
    const Value& value;
    std::string operator()(std::monostate) const { return value.text(); }
    std::string operator()(const TextSpec& s) const {
        return std::string(utf8Prefix(value.text(), static_cast<std::size_t>(s.width)));
    }
    std::string operator()(const NumberSpec& s) const { return formatNumber(s, value.number()); }
    std::string operator()(const DateSpec& s) const { return formatDate(s, wholeNumber(value)); }
    std::string operator()(const TimeSpec& s) const { return formatTime(s, wholeNumber(value)); }
    std::string operator()(const PatternSpec& s) const { return formatPattern(s, value.number()); }
};

struct Reader {
    std::string_view text;
    std::optional<Value> operator()(std::monostate) const { return Value(text); }
    std::optional<Value> operator()(const TextSpec& s) const {
        return Value(utf8Prefix(text, static_cast<std::size_t>(s.width)));
    }
    std::optional<Value> operator()(const NumberSpec& s) const { return deformatNumber(s, text); }
    std::optional<Value> operator()(const DateSpec& s) const { return deformatDate(s, text); }
    std::optional<Value> operator()(const TimeSpec& s) const { return deformatTime(s, text); }
    std::optional<Value> operator()(const PatternSpec& s) const { return deformatPattern(s, text); }
};

// What each family says of text it cannot read. A day above 12 makes the
// order of day and month plain in the date example.
struct Refusal {
    std::string operator()(std::monostate) const { return {}; }
    std::string operator()(const TextSpec&) const { return {}; }
    std::string operator()(const NumberSpec&) const { return "Type a number"; }
    std::string operator()(const DateSpec& s) const {
        return "Type a date like " + formatDate(s, dateFromParts(12, 31, dateYear(today())));
    }
    std::string operator()(const TimeSpec& s) const {
        constexpr long long kQuarterToMidnight = (23 * 3600 + 45 * 60) * 100 + 1;
        return "Type a time like " + formatTime(s, kQuarterToMidnight);
    }
    std::string operator()(const PatternSpec& s) const {
        std::string form = s.layout;
        for (char& c : form)
            if (c == '<') c = '#';
        return "Type the digits as " + form;
    }
};

}  // namespace

std::optional<Picture> Picture::compile(std::string_view picture) {
    return PictureCompiler::compile(picture).picture;
}

int Picture::width() const {
    if (const auto* t = std::get_if<TextSpec>(&spec_)) return t->width;
    if (const auto* n = std::get_if<NumberSpec>(&spec_)) return n->width;
    return 0;
}

std::string Picture::format(const Value& value) const {
    return std::visit(Formatter{value}, spec_);
}

std::optional<Value> Picture::deformat(std::string_view text) const {
    return std::visit(Reader{text}, spec_);
}

std::string Picture::refusalMessage() const {
    return std::visit(Refusal{}, spec_);
}

std::string pictureError(std::string_view picture) {
    return PictureCompiler::compile(picture).error;
}

bool isValidPicture(std::string_view picture) {
    return PictureCompiler::compile(picture).picture.has_value();
}

std::string format(const Value& value, std::string_view picture) {
    std::optional<Picture> p = Picture::compile(picture);
    return p ? p->format(value) : value.text();
}

std::optional<Value> deformat(std::string_view text, std::string_view picture) {
    std::optional<Picture> p = Picture::compile(picture);
    if (!p) return std::nullopt;
    return p->deformat(text);
}

}  // namespace rt
