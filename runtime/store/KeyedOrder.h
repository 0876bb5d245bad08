#pragma once
// An order over one table: terms (a field, its direction, folded or not)
// followed by the row id, which makes every order total. Writes the SQL a
// page read needs: ORDER BY, and the keyset seek conditions in their expanded
// form (`a >= ?1 AND (a > ?1 OR rowid > ?2)`), which SQLite seeks with on an
// index where the row-value form would walk it. Borrows the definition.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/store/FileDefinition.h"
#include "runtime/store/SqlValue.h"

namespace rt {

struct SortTerm {
    int field = 0;
    bool ascending = true;
    bool folded = false;  // compared through rt_upper()
    bool operator==(const SortTerm&) const = default;
};

class KeyedOrder {
  public:
    // The order of the file itself: by row id only.
    explicit KeyedOrder(const FileDefinition& def) : def_(&def) {}
    KeyedOrder(const FileDefinition& def, std::vector<SortTerm> terms)
        : def_(&def), terms_(std::move(terms)) {}
    static KeyedOrder fromKey(const FileDefinition& def, const KeyDefinition& key);
    // An order text ("+UPPER(PAS:TITLE),-PAS:LOCATION"): terms are field
    // labels, optionally in UPPER(), each with "+" or "-". nullopt, and why
    // in *error, when a term names no field of the table.
    static std::optional<KeyedOrder> parse(const FileDefinition& def, std::string_view text,
                                           std::string* error = nullptr);

    const std::vector<SortTerm>& terms() const { return terms_; }
    std::string expression(std::size_t term) const;
    // "ORDER BY ..." reading forward or backward.
    std::string orderBy(bool forward) const;
    // The condition for rows after (forward) or before the boundary made of
    // the first `count` terms (parameters ?1..?count) and, withRowid, the row
    // id (parameter ?count+1). inclusive lets the boundary row itself pass.
    std::string seekCondition(bool forward, std::size_t count, bool withRowid,
                              bool inclusive) const;
    // A condition every row passes that still seeks on the first term
    // (parameter ?1 = startValue), so reading from an end is a search too.
    std::string startCondition(bool forward) const;
    SqlValue startValue(bool forward) const;
    // The terms' values of the record now in the buffer, folded where the term is.
    std::vector<SqlValue> bufferValues(std::size_t count) const;
    // "rt_upper("Title"), "Location" DESC" for CREATE INDEX.
    std::string indexColumns() const;
    // Whether the key's index serves this order (the same terms).
    bool servedBy(const KeyDefinition& key) const;
    // The name of the index that serves this order in table: the same for the
    // same terms, in every process and build, however the text was spelled.
    std::string indexName(const std::string& table) const;

  private:
    std::string seekLevel(bool forward, std::size_t term, std::size_t count, bool withRowid,
                          bool inclusive) const;

    const FileDefinition* def_;
    std::vector<SortTerm> terms_;
};

// Double quotes a SQL identifier.
std::string quoteName(const std::string& name);

}  // namespace rt
