#include "tests/support/CipherQuery.h"

#include <sqlcipher/sqlite3.h>

namespace testsupport {

namespace {

// PRAGMA key with the key as an SQL string literal.
std::string keyPragma(const std::string& key) {
    std::string quoted;
    for (char c : key) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return "PRAGMA key = '" + quoted + "'";
}

}  // namespace

Rows cipherQuery(const std::filesystem::path& file, const std::string& key,
                 const std::string& sql) {
    sqlite3* db = nullptr;
    Rows rows;
    auto fail = [&](const std::string& what) {
        rows = {{"error: " + what + ": " + (db ? sqlite3_errmsg(db) : "no connection")}};
    };
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        sqlite3_exec(db, keyPragma(key).c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        fail("open");
        sqlite3_close(db);
        return rows;
    }
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        fail("prepare");
        sqlite3_close(db);
        return rows;
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        std::vector<std::string> row;
        for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
            auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
            row.emplace_back(text ? text : "");
        }
        rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) fail("step");
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

}  // namespace testsupport
