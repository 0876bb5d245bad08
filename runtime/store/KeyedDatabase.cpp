#define SQLITE_HAS_CODEC 1
#include "runtime/store/KeyedDatabase.h"

#include <sqlcipher/sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "runtime/host/Progress.h"
#include "runtime/store/DataFileKeys.h"
#include "runtime/store/FileErrors.h"
#include "runtime/store/FileHead.h"
#include "runtime/store/NewDataFile.h"
#include "runtime/store/OwnerKeyRefusals.h"
#include "runtime/store/RecordLockFile.h"
#include "runtime/text/TextCase.h"

namespace rt {

namespace {

// SQLCipher's page size: a data file is always a whole number of pages.
constexpr std::uintmax_t kPageSize = 1024;
constexpr std::size_t kMaxStatements = 256;

DbStatus failure(int code, std::string text, int sqliteCode = 0) {
    return DbStatus{code, sqliteCode ? std::to_string(sqliteCode) : std::string(), std::move(text)};
}

DbStatus keyNotKnown() {
    return failure(ErrDriver,
                   "the key is not known (wrong owner password, or no master password given), "
                   "or not a data file",
                   SQLITE_NOTADB);
}

// Virtual machine steps between two progress reports of a long statement.
constexpr int kProgressSteps = 1000;

// What the progress window says while an index is built.
constexpr const char* kIndexBuildText =
    "Building an index for a new sort order; this is done only once.";

int reportProgress(void* scope) {
    static_cast<ProgressScope*>(scope)->step();
    return 0;  // never interrupts the statement
}

// The runtime's UPPER as an SQL function, so indexes and orders fold letters
// exactly as the runtime does.
void sqlUpper(sqlite3_context* context, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(context);
    if (sqlite3_value_type(argv[0]) != SQLITE_TEXT) return sqlite3_result_value(context, argv[0]);
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    std::string folded =
        upper(std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(argv[0]))));
    sqlite3_result_text(context, folded.data(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
}

DbStatus emptyPasswordRefused() {
    return failure(ErrDriver,
                   "an empty owner password is refused: the file would not be encrypted");
}

// What an existing file must look like before SQLite may touch it: SQLite
// would turn an empty file into a new database and read a plaintext one.
DbStatus checkExistingFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return failure(ErrDriver, "not a data file: a folder has the data file's name");
    std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) return failure(ErrAccessDenied, "cannot read the data file: " + ec.message());
    if (size == 0) return failure(ErrDriver, "not a data file: the file is empty");
    std::optional<std::string> head = readFileHead(path, 16);
    if (!head || (head->size() < 16 && size >= 16))
        return failure(ErrAccessDenied, "cannot read the data file");
    if (head->size() >= sizeof kPlainHeader &&
        std::memcmp(head->data(), kPlainHeader, sizeof kPlainHeader) == 0)
        return failure(ErrDriver, "not a data file: the file is not encrypted");
    if (size % kPageSize != 0) return failure(ErrDriver, "not a data file: the file is truncated");
    return {};
}

bool writable(const std::filesystem::path& path) {
    std::filesystem::path dir = path.parent_path().empty() ? "." : path.parent_path();
    return ::access(dir.c_str(), W_OK) == 0 &&
           (!std::filesystem::exists(path) || ::access(path.c_str(), W_OK) == 0);
}

std::string uriEscape(const std::string& path) {
    std::string out;
    for (unsigned char c : path) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20) {
            char buf[4];
            std::snprintf(buf, sizeof buf, "%%%02X", c);
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

}  // namespace

KeyedDatabase::KeyedDatabase(sqlite3* db, std::filesystem::path path, bool readOnly)
    : db_(db), path_(std::move(path)), readOnly_(readOnly) {}

KeyedDatabase::~KeyedDatabase() {
    clearStatements();
    sqlite3_close_v2(db_);
}

std::unique_ptr<KeyedDatabase> KeyedDatabase::open(const std::filesystem::path& path,
                                                   const std::string& password, bool create,
                                                   bool readOnly, DbStatus& status,
                                                   std::shared_ptr<const SecretBytes> onlyKey) {
    if (password.empty()) {
        status = emptyPasswordRefused();
        return nullptr;
    }
    bool exists = std::filesystem::exists(path);
    if (!exists && !create) {
        status = failure(ErrFileNotFound, "the data file does not exist");
        return nullptr;
    }
    if (exists && (status = checkExistingFile(path)).code != 0) return nullptr;
    if (!readOnly && !writable(path)) {
        status = failure(ErrAccessDenied, "no write access to the data file or its folder");
        return nullptr;
    }
    if (!exists && NewDataFile::make(path, password, {}, status) != 0) return nullptr;
    if (onlyKey) return connect(path, false, readOnly, CipherKey{password, onlyKey}, status);
    if (auto known = exists ? DataFileKeys::find(path) : nullptr) {
        // A key this process derived comes first; a file that was made anew
        // since, or keyed back to the owner password, still opens below.
        auto db = connect(path, false, readOnly, CipherKey{password, known}, status);
        if (db || status.driverCode != std::to_string(SQLITE_NOTADB)) return db;
    }
    if (exists && OwnerKeyRefusals::refused(path, password)) {
        status = keyNotKnown();
        return nullptr;
    }
    auto db = connect(path, false, readOnly, CipherKey{password, nullptr}, status);
    if (!db && exists && status.driverCode == std::to_string(SQLITE_NOTADB))
        OwnerKeyRefusals::note(path, password);
    return db;
}

std::unique_ptr<KeyedDatabase> KeyedDatabase::openNew(const std::filesystem::path& emptyFile,
                                                      const std::string& password,
                                                      DbStatus& status) {
    if (password.empty()) {
        status = emptyPasswordRefused();
        return nullptr;
    }
    return connect(emptyFile, true, false, CipherKey{password, nullptr}, status);
}

std::unique_ptr<KeyedDatabase> KeyedDatabase::connect(const std::filesystem::path& path,
                                                      bool create, bool readOnly,
                                                      const CipherKey& key, DbStatus& status) {
    int flags = SQLITE_OPEN_FULLMUTEX | (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE);
    if (create) flags |= SQLITE_OPEN_CREATE;
    std::string name = path.string();
    if (readOnly && !writable(path)) {
        // A write-protected file cannot have the shared WAL index beside it;
        // nobody may write it either, so read it as an unchanging file.
        name = "file:" + uriEscape(std::filesystem::absolute(path).string()) + "?immutable=1";
        flags |= SQLITE_OPEN_URI;
    }
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
    std::unique_ptr<KeyedDatabase> self(new KeyedDatabase(db, path, readOnly));
    if (rc != SQLITE_OK) {
        status = failure(rc == SQLITE_CANTOPEN ? ErrAccessDenied : ErrDriver,
                         db ? sqlite3_errmsg(db) : "cannot open the data file", rc);
        return nullptr;
    }
    status = self->configure(key, create);
    if (status.code != 0) return nullptr;
    return self;
}

bool KeyedDatabase::waitsForKey(const std::filesystem::path& path, const std::string& password) {
    if (!std::filesystem::exists(path) || checkExistingFile(path).code != 0) return false;
    DbStatus status;
    auto db = open(path, password, false, !writable(path), status);
    return !db && keyNeeded(path, status);
}

bool KeyedDatabase::keyNeeded(const std::filesystem::path& path, const DbStatus& status) {
    if (status.driverCode != std::to_string(SQLITE_NOTADB)) return false;
    auto salt = fileSalt(path);
    return salt && KeyDerivation::namesParameters(*salt);
}

DbStatus KeyedDatabase::configure(const CipherKey& key, bool created) {
    sqlite3_extended_result_codes(db_, 1);
    // Another station may hold a lock this very moment (it may be opening
    // the file's log): the first reads wait for it as every later one does.
    setBusyTimeout(busyTimeout_);
    {
        // A process that resolved the plain library answers nothing here and
        // would write plaintext: refuse before the key is even set.
        SqlStatement cipher = statement("PRAGMA cipher_version");
        if (!cipher.valid() || cipher.step() != SQLITE_ROW || cipher.columnText(0).empty())
            return failure(ErrDriver, "the storage library has no cipher: refusing to open");
    }
    clearStatements();
    int keyed = created ? keyNewFile(db_, key.ownerPassword) : applyKey(db_, key);
    if (keyed != SQLITE_OK) return failure(ErrDriver, "the key could not be set");
    key_ = key;
    int rc = exec("SELECT count(*) FROM sqlite_master");
    if (rc == SQLITE_NOTADB) return keyNotKnown();
    if ((rc & 0xff) == SQLITE_CORRUPT)
        return failure(ErrDriver, "not a data file: the file is damaged", rc);
    if (rc != SQLITE_OK) return status(rc);
    if (!readOnly_ && (rc = exec("PRAGMA journal_mode=WAL")) != SQLITE_OK) return status(rc);
    exec("PRAGMA synchronous=FULL");
    // Sorts and index builds keep their scratch data in memory: a temporary
    // file would hold rows of the data file outside its encryption.
    exec("PRAGMA temp_store=MEMORY");
    sqlite3_create_function_v2(db_, "rt_upper", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               sqlUpper, nullptr, nullptr, nullptr);
    if (!created) {
        std::error_code ec;
        auto wal = std::filesystem::path(path_.string() + "-wal");
        bool walEmpty = !std::filesystem::exists(wal) || std::filesystem::file_size(wal, ec) == 0;
        SqlStatement pages = statement("PRAGMA page_count");
        std::int64_t count = pages.step() == SQLITE_ROW ? pages.columnInt(0) : 0;
        if (walEmpty &&
            static_cast<std::uintmax_t>(count) * kPageSize > std::filesystem::file_size(path_, ec))
            return failure(ErrDriver, "not a data file: the file is truncated");
    }
    return {};
}

SqlStatement KeyedDatabase::statement(const std::string& sql) {
    if (keyInDoubt_) return SqlStatement(nullptr);
    auto it = statements_.find(sql);
    if (it != statements_.end()) return SqlStatement(it->second);
    // Filters written into the SQL make statements that may never come
    // back; start over rather than grow without bound.
    if (statements_.size() >= kMaxStatements) clearStatements();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(stmt);
        return SqlStatement(nullptr);
    }
    statements_.emplace(sql, stmt);
    return SqlStatement(stmt);
}

int KeyedDatabase::exec(const std::string& sql) {
    if (keyInDoubt_) return SQLITE_IOERR;
    char* message = nullptr;
    int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message);
    sqlite3_free(message);
    return rc;
}

int KeyedDatabase::buildIndex(const std::string& sql, int busyMs) {
    int previous = busyTimeout_;
    setBusyTimeout(busyMs);
    ProgressScope progress(kIndexBuildText);
    sqlite3_progress_handler(db_, kProgressSteps, reportProgress, &progress);
    int rc = exec(sql);
    sqlite3_progress_handler(db_, 0, nullptr, nullptr);
    setBusyTimeout(previous);
    return rc;
}

DbStatus KeyedDatabase::status(int sqliteCode) const {
    if (sqliteCode == SQLITE_OK || sqliteCode == SQLITE_ROW || sqliteCode == SQLITE_DONE) return {};
    int primary = sqliteCode & 0xff;
    int code = ErrDriver;
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED) code = ErrFileLocked;
    if (primary == SQLITE_READONLY || primary == SQLITE_PERM) code = ErrAccessDenied;
    if (sqliteCode == SQLITE_CONSTRAINT_UNIQUE || sqliteCode == SQLITE_CONSTRAINT_PRIMARYKEY)
        code = ErrDuplicateKey;
    // Damage met by any read after the open: say which file it is in.
    if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
        return failure(code, "the data file " + path_.string() + " is damaged", sqliteCode);
    const char* text = primary == SQLITE_FULL ? "the disk is full" : sqlite3_errstr(sqliteCode);
    return failure(code, text, sqliteCode);
}

bool KeyedDatabase::tableExists(const std::string& table) {
    SqlStatement s = statement("SELECT 1 FROM sqlite_master WHERE type='table' AND name=?");
    s.bind(1, table);
    return s.step() == SQLITE_ROW;
}

std::vector<std::string> KeyedDatabase::queryPlan(const std::string& sql) {
    std::vector<std::string> lines;
    SqlStatement s = statement("EXPLAIN QUERY PLAN " + sql);
    if (!s.valid()) return {std::string("cannot prepare: ") + sqlite3_errmsg(db_)};
    while (s.step() == SQLITE_ROW) lines.push_back(s.columnText(3));
    return lines;
}

std::string KeyedDatabase::integrityCheck() {
    std::string result;
    SqlStatement s = statement("PRAGMA integrity_check");
    while (s.step() == SQLITE_ROW) result += (result.empty() ? "" : "\n") + s.columnText(0);
    return result;
}

bool KeyedDatabase::indexExists(const std::string& index) {
    SqlStatement s = statement("SELECT 1 FROM sqlite_master WHERE type='index' AND name=?");
    s.bind(1, index);
    return s.step() == SQLITE_ROW;
}

void KeyedDatabase::setBusyTimeout(int milliseconds) {
    busyTimeout_ = milliseconds;
    sqlite3_busy_timeout(db_, milliseconds);
}

bool KeyedDatabase::inTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

void KeyedDatabase::changeKeyAtCommit(std::shared_ptr<const SecretBytes> key,
                                      std::shared_ptr<RecordLockFile> locks) {
    keyChange_ = std::make_unique<KeyChange>(
        KeyChange{CipherKey{key_.ownerPassword, std::move(key)}, std::move(locks)});
}

int KeyedDatabase::commit(DbStatus& status) {
    if (keyChange_) return commitWithNewKey(status);
    int rc = exec("COMMIT");
    status = this->status(rc);
    return status.code;
}

void KeyedDatabase::rollback() {
    keyChange_.reset();
    if (inTransaction()) exec("ROLLBACK");
}

// Every station keeps its connection keyed as it opened it, so a station
// that has the file open would read nothing after the change: the change
// waits for the file to be this station's alone, and holds it so until done.
int KeyedDatabase::commitWithNewKey(DbStatus& status) {
    std::unique_ptr<KeyChange> change = std::move(keyChange_);
    if (change->locks && !change->locks->beginSoleUse()) {
        rollback();
        status = failure(ErrAccessDenied,
                         "another station has the data file open: its key cannot change now");
        return status.code;
    }
    rekeyWholeInCache(change->to);
    bool changed = keyOpensFile(path_, change->to);
    if (changed) {
        key_ = change->to;
        exec("COMMIT");  // the pager committed; this ends the transaction
        status = {};
    } else if (keyOpensFile(path_, key_)) {
        // The pager rolled back, and the cipher may have kept the new key
        // for writing: key the connection as the file still is.
        applyKey(db_, key_);
        rollback();
        status = failure(ErrDriver, "the data file could not be re-keyed: nothing was changed");
    } else {
        // Neither key reads the file from here: writing on with either could
        // mix keys in one file, so this connection neither reads nor writes
        // again. A new open finds out which key the file has.
        keyInDoubt_ = true;
        status = failure(ErrDriver, "the data file's key is in doubt: open it again");
    }
    if (change->locks) change->locks->endSoleUse();
    if (!changed) return status.code;
    if (key_.key)
        DataFileKeys::remember(path_, key_.key);
    else
        DataFileKeys::forget(path_);
    return 0;
}

// The cipher rewrites every page under the new key in this transaction; a
// page spilled from a full cache midway, with rows of the transaction
// already dirty, fails the whole change. So the cache holds the whole file
// for the moment of the change (memory about the file's size), and gives
// the memory back after.
void KeyedDatabase::rekeyWholeInCache(const CipherKey& to) {
    auto pragmaValue = [&](const char* sql) {
        SqlStatement s = statement(sql);
        return s.valid() && s.step() == SQLITE_ROW ? s.columnInt(0) : std::int64_t{0};
    };
    std::int64_t cacheSize = pragmaValue("PRAGMA cache_size");
    std::int64_t pages = pragmaValue("PRAGMA page_count");
    exec("PRAGMA cache_size=" + std::to_string(pages + 1000));
    rekeyAndCommit(db_, to);
    exec("PRAGMA cache_size=" + std::to_string(cacheSize));
    sqlite3_db_release_memory(db_);
}

void KeyedDatabase::clearStatements() {
    for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
    statements_.clear();
}

int KeyedDatabase::changes() const {
    return sqlite3_changes(db_);
}

std::int64_t KeyedDatabase::lastInsertRowid() const {
    return sqlite3_last_insert_rowid(db_);
}

}  // namespace rt
