#include "runtime/expr/ExprParser.h"

#include <algorithm>
#include <array>
#include <memory>
#include <utility>

#include "runtime/expr/ExprLexer.h"
#include "runtime/text/Value.h"

namespace rt {

namespace {

struct FunctionInfo {
    Function function;
    int minArgs;
    int maxArgs;
};

std::optional<FunctionInfo> findFunction(std::string_view key) {
    static constexpr std::array<FunctionInfo, 6> kFunctions{{
        {Function::Upper, 1, 1},
        {Function::Lower, 1, 1},
        {Function::Clip, 1, 1},
        {Function::Sub, 3, 3},
        {Function::Len, 1, 1},
        {Function::Instring, 2, 4},
    }};
    for (const FunctionInfo& f : kFunctions)
        if (functionName(f.function) == key) return f;
    return std::nullopt;
}

// Binary operators and how tightly they bind (a higher level binds tighter).
struct BinaryInfo {
    Tok token;
    BinaryOp op;
    int level;
};

constexpr int kComparisonLevel = 3;  // NOT applies to a comparison and tighter

std::optional<BinaryInfo> findBinary(Tok t) {
    static constexpr std::array<BinaryInfo, 14> kOps{{
        {Tok::Or, BinaryOp::Or, 1},
        {Tok::And, BinaryOp::And, 2},
        {Tok::Eq, BinaryOp::Equal, kComparisonLevel},
        {Tok::Ne, BinaryOp::NotEqual, kComparisonLevel},
        {Tok::Lt, BinaryOp::Less, kComparisonLevel},
        {Tok::Le, BinaryOp::LessEqual, kComparisonLevel},
        {Tok::Gt, BinaryOp::Greater, kComparisonLevel},
        {Tok::Ge, BinaryOp::GreaterEqual, kComparisonLevel},
        {Tok::Amp, BinaryOp::Concat, 4},
        {Tok::Plus, BinaryOp::Add, 5},
        {Tok::Minus, BinaryOp::Subtract, 5},
        {Tok::Star, BinaryOp::Multiply, 6},
        {Tok::Slash, BinaryOp::Divide, 6},
        {Tok::Percent, BinaryOp::Modulus, 6},
    }};
    for (const BinaryInfo& b : kOps)
        if (b.token == t) return b;
    return std::nullopt;
}

std::string describe(const Token& t) {
    switch (t.kind) {
        case Tok::Number:
            return "number " + formatNumber(t.number);
        case Tok::String:
            return "string '" + t.text + "'";
        case Tok::Name:
            return "name '" + t.text + "'";
        case Tok::End:
            return "the end of the text";
        case Tok::Error:
            return t.text;
        case Tok::LParen:
            return "'('";
        case Tok::RParen:
            return "')'";
        case Tok::Comma:
            return "','";
        case Tok::Not:
            return "NOT";
        default:
            break;
    }
    if (std::optional<BinaryInfo> b = findBinary(t.kind))
        return b->level <= 2 ? std::string(binaryOpText(b->op))
                             : "'" + std::string(binaryOpText(b->op)) + "'";
    return "?";
}

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

using ExprPtr = std::unique_ptr<Expr>;

ExprPtr newNode(ExprKind kind, std::size_t position) {
    auto e = std::make_unique<Expr>();
    e->kind = kind;
    e->position = position;
    return e;
}

// Recursive descent with precedence climbing over one text. Parsing stops at
// the first error, which is kept; every step answers null from then on.
// Nodes travel on the heap so that each level of nesting costs little stack.
class Parser {
  public:
    explicit Parser(std::string_view text) : lex_(text) { advance(); }

    ExprPtr expression() {
        return nested([&] { return binary(1); });
    }
    const Token& current() const { return cur_; }
    void advance();
    std::nullptr_t fail(std::size_t position, std::string what);
    std::nullptr_t failUnexpected();
    const std::optional<ExprError>& error() const { return error_; }

  private:
    template <typename F>
    ExprPtr nested(F parse);
    ExprPtr binary(int minLevel);
    ExprPtr prefix();
    ExprPtr primary();
    ExprPtr literal(ExprKind kind);
    ExprPtr nameOrCall();
    ExprPtr sql(const Token& name);
    ExprPtr call(const Token& name);
    bool arguments(const Token& name, std::vector<Expr>& args);
    ExprPtr finish(ExprPtr e);

    ExprLexer lex_;
    Token cur_;
    int depth_ = 0;
    std::optional<ExprError> error_;
};

void Parser::advance() {
    cur_ = lex_.next();
    if (cur_.kind == Tok::Error) fail(cur_.position, cur_.text);
}

std::nullptr_t Parser::fail(std::size_t position, std::string what) {
    if (!error_)
        error_ = ExprError{position, what + " (at character " + std::to_string(position) + ")"};
    return nullptr;
}

std::nullptr_t Parser::failUnexpected() {
    switch (cur_.kind) {
        case Tok::RParen:
            return fail(cur_.position, "Unbalanced parentheses: ')' has no matching '('");
        case Tok::End:
            return fail(cur_.position, "The expression ends where a value is expected");
        default:
            return fail(cur_.position, "Unexpected " + describe(cur_));
    }
}

std::string tooDeep() {
    return "The expression is nested more than " + std::to_string(kMaxExprDepth) + " levels deep";
}

// Every way back into the grammar from inside it passes here, so the
// recursion depth, and with it the stack, stays bounded on any input.
template <typename F>
ExprPtr Parser::nested(F parse) {
    if (error_) return nullptr;
    if (depth_ >= kMaxExprDepth) return fail(cur_.position, tooDeep());
    ++depth_;
    ExprPtr e = parse();
    --depth_;
    return e;
}

// Sets the node's height; a tree taller than the bound is an error, so
// walks over any parsed tree stay within the stack as well.
ExprPtr Parser::finish(ExprPtr e) {
    for (const Expr& a : e->args) e->height = std::max(e->height, a.height + 1);
    if (e->height > kMaxExprDepth) return fail(e->position, tooDeep());
    return e;
}

ExprPtr Parser::binary(int minLevel) {
    ExprPtr left = prefix();
    while (left) {
        std::optional<BinaryInfo> info = findBinary(cur_.kind);
        if (!info || info->level < minLevel) break;
        ExprPtr e = newNode(ExprKind::Binary, cur_.position);
        e->binaryOp = info->op;
        advance();
        ExprPtr right = binary(info->level + 1);
        if (!right) return nullptr;
        e->args.push_back(std::move(*left));
        e->args.push_back(std::move(*right));
        left = finish(std::move(e));
    }
    return left;
}

// NOT takes a comparison (NOT a = b is NOT (a = b)), wherever it stands;
// a sign takes the next operand only.
ExprPtr Parser::prefix() {
    bool isNot = cur_.kind == Tok::Not;
    if (!isNot && cur_.kind != Tok::Minus && cur_.kind != Tok::Plus) return primary();
    bool plus = cur_.kind == Tok::Plus;
    ExprPtr e = newNode(ExprKind::Unary, cur_.position);
    e->unaryOp = isNot ? UnaryOp::Not : UnaryOp::Negate;
    advance();
    ExprPtr operand = nested([&] { return isNot ? binary(kComparisonLevel) : prefix(); });
    if (!operand || plus) return operand;
    e->args.push_back(std::move(*operand));
    return finish(std::move(e));
}

ExprPtr Parser::primary() {
    if (error_) return nullptr;
    switch (cur_.kind) {
        case Tok::Number:
            return literal(ExprKind::Number);
        case Tok::String:
            return literal(ExprKind::Text);
        case Tok::Name:
            return nameOrCall();
        case Tok::LParen: {
            std::size_t open = cur_.position;
            advance();
            ExprPtr inner = expression();
            if (!inner) return nullptr;
            if (cur_.kind != Tok::RParen)
                return fail(open,
                            "Unbalanced parentheses: '(' is not closed before " + describe(cur_));
            advance();
            return inner;
        }
        default:
            return failUnexpected();
    }
}

ExprPtr Parser::literal(ExprKind kind) {
    ExprPtr e = newNode(kind, cur_.position);
    e->number = cur_.number;
    e->text = std::move(cur_.text);
    advance();
    return e;
}

ExprPtr Parser::nameOrCall() {
    Token name = cur_;
    std::string key = upperAscii(name.text);
    if (key == "SQL") {
        if (ExprPtr e = sql(name)) return e;
        if (error_) return nullptr;
    }
    advance();
    if (cur_.kind == Tok::LParen) return call(name);
    ExprPtr e = newNode(ExprKind::Name, name.position);
    e->text = name.text;
    e->key = std::move(key);
    return e;
}

ExprPtr Parser::sql(const Token& name) {
    ExprPtr e = newNode(ExprKind::Sql, name.position);
    Token err;
    if (!lex_.readParenthesized(e->text, &err)) return nullptr;
    if (err.kind == Tok::Error) return fail(err.position, err.text);
    advance();
    return e;
}

std::string arityText(const FunctionInfo& f) {
    if (f.minArgs == f.maxArgs)
        return std::to_string(f.minArgs) + (f.minArgs == 1 ? " argument" : " arguments");
    return std::to_string(f.minArgs) + " to " + std::to_string(f.maxArgs) + " arguments";
}

ExprPtr Parser::call(const Token& name) {
    std::optional<FunctionInfo> info = findFunction(upperAscii(name.text));
    if (!info) return fail(name.position, "Unknown function '" + name.text + "'");
    ExprPtr e = newNode(ExprKind::Call, name.position);
    e->function = info->function;
    if (!arguments(name, e->args)) return nullptr;
    int count = static_cast<int>(e->args.size());
    if (count < info->minArgs || count > info->maxArgs)
        return fail(name.position, std::string(functionName(info->function)) + " takes " +
                                       arityText(*info) + ", not " + std::to_string(count));
    return finish(std::move(e));
}

// Reads "(" [expression {"," expression}] ")"; the "(" is current.
bool Parser::arguments(const Token& name, std::vector<Expr>& args) {
    std::size_t open = cur_.position;
    advance();
    bool more = cur_.kind != Tok::RParen;
    while (more && !error_) {
        if (!args.empty() && (cur_.kind == Tok::Comma || cur_.kind == Tok::RParen)) {
            fail(cur_.position, "Missing argument of " + name.text + " before " + describe(cur_));
            return false;
        }
        ExprPtr arg = expression();
        if (!arg) return false;
        args.push_back(std::move(*arg));
        if (cur_.kind == Tok::End)
            fail(open, "Unbalanced parentheses: '(' of " + name.text + " is not closed");
        else if (cur_.kind != Tok::Comma && cur_.kind != Tok::RParen)
            fail(cur_.position, "Expected ',' or ')' in the arguments of " + name.text +
                                    ", found " + describe(cur_));
        more = cur_.kind == Tok::Comma;
        if (more) advance();
    }
    if (error_) return false;
    advance();
    return !error_;
}

// Checks that apply before any token is read.
std::optional<ExprError> checkSource(std::string_view text) {
    if (text.size() > kMaxExprLength)
        return ExprError{1, "The expression is too long: " + std::to_string(text.size()) +
                                " bytes, at most " + std::to_string(kMaxExprLength) +
                                " (at character 1)"};
    return std::nullopt;
}

bool blank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

}  // namespace

ParseResult parseExpression(std::string_view text) {
    ParseResult result;
    if ((result.error = checkSource(text))) return result;
    if (blank(text)) {
        result.error = ExprError{1, "The expression is empty (at character 1)"};
        return result;
    }
    Parser p(text);
    ExprPtr e = p.expression();
    if (e && p.current().kind != Tok::End) p.failUnexpected();
    if (p.error())
        result.error = p.error();
    else
        result.expr = std::move(*e);
    return result;
}

OrderResult parseOrder(std::string_view text) {
    OrderResult result;
    if ((result.error = checkSource(text)) || blank(text)) return result;
    Parser p(text);
    while (!p.error()) {
        OrderTerm term;
        if (p.current().kind == Tok::Plus || p.current().kind == Tok::Minus) {
            term.ascending = p.current().kind == Tok::Plus;
            p.advance();
        }
        if (p.current().kind == Tok::Comma || p.current().kind == Tok::End) {
            p.fail(p.current().position, "The order has an empty term");
            break;
        }
        ExprPtr e = p.expression();
        if (!e) break;
        term.expr = std::move(*e);
        result.terms.push_back(std::move(term));
        if (p.current().kind == Tok::End) break;
        if (p.current().kind == Tok::Comma)
            p.advance();
        else
            p.failUnexpected();
    }
    if (p.error()) {
        result.error = p.error();
        result.terms.clear();
    }
    return result;
}

}  // namespace rt
