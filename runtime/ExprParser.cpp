#include "runtime/ExprParser.h"

#include <algorithm>
#include <array>
#include <utility>

#include "runtime/ExprLexer.h"
#include "runtime/Value.h"

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

// Binary operators by precedence level; level 0 binds loosest. Level 2 is
// the prefix NOT and level 7 the unary sign, handled apart.
constexpr int kNotLevel = 2;
constexpr int kSignLevel = 7;

std::optional<BinaryOp> binaryAt(int level, Tok t) {
    static constexpr std::array<std::pair<Tok, BinaryOp>, 14> kOps{{
        {Tok::Or, BinaryOp::Or},
        {Tok::And, BinaryOp::And},
        {Tok::Eq, BinaryOp::Equal},
        {Tok::Ne, BinaryOp::NotEqual},
        {Tok::Lt, BinaryOp::Less},
        {Tok::Le, BinaryOp::LessEqual},
        {Tok::Gt, BinaryOp::Greater},
        {Tok::Ge, BinaryOp::GreaterEqual},
        {Tok::Amp, BinaryOp::Concat},
        {Tok::Plus, BinaryOp::Add},
        {Tok::Minus, BinaryOp::Subtract},
        {Tok::Star, BinaryOp::Multiply},
        {Tok::Slash, BinaryOp::Divide},
        {Tok::Percent, BinaryOp::Modulus},
    }};
    static constexpr std::array<int, 14> kLevel{0, 1, 3, 3, 3, 3, 3, 3, 4, 5, 5, 6, 6, 6};
    for (std::size_t i = 0; i < kOps.size(); ++i)
        if (kLevel[i] == level && kOps[i].first == t) return kOps[i].second;
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
        case Tok::LParen:
            return "'('";
        case Tok::RParen:
            return "')'";
        case Tok::Comma:
            return "','";
        case Tok::Plus:
            return "'+'";
        case Tok::Minus:
            return "'-'";
        case Tok::Star:
            return "'*'";
        case Tok::Slash:
            return "'/'";
        case Tok::Percent:
            return "'%'";
        case Tok::Amp:
            return "'&'";
        case Tok::Eq:
            return "'='";
        case Tok::Ne:
            return "'<>'";
        case Tok::Lt:
            return "'<'";
        case Tok::Le:
            return "'<='";
        case Tok::Gt:
            return "'>'";
        case Tok::Ge:
            return "'>='";
        case Tok::Not:
            return "NOT";
        case Tok::And:
            return "AND";
        case Tok::Or:
            return "OR";
        case Tok::End:
            return "the end of the text";
        case Tok::Error:
            return t.text;
    }
    return "?";
}

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Recursive descent over one text. Parsing stops at the first error, which
// is kept; every step answers nullopt from then on.
class Parser {
  public:
    explicit Parser(std::string_view text) : lex_(text) { advance(); }

    std::optional<Expr> expression() {
        return nested([&] { return level(0); });
    }
    const Token& current() const { return cur_; }
    void advance();
    std::optional<Expr> fail(std::size_t position, std::string what);
    std::optional<Expr> failUnexpected();
    const std::optional<ExprError>& error() const { return error_; }

  private:
    template <typename F>
    std::optional<Expr> nested(F parse);
    std::optional<Expr> level(int n);
    std::optional<Expr> notLevel();
    std::optional<Expr> sign();
    std::optional<Expr> primary();
    std::optional<Expr> literal(ExprKind kind);
    std::optional<Expr> nameOrCall();
    std::optional<Expr> sql(const Token& name);
    std::optional<Expr> call(const Token& name);
    bool arguments(const Token& name, std::vector<Expr>& args);
    std::optional<Expr> node(Expr e);

    ExprLexer lex_;
    Token cur_;
    int depth_ = 0;
    std::optional<ExprError> error_;
};

void Parser::advance() {
    cur_ = lex_.next();
    if (cur_.kind == Tok::Error) fail(cur_.position, cur_.text);
}

std::optional<Expr> Parser::fail(std::size_t position, std::string what) {
    if (!error_)
        error_ = ExprError{position, what + " (at character " + std::to_string(position) + ")"};
    return std::nullopt;
}

std::optional<Expr> Parser::failUnexpected() {
    switch (cur_.kind) {
        case Tok::RParen:
            return fail(cur_.position, "Unbalanced parentheses: ')' has no matching '('");
        case Tok::End:
            return fail(cur_.position, "The expression ends where a value is expected");
        default:
            return fail(cur_.position, "Unexpected " + describe(cur_));
    }
}

// Every way back into the grammar from inside it passes here, so the
// recursion depth, and with it the stack, stays bounded on any input.
template <typename F>
std::optional<Expr> Parser::nested(F parse) {
    if (error_) return std::nullopt;
    if (depth_ >= kMaxExprDepth)
        return fail(cur_.position, "The expression is nested more than " +
                                       std::to_string(kMaxExprDepth) + " levels deep");
    ++depth_;
    std::optional<Expr> e = parse();
    --depth_;
    return e;
}

std::optional<Expr> Parser::node(Expr e) {
    for (const Expr& a : e.args) e.height = std::max(e.height, a.height + 1);
    if (e.height > kMaxExprDepth)
        return fail(e.position, "The expression is nested more than " +
                                    std::to_string(kMaxExprDepth) + " levels deep");
    return e;
}

std::optional<Expr> Parser::level(int n) {
    if (n == kNotLevel) return notLevel();
    if (n == kSignLevel) return sign();
    std::optional<Expr> left = level(n + 1);
    while (left) {
        std::optional<BinaryOp> op = binaryAt(n, cur_.kind);
        if (!op) break;
        Expr e;
        e.kind = ExprKind::Binary;
        e.binaryOp = *op;
        e.position = cur_.position;
        advance();
        std::optional<Expr> right = level(n + 1);
        if (!right) return std::nullopt;
        e.args.push_back(std::move(*left));
        e.args.push_back(std::move(*right));
        left = node(std::move(e));
    }
    return left;
}

std::optional<Expr> Parser::notLevel() {
    if (cur_.kind != Tok::Not) return level(kNotLevel + 1);
    Expr e;
    e.kind = ExprKind::Unary;
    e.unaryOp = UnaryOp::Not;
    e.position = cur_.position;
    advance();
    std::optional<Expr> operand = nested([&] { return notLevel(); });
    if (!operand) return std::nullopt;
    e.args.push_back(std::move(*operand));
    return node(std::move(e));
}

std::optional<Expr> Parser::sign() {
    if (cur_.kind != Tok::Minus && cur_.kind != Tok::Plus) return primary();
    bool negate = cur_.kind == Tok::Minus;
    Expr e;
    e.kind = ExprKind::Unary;
    e.unaryOp = UnaryOp::Negate;
    e.position = cur_.position;
    advance();
    std::optional<Expr> operand = nested([&] { return sign(); });
    if (!operand || !negate) return operand;
    e.args.push_back(std::move(*operand));
    return node(std::move(e));
}

std::optional<Expr> Parser::primary() {
    if (error_) return std::nullopt;
    switch (cur_.kind) {
        case Tok::Number:
            return literal(ExprKind::Number);
        case Tok::String:
            return literal(ExprKind::Text);
        case Tok::Name:
            return nameOrCall();
        case Tok::Not:
            return notLevel();  // a = NOT b
        case Tok::LParen: {
            std::size_t open = cur_.position;
            advance();
            std::optional<Expr> inner = expression();
            if (!inner) return std::nullopt;
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

std::optional<Expr> Parser::literal(ExprKind kind) {
    Expr e;
    e.kind = kind;
    e.position = cur_.position;
    e.number = cur_.number;
    e.text = std::move(cur_.text);
    advance();
    return e;
}

std::optional<Expr> Parser::nameOrCall() {
    Token name = cur_;
    std::string key = upperAscii(name.text);
    if (key == "SQL") {
        if (std::optional<Expr> e = sql(name)) return e;
        if (error_) return std::nullopt;
    }
    advance();
    if (cur_.kind == Tok::LParen) return call(name);
    Expr e;
    e.kind = ExprKind::Name;
    e.position = name.position;
    e.text = name.text;
    e.key = std::move(key);
    return e;
}

std::optional<Expr> Parser::sql(const Token& name) {
    Expr e;
    e.kind = ExprKind::Sql;
    e.position = name.position;
    Token err;
    if (!lex_.readParenthesized(e.text, &err)) return std::nullopt;
    if (err.kind == Tok::Error) return fail(err.position, err.text);
    advance();
    return e;
}

std::optional<Expr> Parser::call(const Token& name) {
    std::optional<FunctionInfo> info = findFunction(upperAscii(name.text));
    if (!info) return fail(name.position, "Unknown function '" + name.text + "'");
    Expr e;
    e.kind = ExprKind::Call;
    e.function = info->function;
    e.position = name.position;
    if (!arguments(name, e.args)) return std::nullopt;
    int count = static_cast<int>(e.args.size());
    if (count < info->minArgs || count > info->maxArgs) {
        std::string takes =
            info->minArgs == info->maxArgs
                ? std::to_string(info->minArgs)
                : std::to_string(info->minArgs) + " to " + std::to_string(info->maxArgs);
        return fail(name.position, std::string(functionName(info->function)) + " takes " + takes +
                                       (info->maxArgs == 1 ? " argument" : " arguments") +
                                       ", not " + std::to_string(count));
    }
    return node(std::move(e));
}

// Reads "(" [expression {"," expression}] ")"; the "(" is current.
bool Parser::arguments(const Token& name, std::vector<Expr>& args) {
    std::size_t open = cur_.position;
    advance();
    if (cur_.kind == Tok::RParen) {
        advance();
        return !error_;
    }
    while (true) {
        std::optional<Expr> arg = expression();
        if (!arg) return false;
        args.push_back(std::move(*arg));
        if (cur_.kind == Tok::RParen) break;
        if (cur_.kind != Tok::Comma) {
            if (cur_.kind == Tok::End)
                fail(open, "Unbalanced parentheses: '(' of " + name.text + " is not closed");
            else
                fail(cur_.position, "Expected ',' or ')' in the arguments of " + name.text +
                                        ", found " + describe(cur_));
            return false;
        }
        advance();
    }
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
    std::optional<Expr> e = p.expression();
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
        std::optional<Expr> e = p.expression();
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
