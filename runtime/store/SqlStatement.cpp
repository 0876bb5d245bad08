#define SQLITE_HAS_CODEC 1
#include "runtime/store/SqlStatement.h"

#include <sqlcipher/sqlite3.h>

namespace rt {

SqlStatement::~SqlStatement() {
    if (!stmt_) return;
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

void SqlStatement::bind(int index, const SqlValue& value) {
    if (auto* i = std::get_if<std::int64_t>(&value))
        sqlite3_bind_int64(stmt_, index, *i);
    else if (auto* d = std::get_if<double>(&value))
        sqlite3_bind_double(stmt_, index, *d);
    else {
        const auto& s = std::get<std::string>(value);
        sqlite3_bind_text(stmt_, index, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    }
}

void SqlStatement::bindAll(const std::vector<SqlValue>& values, int first) {
    for (std::size_t i = 0; i < values.size(); ++i) bind(first + static_cast<int>(i), values[i]);
}

int SqlStatement::step() {
    return sqlite3_step(stmt_);
}

int SqlStatement::columnCount() const {
    return sqlite3_column_count(stmt_);
}

SqlValue SqlStatement::column(int index) const {
    switch (sqlite3_column_type(stmt_, index)) {
        case SQLITE_INTEGER:
            return SqlValue(static_cast<std::int64_t>(sqlite3_column_int64(stmt_, index)));
        case SQLITE_FLOAT:
            return SqlValue(sqlite3_column_double(stmt_, index));
        case SQLITE_NULL:
            return SqlValue(std::string());
        default:
            return SqlValue(columnText(index));
    }
}

std::int64_t SqlStatement::columnInt(int index) const {
    return sqlite3_column_int64(stmt_, index);
}

std::string SqlStatement::columnText(int index) const {
    const unsigned char* text = sqlite3_column_text(stmt_, index);
    int size = sqlite3_column_bytes(stmt_, index);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size))
                : std::string();
}

}  // namespace rt
