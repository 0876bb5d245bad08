#include "runtime/controls/ListFormat.h"

#include <algorithm>
#include <cctype>

namespace rt {

namespace {

// A small cursor over the format text.
struct Reader {
    std::string_view s;
    size_t i = 0;
    bool done() const { return i >= s.size(); }
    char peek() const { return done() ? '\0' : s[i]; }
    bool digit() const { return std::isdigit(static_cast<unsigned char>(peek())) != 0; }
    // Saturates at kMaxNumber: a width or indent of more digits than any
    // screen needs must not overflow.
    static constexpr int kMaxNumber = 1000000;
    int number() {
        int n = 0;
        while (digit()) n = std::min(kMaxNumber, n * 10 + (s[i++] - '0'));
        return n;
    }
    // Text up to the closing delimiter; false when it never closes.
    bool until(char close, std::string& out) {
        size_t end = s.find(close, i);
        if (end == std::string_view::npos) return false;
        out.assign(s.substr(i, end - i));
        i = end + 1;
        return true;
    }
    // "(n)" when present, else fallback.
    int parenthesised(int fallback) {
        if (peek() != '(') return fallback;
        ++i;
        int sign = peek() == '-' ? (++i, -1) : 1;
        int n = number();
        if (peek() == ')') ++i;
        return sign * n;
    }
};

bool isAlign(char c) {
    return c == 'L' || c == 'R' || c == 'C' || c == 'D';
}

// Reads the modifiers after a column's width and alignment, up to the next
// column's width; false on an unterminated header or picture.
bool readModifiers(Reader& r, ListColumn& col) {
    while (!r.done() && !r.digit()) {
        char c = r.s[r.i++];
        if (c == '|') {
            col.rightBorder = true;
        } else if (c == 'M') {
            col.resizable = true;
        } else if (c == '~') {
            if (!r.until('~', col.header)) return false;
            if (isAlign(r.peek())) {
                col.headerAlign = static_cast<ColumnAlign>(r.s[r.i++]);
                r.parenthesised(0);
            }
        } else if (c == '@') {
            std::string body;
            if (!r.until('@', body)) return false;
            col.picture = "@" + body;
        } else {
            r.parenthesised(0);  // modifiers this runtime draws no differently
        }
    }
    return true;
}

}  // namespace

ListFormat ListFormat::parse(std::string_view format) {
    ListFormat result;
    Reader r{format};
    while (r.digit()) {
        ListColumn col;
        col.width = r.number();
        if (isAlign(r.peek())) col.align = static_cast<ColumnAlign>(r.s[r.i++]);
        col.headerAlign = col.align;
        col.indent = r.parenthesised(0);
        if (!readModifiers(r, col)) break;
        result.columns_.push_back(std::move(col));
    }
    return result;
}

}  // namespace rt
