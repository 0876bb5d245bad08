#pragma once
// The syntax tree of the runtime's expression language. The parser builds it,
// the evaluator runs it, and the data-file driver walks it to turn view
// filters and orders into SQL. A node owns its operands; copyable value type.
//
// Invariant: a tree the parser built is at most kMaxExprDepth levels deep, so
// a recursive walk over it cannot run out of stack.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

inline constexpr int kMaxExprDepth = 200;

enum class ExprKind : std::uint8_t {
    Number,  // literal number: `number`
    Text,    // literal string: `text` is its value, doubled quotes undone
    Name,    // a bound name: `text` as written, `key` upper-cased for lookup
    Unary,   // `unaryOp` of args[0]
    Binary,  // `binaryOp` of args[0] and args[1]
    Call,    // `function` of args (the parser checked their count)
    Sql,     // SQL(...): `text` is the raw SQL between the parentheses,
             // for an SQL driver; the evaluator cannot run it
};

enum class UnaryOp : std::uint8_t {
    Negate,  // -x
    Not,     // NOT x, ~x: 1 when x is false, else 0
};

// In groups of equal precedence, tightest first.
enum class BinaryOp : std::uint8_t {
    Multiply,      // *
    Divide,        // /
    Modulus,       // %
    Add,           // +
    Subtract,      // -
    Concat,        // &  (texts of both sides, joined)
    Equal,         // =
    NotEqual,      // <> ~=
    Less,          // <
    LessEqual,     // <= =< ~>
    Greater,       // >
    GreaterEqual,  // >= => ~<
    And,           // AND
    Or,            // OR
};

enum class Function : std::uint8_t {
    Upper,     // UPPER(text)
    Lower,     // LOWER(text)
    Clip,      // CLIP(text): without trailing spaces
    Sub,       // SUB(text, start, length)
    Len,       // LEN(text): characters, trailing spaces included
    Instring,  // INSTRING(sub, text [, step [, start]])
};

struct Expr {
    ExprKind kind = ExprKind::Number;
    // 1-based character position in its source of the node's own token:
    // the literal, the name, the function's name or the operator.
    std::size_t position = 1;
    double number = 0;
    std::string text;
    std::string key;
    UnaryOp unaryOp = UnaryOp::Negate;
    BinaryOp binaryOp = BinaryOp::Equal;
    Function function = Function::Upper;
    std::vector<Expr> args;
    // Levels in this subtree, the node itself included (1 for a leaf).
    int height = 1;
};

// What went wrong in an expression text, and where.
struct ExprError {
    std::size_t position = 0;  // 1-based character position in the source
    std::string message;       // a sentence that ends with the position
};

// The operator as the canonical text writes it ("<>", "AND", "&").
std::string_view binaryOpText(BinaryOp op);
// The function's name in upper case ("UPPER").
std::string_view functionName(Function function);

// A canonical text of the tree that parses back to the same tree: every
// binary operation in parentheses, strings quoted with quotes doubled.
// Used by tests and diagnostics.
std::string formatExpr(const Expr& expr);

}  // namespace rt
