#pragma once
// A station: what one user's program holds on data files. Its handles on one
// file share one connection (so a transaction spans them) and one record-lock
// file; two stations never share either, so they see each other only through
// the file. Each thread has a station of its own; tests make more to act as
// other stations. Owns its connections through the handles' shares.

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "runtime/store/KeyedDatabase.h"
#include "runtime/store/RecordLockFile.h"

namespace rt {

class KeyedFile;

class KeyedStation {
  public:
    KeyedStation() = default;
    ~KeyedStation();
    KeyedStation(const KeyedStation&) = delete;
    KeyedStation& operator=(const KeyedStation&) = delete;

    // The calling thread's station.
    static KeyedStation& current();
    static std::shared_ptr<KeyedStation> currentShared();

    // The station's connection to path, opened on first use.
    std::shared_ptr<KeyedDatabase> connect(const std::filesystem::path& path,
                                           const std::string& password, bool create, bool readOnly,
                                           DbStatus& status);
    std::shared_ptr<RecordLockFile> locks(const std::filesystem::path& path);

    // Transaction states: none -> running (every connection holds the write
    // lock from its start) -> none by commit or rollback.
    int begin(const std::vector<std::shared_ptr<KeyedDatabase>>& dbs, int timeoutSeconds,
              DbStatus& status);
    int commit(DbStatus& status);
    int rollback(DbStatus& status);
    bool inTransaction() const { return !transaction_.empty(); }
    // Whether db is one of the running transaction's databases.
    bool holds(const KeyedDatabase* db) const;

    // Files whose logout property is set: the next transaction's files.
    void enlist(KeyedFile* file, bool on);
    const std::set<KeyedFile*>& enlisted() const { return enlisted_; }

  private:
    std::map<std::string, std::weak_ptr<KeyedDatabase>> connections_;
    std::map<std::string, std::weak_ptr<RecordLockFile>> locks_;
    std::vector<std::shared_ptr<KeyedDatabase>> transaction_;
    std::set<KeyedFile*> enlisted_;
};

}  // namespace rt
