#pragma once
// A view's filter expression, split where it can be: the conjuncts SQLite can
// decide with the runtime's own results (comparisons of a field, or its
// UPPER, with a literal of the same kind, joined by AND, OR, NOT) become SQL;
// the rest is evaluated by the runtime on each row the SQL lets through.
// Borrows the definition. Copyable value type.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/expr/Bindings.h"
#include "runtime/expr/ExprNode.h"
#include "runtime/store/FileDefinition.h"

namespace rt {

class ViewFilter {
  public:
    explicit ViewFilter(const FileDefinition& def) : def_(&def) {}

    // Blank text filters nothing. False (and the filter is unchanged) when
    // the text does not parse; *error says why.
    bool set(std::string_view text, std::string* error = nullptr);
    const std::string& text() const { return text_; }
    // The SQL condition, empty when SQLite decides nothing.
    const std::string& sql() const { return sql_; }
    bool evaluatedByRuntime() const { return !runtime_.empty(); }
    // Whether the record now in the buffer passes the runtime's part; names
    // are the file's fields and memos, then the thread's bindings.
    bool accepts() const;

  private:
    struct Operand {
        std::string sql;
        bool text = false;
    };
    std::optional<std::string> toSql(const Expr& e) const;
    std::optional<Operand> operand(const Expr& e) const;

    const FileDefinition* def_;
    std::string text_, sql_;
    std::vector<Expr> runtime_;
};

// Whether the record now in def's buffer passes the whole filter text,
// evaluated here (names as for ViewFilter::accepts). Blank text passes; text
// that does not parse or evaluate does not.
bool filterPasses(const FileDefinition& def, std::string_view text);

}  // namespace rt
