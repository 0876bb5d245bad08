#pragma once
// Reads expression texts (view filters, range texts, evaluated strings) and
// view order texts into syntax trees. Never throws; a malformed text answers
// an error with its position. Pure functions, safe on any thread.
//
// Grammar, loosest binding first (operators of one line are left-associative):
//   OR
//   AND
//   NOT x, ~x                    (so NOT a = b means NOT (a = b))
//   = <> ~= < > <= =< >= => ~< ~>
//   &                            concatenation
//   + -
//   * / %
//   -x +x                        unary sign
//   number | 'string' | name | name(args) | SQL(raw) | (expression)
// Numbers: 12, 12.5, .5, 1e-7. Strings: single quotes, a quote inside is
// doubled ('it''s'). Names: a letter or "_", then letters, digits, "_" and
// ":" (PAS:Title, BRW1::Sort); case is ignored. Keywords and function names
// are case-insensitive. SQL( ... ) keeps its raw text for an SQL driver.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "runtime/expr/ExprNode.h"

namespace rt {

// Longer texts are refused as a whole (view filters stay under 5000).
inline constexpr std::size_t kMaxExprLength = 65536;

struct ParseResult {
    Expr expr;                       // meaningful only when ok()
    std::optional<ExprError> error;  // the first error found
    bool ok() const { return !error; }
};

// One term of a view order: "+UPPER(PAS:TITLE)" is ascending UPPER(PAS:TITLE).
struct OrderTerm {
    bool ascending = true;
    Expr expr;
};

struct OrderResult {
    std::vector<OrderTerm> terms;    // in order of priority; empty for a blank text
    std::optional<ExprError> error;  // the first error found
    bool ok() const { return !error; }
};

// A whole text as one expression; blank text is an error.
ParseResult parseExpression(std::string_view text);

// A view order: terms separated by commas, each an optional "+" (ascending,
// the default) or "-" (descending) and an expression, usually a name or
// UPPER(name). A blank text is an empty order; an empty term is an error.
OrderResult parseOrder(std::string_view text);

}  // namespace rt
