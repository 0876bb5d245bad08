#pragma once
// Splits expression text into tokens for ExprParser, one at a time, so that
// the raw text of SQL(...) can be taken as it stands. Borrows the source
// text, which must outlive the lexer. Internal to the expression parser;
// any thread.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

enum class Tok : std::uint8_t {
    Number,
    String,
    Name,  // literals and names
    LParen,
    RParen,
    Comma,
    Plus,
    Minus,
    Star,
    Slash,
    Percent,
    Amp,
    Eq,
    Ne,
    Lt,
    Le,
    Gt,
    Ge,
    Not,
    And,
    Or,  // keywords in any case; `~` alone is Not
    End,
    Error,  // `text` says what is wrong
};

struct Token {
    Tok kind = Tok::End;
    std::size_t position = 1;  // 1-based character position of its first character
    std::string text;          // string value, name as written, or the error
    double number = 0;
};

class ExprLexer {
  public:
    explicit ExprLexer(std::string_view source) : src_(source) {}
    ExprLexer(const ExprLexer&) = delete;
    ExprLexer& operator=(const ExprLexer&) = delete;

    Token next();

    // Right after the name SQL: when the next non-blank character is "(",
    // consumes it and the text up to its matching ")" (parentheses inside
    // quotes do not count) and answers true, with that text in raw (blanks
    // around it cut) or, when the ")" is missing, an error token in *error.
    // Otherwise consumes only blanks and answers false.
    bool readParenthesized(std::string& raw, Token* error);

  private:
    char peek(std::size_t ahead = 0) const;
    void advance();
    void skipBlanks();
    Token make(Tok kind, std::size_t position, std::size_t length);
    Token error(std::size_t position, std::string message);
    Token lexNumber();
    Token lexName();
    Token lexString();
    Token lexOperator();

    std::string_view src_;
    std::size_t pos_ = 0;    // byte offset of the next character
    std::size_t chars_ = 0;  // characters before pos_
};

}  // namespace rt
