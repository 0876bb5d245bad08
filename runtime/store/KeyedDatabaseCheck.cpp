// KeyedDatabase's full check of its file.
#define SQLITE_HAS_CODEC 1
#include <sqlcipher/sqlite3.h>

#include <algorithm>

#include "runtime/host/Progress.h"
#include "runtime/store/KeyedDatabase.h"

namespace rt {

namespace {

// Virtual machine steps between two progress reports.
constexpr int kCheckSteps = 1000;

// How far a check has come: the check reads every page once, so the pages
// read from the file so far against the file's page count. The cache holds
// what was read already, so each page counts once.
struct CheckMeter {
    sqlite3* db;
    std::int64_t pages;
    ProgressScope* scope;
};

int reportCheckProgress(void* data) {
    auto* meter = static_cast<CheckMeter*>(data);
    int read = 0, highest = 0;
    sqlite3_db_status(meter->db, SQLITE_DBSTATUS_CACHE_MISS, &read, &highest, 0);
    double done = meter->pages > 0 ? static_cast<double>(read) / meter->pages : 0.0;
    meter->scope->step(std::min(done, 1.0));
    return 0;  // never interrupts the check
}

std::int64_t pageCount(sqlite3* db) {
    sqlite3_stmt* stmt = nullptr;
    std::int64_t pages = 0;
    if (sqlite3_prepare_v2(db, "PRAGMA page_count", -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW)
        pages = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return pages;
}

// Runs one checking pragma and adds every line it reports but "ok"; a pragma
// the library does not know answers nothing. A page that cannot be read
// ends the pragma with an error, which is a problem too.
void collect(sqlite3* db, const char* pragma, std::vector<std::string>& problems) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, pragma, -1, &stmt, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const unsigned char* line = sqlite3_column_text(stmt, 0);
        std::string text = line ? reinterpret_cast<const char*>(line) : "";
        if (text != "ok") problems.push_back(text);
        rc = SQLITE_OK;
    }
    if (rc != SQLITE_DONE && rc != SQLITE_OK)
        problems.push_back(std::string("the file could not be read: ") + sqlite3_errmsg(db));
    sqlite3_finalize(stmt);
}

}  // namespace

std::vector<std::string> KeyedDatabase::checkWholeFile(const std::string& text) {
    std::vector<std::string> problems;
    ProgressScope progress(text);
    CheckMeter meter{db_, pageCount(db_), &progress};
    int unused = 0;
    sqlite3_db_status(db_, SQLITE_DBSTATUS_CACHE_MISS, &unused, &unused, 1);
    sqlite3_progress_handler(db_, kCheckSteps, reportCheckProgress, &meter);
    // The cipher's own check reads every page of the file and verifies its
    // authentication code, free pages included; older ciphers lack it.
    collect(db_, "PRAGMA cipher_integrity_check", problems);
    collect(db_, "PRAGMA integrity_check", problems);
    sqlite3_progress_handler(db_, 0, nullptr, nullptr);
    progress.step(1.0);
    return problems;
}

}  // namespace rt
