#include "app/CheckOpener.h"

#include "app/OwnerPassword.h"
#include "app/TerminalPassword.h"
#include "runtime/store/CipherKey.h"
#include "runtime/store/FileErrors.h"

namespace {

// The driver's codes say whether a file that did not open could not be read
// at all or is no sound data file.
CheckOpener::Outcome outcomeOf(const rt::DbStatus& status) {
    return status.code == rt::ErrDriver ? CheckOpener::Outcome::NotSound
                                        : CheckOpener::Outcome::CannotRead;
}

// As a writer where it may write, though nothing is written: the last
// connection to close then folds the write-ahead log back into the file and
// removes the log and its index, as the program does, instead of leaving
// them beside it. Read-only where writing is refused.
std::unique_ptr<rt::KeyedDatabase> openAs(const std::filesystem::path& file, rt::DbStatus& status,
                                          std::shared_ptr<const rt::SecretBytes> key) {
    auto db = rt::KeyedDatabase::open(file, kOwnerPassword, false, false, status, key);
    if (db || status.code != rt::ErrAccessDenied) return db;
    return rt::KeyedDatabase::open(file, kOwnerPassword, false, true, status, key);
}

}  // namespace

CheckOpener::~CheckOpener() {
    password_.wipe();
}

std::unique_ptr<rt::KeyedDatabase> CheckOpener::open(const std::filesystem::path& file, bool mayAsk,
                                                     Outcome& outcome, std::string& why) {
    rt::DbStatus status;
    auto db = openAs(file, status, nullptr);
    outcome = db ? Outcome::Opened : outcomeOf(status);
    why = status.driverText;
    if (db || !rt::KeyedDatabase::keyNeeded(file, status)) return db;
    if (mayAsk && !asked_) {
        asked_ = true;
        given_ = ReadMasterPassword(password_);
    }
    auto salt = rt::fileSalt(file);
    auto key = given_ && salt ? keyFor(*salt) : nullptr;
    if (!key) {
        outcome = Outcome::NoPassword;
        why = "it is keyed with a master password, and none was given";
        return nullptr;
    }
    db = openAs(file, status, key);
    if (db) {
        outcome = Outcome::Opened;
    } else if (rt::KeyedDatabase::keyNeeded(file, status)) {
        outcome = Outcome::WrongPassword;
        why = "the master password given does not open it";
    } else {
        outcome = outcomeOf(status);
        why = status.driverText;
    }
    return db;
}

std::shared_ptr<const rt::SecretBytes> CheckOpener::keyFor(const rt::KeyDerivation::Salt& salt) {
    auto known = keys_.find(salt);
    if (known != keys_.end()) return known->second;
    std::string typed = password_.clipped();
    std::shared_ptr<const rt::SecretBytes> key = rt::KeyDerivation::derive(typed, salt);
    rt::wipeMemory(typed.data(), typed.size());
    keys_.emplace(salt, key);
    return key;
}
