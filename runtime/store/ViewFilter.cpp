#include "runtime/store/ViewFilter.h"

#include <map>

#include "runtime/expr/ExprEvaluator.h"
#include "runtime/expr/ExprParser.h"
#include "runtime/text/FixedText.h"
#include "runtime/store/KeyedOrder.h"

namespace rt {

namespace {

void conjuncts(const Expr& e, std::vector<const Expr*>& out) {
    if (e.kind == ExprKind::Binary && e.binaryOp == BinaryOp::And) {
        conjuncts(e.args[0], out);
        conjuncts(e.args[1], out);
    } else {
        out.push_back(&e);
    }
}

std::string quoteText(std::string_view text) {
    std::string out = "'";
    for (char c : rightTrim(text)) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

const char* sqlOperator(BinaryOp op) {
    switch (op) {
        case BinaryOp::Equal:
            return " = ";
        case BinaryOp::NotEqual:
            return " <> ";
        case BinaryOp::Less:
            return " < ";
        case BinaryOp::LessEqual:
            return " <= ";
        case BinaryOp::Greater:
            return " > ";
        case BinaryOp::GreaterEqual:
            return " >= ";
        default:
            return nullptr;
    }
}

// The file's fields and memos by name, then whatever the thread has bound.
class FileNames : public NameResolver {
  public:
    explicit FileNames(const FileDefinition& def) {
        for (const auto& f : def.fields()) add(f.label, f.ref);
        for (const auto& m : def.memos()) add(m.label, FieldRef(*m.text));
    }
    const Binding* find(std::string_view key) const override {
        auto it = names_.find(std::string(key));
        return it != names_.end() ? &it->second : Bindings::current().find(key);
    }

  private:
    void add(const std::string& label, FieldRef ref) {
        names_.emplace(Bindings::keyOf(label), Binding(ref));
    }
    std::map<std::string, Binding> names_;
};

}  // namespace

bool ViewFilter::set(std::string_view text, std::string* error) {
    std::vector<Expr> runtime;
    std::string sql;
    if (rightTrim(text).size() > 0) {
        ParseResult parsed = parseExpression(text);
        if (!parsed.ok()) {
            if (error) *error = parsed.error->message;
            return false;
        }
        std::vector<const Expr*> parts;
        conjuncts(parsed.expr, parts);
        for (const Expr* part : parts) {
            if (auto s = toSql(*part))
                sql += (sql.empty() ? "" : " AND ") + *s;
            else
                runtime.push_back(*part);
        }
    }
    text_ = std::string(text);
    sql_ = std::move(sql);
    runtime_ = std::move(runtime);
    return true;
}

bool filterPasses(const FileDefinition& def, std::string_view text) {
    if (rightTrim(text).empty()) return true;
    EvalResult r = evaluate(text, FileNames(def));
    return r.ok() && r.value.truthy();
}

bool ViewFilter::accepts() const {
    FileNames names(*def_);
    for (const Expr& e : runtime_) {
        EvalResult r = evaluate(e, names);
        if (!r.ok() || !r.value.truthy()) return false;
    }
    return true;
}

std::optional<ViewFilter::Operand> ViewFilter::operand(const Expr& e) const {
    if (e.kind == ExprKind::Text) return Operand{quoteText(e.text), true};
    if (e.kind == ExprKind::Number) {
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.17g", e.number);
        return Operand{buf, false};
    }
    if (e.kind == ExprKind::Name) {
        // Only the names the runtime's part would resolve to the same field.
        for (const auto& f : def_->fields())
            if (Bindings::keyOf(f.label) == e.key)
                return Operand{quoteName(columnName(f.label)), f.ref.isText()};
        return std::nullopt;
    }
    if (e.kind == ExprKind::Call && e.function == Function::Upper && e.args.size() == 1) {
        auto inner = operand(e.args[0]);
        if (!inner || !inner->text || e.args[0].kind != ExprKind::Name) return std::nullopt;
        return Operand{"rt_upper(" + inner->sql + ")", true};
    }
    return std::nullopt;
}

std::optional<std::string> ViewFilter::toSql(const Expr& e) const {
    if (e.kind == ExprKind::Unary && e.unaryOp == UnaryOp::Not) {
        auto inner = toSql(e.args[0]);
        return inner ? std::optional<std::string>("NOT (" + *inner + ")") : std::nullopt;
    }
    if (e.kind != ExprKind::Binary) return std::nullopt;
    if (e.binaryOp == BinaryOp::And || e.binaryOp == BinaryOp::Or) {
        auto l = toSql(e.args[0]), r = toSql(e.args[1]);
        if (!l || !r) return std::nullopt;
        return "(" + *l + (e.binaryOp == BinaryOp::And ? " AND " : " OR ") + *r + ")";
    }
    const char* op = sqlOperator(e.binaryOp);
    auto l = operand(e.args[0]), r = operand(e.args[1]);
    // Mixed kinds compare by the runtime's numeric-text rule, which SQL lacks.
    if (!op || !l || !r || l->text != r->text) return std::nullopt;
    bool literalOnly = e.args[0].kind != ExprKind::Name && e.args[0].kind != ExprKind::Call &&
                       e.args[1].kind != ExprKind::Name && e.args[1].kind != ExprKind::Call;
    if (literalOnly) return std::nullopt;
    return "(" + l->sql + op + r->sql + ")";
}

}  // namespace rt
