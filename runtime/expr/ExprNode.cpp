#include "runtime/expr/ExprNode.h"

#include "runtime/text/Value.h"

namespace rt {

namespace {

std::string quoted(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

std::string formatCall(const Expr& expr) {
    std::string out(functionName(expr.function));
    out += '(';
    for (std::size_t i = 0; i < expr.args.size(); ++i) {
        if (i) out += ", ";
        out += formatExpr(expr.args[i]);
    }
    return out + ')';
}

}  // namespace

std::string_view binaryOpText(BinaryOp op) {
    switch (op) {
        case BinaryOp::Multiply:
            return "*";
        case BinaryOp::Divide:
            return "/";
        case BinaryOp::Modulus:
            return "%";
        case BinaryOp::Add:
            return "+";
        case BinaryOp::Subtract:
            return "-";
        case BinaryOp::Concat:
            return "&";
        case BinaryOp::Equal:
            return "=";
        case BinaryOp::NotEqual:
            return "<>";
        case BinaryOp::Less:
            return "<";
        case BinaryOp::LessEqual:
            return "<=";
        case BinaryOp::Greater:
            return ">";
        case BinaryOp::GreaterEqual:
            return ">=";
        case BinaryOp::And:
            return "AND";
        case BinaryOp::Or:
            return "OR";
    }
    return "?";
}

std::string_view functionName(Function function) {
    switch (function) {
        case Function::Upper:
            return "UPPER";
        case Function::Lower:
            return "LOWER";
        case Function::Clip:
            return "CLIP";
        case Function::Sub:
            return "SUB";
        case Function::Len:
            return "LEN";
        case Function::Instring:
            return "INSTRING";
    }
    return "?";
}

std::string formatExpr(const Expr& expr) {
    switch (expr.kind) {
        case ExprKind::Number:
            return formatNumber(expr.number);
        case ExprKind::Text:
            return quoted(expr.text);
        case ExprKind::Name:
            return expr.text;
        case ExprKind::Unary:
            return std::string(expr.unaryOp == UnaryOp::Not ? "(NOT " : "(-") +
                   formatExpr(expr.args.at(0)) + ")";
        case ExprKind::Binary:
            return "(" + formatExpr(expr.args.at(0)) + " " +
                   std::string(binaryOpText(expr.binaryOp)) + " " + formatExpr(expr.args.at(1)) +
                   ")";
        case ExprKind::Call:
            return formatCall(expr);
        case ExprKind::Sql:
            return "SQL(" + expr.text + ")";
    }
    return {};
}

}  // namespace rt
