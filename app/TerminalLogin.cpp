#include "app/TerminalLogin.h"

#include <filesystem>

#include "app/Dictionary.h"
#include "app/GlobalErrors.h"
#include "app/TerminalPassword.h"
#include "runtime/host/LastError.h"
#include "runtime/store/DataFileKeys.h"
#include "runtime/store/FileErrors.h"
#include "runtime/store/SecretBytes.h"

std::string lastErrorText() {
    const rt::LastError& error = rt::lastError();
    if (error.driverText.empty()) return error.text;
    return error.text + " (" + error.driverText + ")";
}

namespace {

// The managers' own open reports a failure with a fatal error, which ends
// the program: each table is first opened here, where a failure is only a
// code. A missing table is no failure: its manager creates it.
bool opensAtAll(rt::KeyedFile& file, std::string& why) {
    int code = file.open();
    if (code == 0) file.close();
    if (code == 0 || code == rt::ErrFileNotFound) return true;
    why = lastErrorText();
    return false;
}

}  // namespace

TerminalLogin::TerminalLogin() {
    GlobalErrors.Init(GlobalErrorStatus);
    GlobalErrors.SetSilent(true);
    DctInit();
}

TerminalLogin::~TerminalLogin() {
    if (opened_) {
        Access_Passwords->Close();
        Access_System->Close();
    }
    DctKill();
    password_.wipe();
    rt::DataFileKeys::forgetAll();
}

TerminalLogin::Outcome TerminalLogin::open(std::string& why) {
    const std::filesystem::path file = PAS.File.path();
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        why = "there is no data file (" + file.string() + ") in this folder";
        return Outcome::NoDataFile;
    }
    if (SYS.File.waitsForKey())
        if (Outcome outcome = unlockByKey(why); outcome != Outcome::Opened) return outcome;
    if (!opensAtAll(SYS.File, why) || !opensAtAll(PAS.File, why)) return Outcome::CannotOpen;
    // Opened for real, not lazily: the tables are read and written here
    // by the runtime's own calls as well. A manager never opened closes as
    // a no-op.
    opened_ = true;
    if (Access_System->Open() != LevelBenign || Access_Passwords->Open() != LevelBenign) {
        why = lastErrorText();
        return Outcome::CannotOpen;
    }
    if (Access_System->UseFile() != LevelBenign || Access_Passwords->UseFile() != LevelBenign) {
        why = lastErrorText();
        return Outcome::CannotOpen;
    }
    return checkSystemRecord(why);
}

TerminalLogin::Outcome TerminalLogin::unlockByKey(std::string& why) {
    if (!ask()) {
        why = "it is keyed with a master password, and none was given";
        return Outcome::NoPassword;
    }
    std::string typed = password_.clipped();
    int code = SYS.File.unlock(typed);
    rt::wipeMemory(typed.data(), typed.size());
    if (code == 0) return Outcome::Opened;
    if (code == rt::ErrDriver) {
        why = "the master password given does not open it";
        return Outcome::WrongPassword;
    }
    why = lastErrorText();
    return Outcome::CannotOpen;
}

// A master password the System record holds is asked for as the login asks
// for it, whether or not it keys the file: case counts, trailing spaces do not.
TerminalLogin::Outcome TerminalLogin::checkSystemRecord(std::string& why) {
    SYS.File.set();
    ErrorLevel level = Access_System->TryNext();
    if (level != LevelBenign && !Access_System->GetEOF()) {
        why = "its System record cannot be read: " + lastErrorText();
        return Outcome::CannotOpen;
    }
    if (level != LevelBenign || SYS.MasterPassword.blank()) return Outcome::Opened;
    if (!ask()) {
        why = "it holds a master password, and none was given";
        return Outcome::NoPassword;
    }
    if (password_ == SYS.MasterPassword) return Outcome::Opened;
    why = "the master password given is not the one it holds";
    return Outcome::WrongPassword;
}

bool TerminalLogin::ask() {
    if (!asked_) {
        asked_ = true;
        given_ = ReadMasterPassword(password_);
    }
    return given_;
}
