#pragma once
// Runs expression trees and texts against bound names: the runtime's
// EVALUATE, and the check a view applies to each record when its filter is
// not handed to SQL. Never throws; an error answers a message with its
// position. Any thread; the default names are the calling thread's bindings.
//
// Values follow the runtime's conversions (Value.h): arithmetic reads both
// sides as numbers, & joins texts, comparisons use compareValues (texts
// ignore trailing spaces) and give 1 or 0, NOT/AND/OR test truth (non-zero,
// non-blank) and give 1 or 0. A name bound to a fixed text reads with its
// padding, so LEN counts its whole size and LEN(CLIP(x)) its used part.
// Errors: an unknown name, division or modulus by zero, and SQL(...), which
// only an SQL driver can run (a filter that needs it must not pass records
// it was meant to hold back).

#include <optional>
#include <string_view>

#include "runtime/expr/Bindings.h"
#include "runtime/expr/ExprNode.h"
#include "runtime/text/Value.h"

namespace rt {

struct EvalResult {
    Value value;                     // 0 when there is an error
    std::optional<ExprError> error;  // the first error met
    bool ok() const { return !error; }
};

EvalResult evaluate(const Expr& expr, const NameResolver& names);
EvalResult evaluate(const Expr& expr);
// Parses, then evaluates; a parse error is answered as it is.
EvalResult evaluate(std::string_view text, const NameResolver& names);
EvalResult evaluate(std::string_view text);

}  // namespace rt
