#include "runtime/expr/ExprLexer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace rt {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isNameStart(char c) {
    return isLetter(c) || c == '_';
}
bool isNameChar(char c) {
    return isNameStart(c) || isDigit(c) || c == ':';
}
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string describeChar(char c) {
    auto b = static_cast<unsigned char>(c);
    char buf[32];
    if (b >= 0x20 && b < 0x7F)
        std::snprintf(buf, sizeof buf, "character '%c'", c);
    else
        std::snprintf(buf, sizeof buf, "byte 0x%02X", b);
    return buf;
}

}  // namespace

char ExprLexer::peek(std::size_t ahead) const {
    return pos_ + ahead < src_.size() ? src_[pos_ + ahead] : '\0';
}

void ExprLexer::advance() {
    if ((static_cast<unsigned char>(src_[pos_]) & 0xC0) != 0x80) ++chars_;
    ++pos_;
}

void ExprLexer::skipBlanks() {
    while (pos_ < src_.size() && isBlank(src_[pos_])) advance();
}

Token ExprLexer::make(Tok kind, std::size_t position, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) advance();
    Token t;
    t.kind = kind;
    t.position = position;
    return t;
}

Token ExprLexer::error(std::size_t position, std::string message) {
    Token t;
    t.kind = Tok::Error;
    t.position = position;
    t.text = std::move(message);
    return t;
}

Token ExprLexer::next() {
    skipBlanks();
    if (pos_ >= src_.size()) return make(Tok::End, chars_ + 1, 0);
    char c = src_[pos_];
    if (isDigit(c) || (c == '.' && isDigit(peek(1)))) return lexNumber();
    if (isNameStart(c)) return lexName();
    if (c == '\'') return lexString();
    return lexOperator();
}

Token ExprLexer::lexNumber() {
    std::size_t start = pos_, position = chars_ + 1;
    while (isDigit(peek())) advance();
    if (peek() == '.') {
        advance();
        while (isDigit(peek())) advance();
    }
    bool signedExponent = (peek(1) == '+' || peek(1) == '-') && isDigit(peek(2));
    if ((peek() == 'e' || peek() == 'E') && (isDigit(peek(1)) || signedExponent)) {
        advance();
        if (signedExponent) advance();
        while (isDigit(peek())) advance();
    }
    std::string literal(src_.substr(start, pos_ - start));
    if (isNameChar(peek()) || peek() == '.') {
        while (isNameChar(peek()) || peek() == '.') advance();
        return error(position,
                     "Malformed number '" + std::string(src_.substr(start, pos_ - start)) + "'");
    }
    Token t;
    t.kind = Tok::Number;
    t.position = position;
    t.number = std::strtod(literal.c_str(), nullptr);
    if (!std::isfinite(t.number)) return error(position, "Number '" + literal + "' is too large");
    return t;
}

Token ExprLexer::lexName() {
    std::size_t start = pos_, position = chars_ + 1;
    while (isNameChar(peek())) advance();
    std::string_view name = src_.substr(start, pos_ - start);
    std::string key = upperAscii(name);
    Token t;
    t.kind = key == "AND" ? Tok::And : key == "OR" ? Tok::Or : key == "NOT" ? Tok::Not : Tok::Name;
    t.position = position;
    t.text = std::string(name);
    return t;
}

Token ExprLexer::lexString() {
    std::size_t position = chars_ + 1;
    advance();
    Token t;
    t.kind = Tok::String;
    t.position = position;
    while (pos_ < src_.size()) {
        char c = src_[pos_];
        advance();
        if (c != '\'') {
            t.text += c;
        } else if (peek() == '\'') {
            t.text += '\'';
            advance();
        } else {
            return t;
        }
    }
    return error(position, "Unterminated string");
}

Token ExprLexer::lexOperator() {
    std::size_t position = chars_ + 1;
    char c = src_[pos_], d = peek(1);
    switch (c) {
        case '(':
            return make(Tok::LParen, position, 1);
        case ')':
            return make(Tok::RParen, position, 1);
        case ',':
            return make(Tok::Comma, position, 1);
        case '+':
            return make(Tok::Plus, position, 1);
        case '-':
            return make(Tok::Minus, position, 1);
        case '*':
            return make(Tok::Star, position, 1);
        case '/':
            return make(Tok::Slash, position, 1);
        case '%':
            return make(Tok::Percent, position, 1);
        case '&':
            return make(Tok::Amp, position, 1);
        case '=':
            if (d == '<') return make(Tok::Le, position, 2);
            if (d == '>') return make(Tok::Ge, position, 2);
            return make(Tok::Eq, position, 1);
        case '<':
            if (d == '=') return make(Tok::Le, position, 2);
            if (d == '>') return make(Tok::Ne, position, 2);
            return make(Tok::Lt, position, 1);
        case '>':
            if (d == '=') return make(Tok::Ge, position, 2);
            return make(Tok::Gt, position, 1);
        case '~':
            if (d == '=') return make(Tok::Ne, position, 2);
            if (d == '<') return make(Tok::Ge, position, 2);
            if (d == '>') return make(Tok::Le, position, 2);
            return make(Tok::Not, position, 1);
    }
    return error(position, "Unexpected " + describeChar(c));
}

bool ExprLexer::readParenthesized(std::string& raw, Token* err) {
    skipBlanks();
    if (peek() != '(') return false;
    std::size_t position = chars_ + 1;
    advance();
    std::size_t start = pos_;
    int depth = 1;
    char quote = 0;
    while (pos_ < src_.size()) {
        char c = src_[pos_];
        if (quote) {
            if (c == quote) quote = 0;  // a doubled quote reopens at once
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            std::string_view inside = src_.substr(start, pos_ - start);
            std::size_t b = inside.find_first_not_of(" \t\r\n");
            std::size_t e = inside.find_last_not_of(" \t\r\n");
            raw = b == std::string_view::npos ? std::string()
                                              : std::string(inside.substr(b, e - b + 1));
            advance();
            return true;
        }
        advance();
    }
    *err = error(position, "Unbalanced parentheses: SQL( has no closing ')'");
    return true;
}

}  // namespace rt
