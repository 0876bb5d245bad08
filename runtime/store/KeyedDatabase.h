#pragma once
// One SQLCipher connection on one data file (".lkdb"), keyed with the owner
// password or, once a master password is set, with the key this process
// derived from it (DataFileKeys): refuses plaintext, empty, truncated and
// foreign files, runs in WAL mode with full synchronous commits, caches
// prepared statements and owns them. A station's handles on the same file
// share it; one thread at a time.
//
// Open states: missing file -> made whole (only with create on) -> verified
// (cipher answers, key accepted, size agrees with the page count) -> ready.
// A file that fails any check is never written to.
//
// Key states: keyed (owner password or master key) -> change pending (a
// write set the master password; the new key is derived) -> keyed anew by
// the commit, which re-encrypts every page in the same pager commit as the
// write, or as before after a rollback or a refused change.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "runtime/store/CipherKey.h"
#include "runtime/store/SqlStatement.h"

struct sqlite3;
struct sqlite3_stmt;

namespace rt {

class RecordLockFile;

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

    // Opens path with the key this process knows for it, else with the owner
    // password; a missing file is made (keyed with the owner password, see
    // NewDataFile) only when create is set. readOnly opens without write access. With
    // onlyKey, that key alone is tried.
    static std::unique_ptr<KeyedDatabase> open(const std::filesystem::path& path,
                                               const std::string& password, bool create,
                                               bool readOnly, DbStatus& status,
                                               std::shared_ptr<const SecretBytes> onlyKey = {});
    // Opens an empty file (made by NewDataFile) as a new data file, keyed
    // with the owner password over a fresh salt.
    static std::unique_ptr<KeyedDatabase> openNew(const std::filesystem::path& emptyFile,
                                                  const std::string& password, DbStatus& status);
    // True when path is a data file that opens neither with the owner
    // password nor with a key this process knows: it waits for its key.
    static bool waitsForKey(const std::filesystem::path& path, const std::string& password);
    // True when an open of path failed with status because the file is
    // keyed with a master password this process does not know: a key that
    // does not read the file, and a salt that names key parameters.
    static bool keyNeeded(const std::filesystem::path& path, const DbStatus& status);

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
    // A full check: every page's authentication code (where the cipher
    // offers that check), then every table and index. Empty when the file
    // is sound, else one line per problem. Reports its progress through
    // rt::ProgressScope under text.
    std::vector<std::string> checkWholeFile(const std::string& text);
    // Copies the whole file, as one read transaction sees it, with SQLite's
    // online backup into copy, a new file keyed exactly as this one (same
    // key, same salt), so that the copy opens as this file does. The copy
    // uses a rollback journal: one self-contained file. A copy left half
    // made by a failure is removed.
    // REQUIRES: copy does not exist yet.
    DbStatus copyTo(const std::filesystem::path& copy);
    bool indexExists(const std::string& index);

    // Milliseconds a write waits for another station's write lock.
    void setBusyTimeout(int milliseconds);
    int busyTimeout() const { return busyTimeout_; }
    bool inTransaction() const;
    // Ends the running transaction; a pending key change is made by it.
    int commit(DbStatus& status);
    void rollback();
    // The transaction's commit re-keys the file: with key, or with the owner
    // password when key is null. Refused at the commit (and the transaction
    // rolled back) while a station other than the one holding locks has the
    // file open. REQUIRES: a write transaction is running.
    void changeKeyAtCommit(std::shared_ptr<const SecretBytes> key,
                           std::shared_ptr<RecordLockFile> locks);
    bool keyedWithMasterKey() const { return key_.key != nullptr; }
    // Drops every cached statement (after schema changes elsewhere).
    void clearStatements();
    int changes() const;
    std::int64_t lastInsertRowid() const;

  private:
    struct KeyChange {
        CipherKey to;
        std::shared_ptr<RecordLockFile> locks;
    };

    KeyedDatabase(sqlite3* db, std::filesystem::path path, bool readOnly);
    static std::unique_ptr<KeyedDatabase> connect(const std::filesystem::path& path, bool create,
                                                  bool readOnly, const CipherKey& key,
                                                  DbStatus& status);
    DbStatus configure(const CipherKey& key, bool created);
    int commitWithNewKey(DbStatus& status);
    void rekeyWholeInCache(const CipherKey& to);

    sqlite3* db_;
    std::filesystem::path path_;
    bool readOnly_;
    int busyTimeout_ = 10000;
    CipherKey key_;
    std::unique_ptr<KeyChange> keyChange_;
    bool keyInDoubt_ = false;
    std::unordered_map<std::string, sqlite3_stmt*> statements_;
};

// The first bytes of a plaintext SQLite file; an encrypted file never has them.
inline constexpr char kPlainHeader[] = "SQLite format 3";

}  // namespace rt
