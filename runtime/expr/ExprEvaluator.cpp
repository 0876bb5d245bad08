#include "runtime/expr/ExprEvaluator.h"

#include <algorithm>
#include <cmath>

#include "runtime/expr/ExprFunctions.h"
#include "runtime/expr/ExprParser.h"
#include "runtime/text/FixedText.h"
#include "runtime/text/TextCase.h"

namespace rt {

namespace {

std::int64_t toInteger(double number) {
    if (std::isnan(number)) return 0;
    return static_cast<std::int64_t>(std::trunc(std::clamp(number, -1e15, 1e15)));
}

Value truth(bool b) {
    return Value(b ? 1 : 0);
}

// Walks a tree once. The first error stops the walk; every step answers a
// dummy value from then on.
class Evaluator {
  public:
    explicit Evaluator(const NameResolver& names) : names_(names) {}
    Value eval(const Expr& e);
    std::optional<ExprError> error;

  private:
    Value fail(const Expr& at, const std::string& what);
    Value name(const Expr& e);
    Value unary(const Expr& e);
    Value binary(const Expr& e);
    Value arithmetic(const Expr& e, double a, double b);
    Value call(const Expr& e);
    Value callWithArgs(const Expr& e, const std::vector<Value>& args);

    const NameResolver& names_;
    int depth_ = 0;
};

Value Evaluator::fail(const Expr& at, const std::string& what) {
    if (!error)
        error =
            ExprError{at.position, what + " (at character " + std::to_string(at.position) + ")"};
    return Value();
}

Value Evaluator::eval(const Expr& e) {
    if (error) return Value();
    // Parsed trees are bounded already; this guards trees built by hand.
    if (depth_ >= kMaxExprDepth)
        return fail(e, "The expression is nested more than " + std::to_string(kMaxExprDepth) +
                           " levels deep");
    ++depth_;
    Value v;
    switch (e.kind) {
        case ExprKind::Number:
            v = Value(e.number);
            break;
        case ExprKind::Text:
            v = Value(e.text);
            break;
        case ExprKind::Name:
            v = name(e);
            break;
        case ExprKind::Unary:
            v = unary(e);
            break;
        case ExprKind::Binary:
            v = binary(e);
            break;
        case ExprKind::Call:
            v = call(e);
            break;
        case ExprKind::Sql:
            v = fail(e, "SQL(...) is for an SQL driver and cannot be evaluated here");
            break;
    }
    --depth_;
    return error ? Value() : v;
}

Value Evaluator::name(const Expr& e) {
    const Binding* b = names_.find(e.key.empty() ? Bindings::keyOf(e.text) : e.key);
    if (!b) return fail(e, "Unknown name '" + e.text + "'");
    return b->value();
}

Value Evaluator::unary(const Expr& e) {
    if (e.args.size() != 1) return fail(e, "Malformed unary operation");
    Value x = eval(e.args[0]);
    return e.unaryOp == UnaryOp::Not ? truth(!x.truthy()) : Value(-x.number());
}

// Both sides are always evaluated (nothing has side effects), so an unknown
// name is reported whatever the values.
Value Evaluator::binary(const Expr& e) {
    if (e.args.size() != 2) return fail(e, "Malformed binary operation");
    Value a = eval(e.args[0]);
    Value b = eval(e.args[1]);
    if (error) return Value();
    switch (e.binaryOp) {
        case BinaryOp::Concat:
            return Value(a.text() + b.text());
        case BinaryOp::Equal:
            return truth(compareValues(a, b) == 0);
        case BinaryOp::NotEqual:
            return truth(compareValues(a, b) != 0);
        case BinaryOp::Less:
            return truth(compareValues(a, b) < 0);
        case BinaryOp::LessEqual:
            return truth(compareValues(a, b) <= 0);
        case BinaryOp::Greater:
            return truth(compareValues(a, b) > 0);
        case BinaryOp::GreaterEqual:
            return truth(compareValues(a, b) >= 0);
        case BinaryOp::And:
            return truth(a.truthy() && b.truthy());
        case BinaryOp::Or:
            return truth(a.truthy() || b.truthy());
        default:
            return arithmetic(e, a.number(), b.number());
    }
}

Value Evaluator::arithmetic(const Expr& e, double a, double b) {
    switch (e.binaryOp) {
        case BinaryOp::Add:
            return Value(a + b);
        case BinaryOp::Subtract:
            return Value(a - b);
        case BinaryOp::Multiply:
            return Value(a * b);
        case BinaryOp::Divide:
            if (b == 0) return fail(e, "Division by zero");
            return Value(a / b);
        case BinaryOp::Modulus:
            if (b == 0) return fail(e, "Modulus by zero");
            return Value(std::fmod(a, b));
        default:
            return fail(e, "Malformed binary operation");
    }
}

Value Evaluator::call(const Expr& e) {
    std::vector<Value> args;
    args.reserve(e.args.size());
    for (const Expr& a : e.args) args.push_back(eval(a));
    if (error) return Value();
    return callWithArgs(e, args);
}

Value Evaluator::callWithArgs(const Expr& e, const std::vector<Value>& args) {
    std::size_t n = args.size();
    auto number = [&](std::size_t i, std::int64_t fallback) {
        return i < n ? toInteger(args[i].number()) : fallback;
    };
    bool arity = e.function == Function::Instring ? (n >= 2 && n <= 4)
                 : e.function == Function::Sub    ? n == 3
                                                  : n == 1;
    if (!arity)
        return fail(e, "Wrong number of arguments to " + std::string(functionName(e.function)));
    switch (e.function) {
        case Function::Upper:
            return Value(upper(args[0].text()));
        case Function::Lower:
            return Value(lower(args[0].text()));
        case Function::Clip:
            return Value(rightTrim(args[0].text()));
        case Function::Len:
            return Value(static_cast<double>(utf8Length(args[0].text())));
        case Function::Sub:
            return Value(subText(args[0].text(), number(1, 1), number(2, 0)));
        case Function::Instring:
            return Value(static_cast<double>(
                instring(args[0].text(), args[1].text(), number(2, 1), number(3, 1))));
    }
    return fail(e, "Unknown function");
}

}  // namespace

EvalResult evaluate(const Expr& expr, const NameResolver& names) {
    Evaluator ev(names);
    EvalResult result;
    result.value = ev.eval(expr);
    result.error = std::move(ev.error);
    return result;
}

EvalResult evaluate(const Expr& expr) {
    return evaluate(expr, Bindings::current());
}

EvalResult evaluate(std::string_view text, const NameResolver& names) {
    ParseResult parsed = parseExpression(text);
    if (!parsed.ok()) return EvalResult{Value(), parsed.error};
    return evaluate(parsed.expr, names);
}

EvalResult evaluate(std::string_view text) {
    return evaluate(text, Bindings::current());
}

}  // namespace rt
