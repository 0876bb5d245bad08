#include "runtime/text/FixedText.h"

namespace rt {

namespace {
bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}
}  // namespace

std::size_t utf8Length(std::string_view text) {
    std::size_t n = 0;
    for (unsigned char c : text) n += !isContinuation(c);
    return n;
}

std::string_view utf8Prefix(std::string_view text, std::size_t n) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i]))) {
            if (chars == n) return text.substr(0, i);
            ++chars;
        }
    }
    return text;
}

std::string rightTrim(std::string_view text) {
    std::size_t end = text.find_last_not_of(' ');
    return std::string(end == std::string_view::npos ? std::string_view{}
                                                     : text.substr(0, end + 1));
}

int compareText(std::string_view a, std::string_view b) {
    std::string_view ta = a.substr(0, a.find_last_not_of(' ') + 1);
    std::string_view tb = b.substr(0, b.find_last_not_of(' ') + 1);
    if (a.find_last_not_of(' ') == std::string_view::npos) ta = {};
    if (b.find_last_not_of(' ') == std::string_view::npos) tb = {};
    int c = ta.compare(tb);
    return (c > 0) - (c < 0);
}

FixedText::FixedText(std::size_t capacity, std::string_view text) : capacity_(capacity) {
    assign(text);
}

void FixedText::assign(std::string_view text) {
    std::string_view cut = utf8Prefix(text, capacity_);
    std::string padded(cut);
    padded.append(capacity_ - utf8Length(cut), ' ');
    text_ = std::move(padded);
}

std::string FixedText::clipped() const {
    return rightTrim(text_);
}

bool FixedText::blank() const {
    return text_.find_first_not_of(' ') == std::string::npos;
}

}  // namespace rt
