#pragma once
// One prepared statement of a data file's connection, borrowed from the
// connection's cache for the time of one use: binds, steps, reads columns and
// resets itself when it goes out of scope. Borrows the statement handle, which
// the connection owns and keeps; one thread at a time.

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/store/SqlValue.h"

struct sqlite3_stmt;

namespace rt {

class SqlStatement {
  public:
    explicit SqlStatement(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    bool valid() const { return stmt_ != nullptr; }
    // Parameters count from 1.
    void bind(int index, const SqlValue& value);
    void bindAll(const std::vector<SqlValue>& values, int first = 1);
    // The SQLite result code of one step: SQLITE_ROW, SQLITE_DONE or an error.
    int step();
    int columnCount() const;
    SqlValue column(int index) const;
    std::int64_t columnInt(int index) const;
    std::string columnText(int index) const;

  private:
    sqlite3_stmt* stmt_;
};

}  // namespace rt
