#pragma once
// One SQLCipher connection on one data file (".lkdb"), keyed with the owner
// password: refuses plaintext, empty, truncated and foreign files, runs in WAL
// mode with full synchronous commits, caches prepared statements and owns
// them. A station's handles on the same file share it; one thread at a time.
//
// Open states: missing file -> created (only with create on) -> verified
// (cipher answers, key accepted, size agrees with the page count) -> ready.
// A file that fails any check is never written to.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "runtime/store/SqlStatement.h"

struct sqlite3;
struct sqlite3_stmt;

namespace rt {

struct DbStatus {
    int code = 0;            // the runtime's error code (0 = success)
    std::string driverCode;  // SQLite's code, as text
    std::string driverText;  // what SQLite or the driver said
};

class KeyedDatabase {
  public:
    ~KeyedDatabase();
    KeyedDatabase(const KeyedDatabase&) = delete;
    KeyedDatabase& operator=(const KeyedDatabase&) = delete;

    // Opens path with the owner password; a missing file is created only when
    // create is set. readOnly opens without write access.
    static std::unique_ptr<KeyedDatabase> open(const std::filesystem::path& path,
                                               const std::string& password, bool create,
                                               bool readOnly, DbStatus& status);

    const std::filesystem::path& path() const { return path_; }
    bool readOnly() const { return readOnly_; }

    // A cached statement; invalid() when the SQL does not compile (see lastStatus).
    SqlStatement statement(const std::string& sql);
    // Runs SQL without results; answers the SQLite code.
    int exec(const std::string& sql);
    // Runs a CREATE INDEX, reporting its progress (rt::ProgressScope), with
    // a write lock wait of busyMs for this statement only; answers the code.
    int buildIndex(const std::string& sql, int busyMs);
    DbStatus status(int sqliteCode) const;
    bool tableExists(const std::string& table);
    // The detail lines of EXPLAIN QUERY PLAN for one statement.
    std::vector<std::string> queryPlan(const std::string& sql);
    // "ok", or what PRAGMA integrity_check found.
    std::string integrityCheck();
    bool indexExists(const std::string& index);

    // Milliseconds a write waits for another station's write lock.
    void setBusyTimeout(int milliseconds);
    int busyTimeout() const { return busyTimeout_; }
    bool inTransaction() const;
    // Drops every cached statement (after schema changes elsewhere).
    void clearStatements();
    int changes() const;
    std::int64_t lastInsertRowid() const;

  private:
    KeyedDatabase(sqlite3* db, std::filesystem::path path, bool readOnly);
    DbStatus configure(const std::string& password, bool created);

    sqlite3* db_;
    std::filesystem::path path_;
    bool readOnly_;
    int busyTimeout_ = 10000;
    std::unordered_map<std::string, sqlite3_stmt*> statements_;
};

// The first bytes of a plaintext SQLite file; an encrypted file never has them.
inline constexpr char kPlainHeader[] = "SQLite format 3";

}  // namespace rt
