// KeyedDatabase's copy of its file through SQLite's online backup.
#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <string_view>

#include "runtime/store/FileErrors.h"
#include "runtime/store/KeyedDatabase.h"

namespace rt {

namespace {

// Every page in one step: the copy is one read transaction's picture of the
// file, whatever another station writes meanwhile.
int copyPages(sqlite3* from, sqlite3* to) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup) return sqlite3_errcode(to);
    int rc = sqlite3_backup_step(backup, -1);
    int finished = sqlite3_backup_finish(backup);
    return rc == SQLITE_DONE ? finished : rc;
}

// The copied header names write-ahead logging; a copy on its own is better
// kept in rollback-journal mode, which needs no files beside it to be read.
int useRollbackJournal(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, "PRAGMA journal_mode=DELETE", -1, &stmt, nullptr);
    if (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const unsigned char* mode = sqlite3_column_text(stmt, 0);
        rc = mode && std::string_view(reinterpret_cast<const char*>(mode)) == "delete"
                 ? SQLITE_OK
                 : SQLITE_ERROR;
    }
    sqlite3_finalize(stmt);
    return rc;
}

void removeWithCompanions(const std::filesystem::path& file) {
    std::error_code ec;
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        std::filesystem::remove(file.string() + suffix, ec);
}

}  // namespace

DbStatus KeyedDatabase::copyTo(const std::filesystem::path& copy) {
    auto salt = fileSalt(path_);
    if (!salt) return DbStatus{ErrAccessDenied, {}, "cannot read the data file's salt"};
    sqlite3* to = nullptr;
    int rc = sqlite3_open_v2(copy.c_str(), &to,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                             nullptr);
    if (rc == SQLITE_OK) rc = keyCopyOf(to, key_, *salt);
    if (rc == SQLITE_OK) rc = copyPages(db_, to);
    if (rc == SQLITE_OK) rc = useRollbackJournal(to);
    std::string text = to ? sqlite3_errmsg(to) : "cannot create the copy";
    if (sqlite3_close(to) != SQLITE_OK && rc == SQLITE_OK) rc = SQLITE_IOERR;
    if (rc == SQLITE_OK) return {};
    removeWithCompanions(copy);
    DbStatus failed = status(rc);
    failed.driverText = text;
    return failed;
}

}  // namespace rt
