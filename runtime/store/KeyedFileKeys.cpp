// KeyedFile: the data file's key. A table whose definition names a master
// key field re-keys the file when a write changes that field; a file keyed
// with a master password waits until this process unlocks it.
#include "runtime/store/CipherKey.h"
#include "runtime/store/DataFileKeys.h"
#include "runtime/store/FileErrors.h"
#include "runtime/store/KeyDerivation.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/text/FixedText.h"

namespace rt {

// The master-key field's text, trailing spaces removed, in a row's values.
std::string KeyedFile::masterKeyText(const std::vector<SqlValue>& row) const {
    int field = def_.masterKeyField();
    if (field < 0 || field >= static_cast<int>(row.size())) return {};
    const auto* text = std::get_if<std::string>(&row[field]);
    return text ? rightTrim(*text) : std::string();
}

// Called inside the write's transaction once its row is written: a master
// password that changed, or one the file is not keyed with yet, has the
// commit re-key the file.
int KeyedFile::noteMasterKey(const std::vector<SqlValue>& before,
                             const std::vector<SqlValue>& after) {
    if (def_.masterKeyField() < 0) return 0;
    std::string was = masterKeyText(before), now = masterKeyText(after);
    bool keyed = db_->keyedWithMasterKey();
    bool same = now.empty() ? !keyed : now == was && keyed;
    wipeMemory(was.data(), was.size());
    if (same) {
        wipeMemory(now.data(), now.size());
        return 0;
    }
    auto salt = fileSalt(path());
    if (!salt || !KeyDerivation::namesParameters(*salt)) {
        // A file made before its salt named key parameters: keyed with a
        // master password it could not be told from a foreign file, so it
        // keeps the owner password (made anew, it gets a named salt).
        wipeMemory(now.data(), now.size());
        return 0;
    }
    std::shared_ptr<const SecretBytes> key;
    if (!now.empty()) {
        key = KeyDerivation::derive(now, *salt);
        wipeMemory(now.data(), now.size());
        if (!key) {
            status_ = DbStatus{ErrDriver, {}, "the data file's key could not be derived"};
            return ErrDriver;
        }
    }
    db_->changeKeyAtCommit(std::move(key), locks_);
    return 0;
}

bool KeyedFile::waitsForKey() const {
    return !db_ && KeyedDatabase::waitsForKey(path(), def_.ownerPassword());
}

int KeyedFile::unlock(std::string_view password) {
    auto salt = fileSalt(path());
    if (!salt)
        return finish(ErrFileNotFound, {ErrFileNotFound, {}, "the data file cannot be read"});
    std::shared_ptr<const SecretBytes> key = KeyDerivation::derive(password, *salt);
    if (!key) return finish(ErrDriver, {ErrDriver, {}, "the data file's key could not be derived"});
    DbStatus status;
    auto db = KeyedDatabase::open(path(), def_.ownerPassword(), false, false, status, key);
    if (!db) {
        if (status.code == ErrDriver)
            status.driverText = "the password does not unlock the data file";
        return finish(status.code, status);
    }
    DataFileKeys::remember(path(), std::move(key));
    return finish(0);
}

bool KeyedFile::openedByOtherStations() {
    return station_->locks(path())->openedByOthers();
}

}  // namespace rt
