#include "runtime/store/KeyedStation.h"

#include "runtime/store/FileErrors.h"

namespace rt {

KeyedStation::~KeyedStation() {
    DbStatus ignored;
    if (inTransaction()) rollback(ignored);
}

std::shared_ptr<KeyedStation> KeyedStation::currentShared() {
    // Shared with every handle made on it: handles in static or thread-local
    // objects may close after this thread's own reference is gone, so the
    // station ends with the last of them. A transaction left open rolls back
    // when its connection closes with the last handle.
    thread_local std::shared_ptr<KeyedStation> station = std::make_shared<KeyedStation>();
    return station;
}

KeyedStation& KeyedStation::current() {
    return *currentShared();
}

std::shared_ptr<KeyedDatabase> KeyedStation::connect(const std::filesystem::path& path,
                                                     const std::string& password, bool create,
                                                     bool readOnly, DbStatus& status) {
    std::string id = std::filesystem::absolute(path).lexically_normal().string() + '\0' + password +
                     (readOnly ? "\1" : "\2");
    if (auto shared = connections_[id].lock()) return shared;
    std::shared_ptr<KeyedDatabase> db =
        KeyedDatabase::open(path, password, create, readOnly, status);
    if (db) connections_[id] = db;
    return db;
}

std::shared_ptr<RecordLockFile> KeyedStation::locks(const std::filesystem::path& path) {
    std::string id = std::filesystem::absolute(path).lexically_normal().string();
    if (auto shared = locks_[id].lock()) return shared;
    auto file = std::make_shared<RecordLockFile>(path);
    locks_[id] = file;
    return file;
}

void KeyedStation::enlist(KeyedFile* file, bool on) {
    if (on)
        enlisted_.insert(file);
    else
        enlisted_.erase(file);
}

int KeyedStation::begin(const std::vector<std::shared_ptr<KeyedDatabase>>& dbs, int timeoutSeconds,
                        DbStatus& status) {
    if (inTransaction()) {
        status = {ErrTransactionActive, {}, "a transaction is already running"};
        return status.code;
    }
    for (const auto& db : dbs) {
        int previous = db->busyTimeout();
        db->setBusyTimeout(timeoutSeconds * 1000);
        int rc = db->exec("BEGIN IMMEDIATE");
        db->setBusyTimeout(previous);
        if (rc != 0) {
            status = db->status(rc);
            status.code = ErrTransactionRefused;
            DbStatus ignored;
            rollback(ignored);
            return status.code;
        }
        transaction_.push_back(db);
    }
    status = {};
    return 0;
}

bool KeyedStation::holds(const KeyedDatabase* db) const {
    for (const auto& held : transaction_)
        if (held.get() == db) return true;
    return false;
}

int KeyedStation::commit(DbStatus& status) {
    status = {};
    for (auto& db : transaction_) {
        DbStatus one;
        if (db->commit(one) != 0 && status.code == 0) status = one;
    }
    if (status.code != 0) {
        DbStatus failed = status;
        rollback(status);
        status = failed;
        return failed.code;
    }
    transaction_.clear();
    return 0;
}

int KeyedStation::rollback(DbStatus& status) {
    status = {};
    for (auto& db : transaction_) db->rollback();
    transaction_.clear();
    return 0;
}

}  // namespace rt
