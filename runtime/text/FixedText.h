#pragma once
// Fixed-length text of N characters, padded with spaces, as record fields and
// window variables hold it. Text is UTF-8; the capacity counts characters
// (code points), not bytes. Copyable value type.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace rt {

class FixedText {
  public:
    explicit FixedText(std::size_t capacity, std::string_view text = {});

    std::size_t capacity() const { return capacity_; }
    // Always exactly capacity() characters, trailing spaces included.
    const std::string& str() const { return text_; }
    // The text without its trailing spaces.
    std::string clipped() const;
    bool blank() const;

    // Cuts to capacity() characters or pads with spaces.
    void assign(std::string_view text);
    void clear() { assign({}); }
    // Overwrites the characters where they are stored, then leaves the text
    // blank: for passwords, whose old copy must not linger in freed memory.
    void wipe();

    FixedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
    // A text of the same capacity is already cut and padded: it is taken
    // as it is, and a moved one is swapped (a list's rows shift cheaply).
    FixedText& operator=(const FixedText& other) {
        if (this == &other) return *this;
        if (other.capacity_ == capacity_)
            text_ = other.text_;
        else
            assign(other.text_);
        return *this;
    }
    FixedText& operator=(FixedText&& other) noexcept {
        if (other.capacity_ == capacity_)
            text_.swap(other.text_);
        else
            assign(other.text_);
        return *this;
    }
    FixedText(const FixedText&) = default;

  private:
    std::size_t capacity_;
    std::string text_;
};

// Trailing spaces never count when texts are compared.
int compareText(std::string_view a, std::string_view b);
inline bool operator==(const FixedText& a, const FixedText& b) {
    return compareText(a.str(), b.str()) == 0;
}
inline bool operator==(const FixedText& a, std::string_view b) {
    return compareText(a.str(), b) == 0;
}

// A FixedText whose capacity is part of its type, for record and group fields.
template <std::size_t N>
class String : public FixedText {
  public:
    String() : FixedText(N) {}
    String(std::string_view text) : FixedText(N, text) {}
    String(const String& other) : FixedText(other) {}
    String& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
    String& operator=(const String& other) {
        FixedText::operator=(other);
        return *this;
    }
    String& operator=(String&& other) noexcept {
        FixedText::operator=(std::move(other));
        return *this;
    }
};

// UTF-8 helpers shared by the runtime.
std::size_t utf8Length(std::string_view text);
// The first n characters of text (all of it when shorter).
std::string_view utf8Prefix(std::string_view text, std::size_t n);
std::string rightTrim(std::string_view text);

}  // namespace rt
