#pragma once
// The login of a run without windows (lockora --export and --import): opens
// the working folder's data file through the thread's dictionary, the
// Passwords and System tables by their file managers, asking for the master
// password (TerminalPassword) only when the file is keyed with one or its
// System record holds one. Errors are kept silent: the caller words them.
// Owns the dictionary it builds and the typed password (wiped at the end);
// one thread, which must have no dictionary of its own yet.

#include <string>

#include "runtime/text/FixedText.h"

class TerminalLogin {
  public:
    enum class Outcome {
        Opened,
        NoDataFile,     // nothing by the data file's name in this folder
        CannotOpen,     // unreadable, damaged, or no data file at all
        NoPassword,     // a master password is needed and none was given
        WrongPassword,  // the one given is not the master password
    };

    TerminalLogin();
    ~TerminalLogin();
    TerminalLogin(const TerminalLogin&) = delete;
    TerminalLogin& operator=(const TerminalLogin&) = delete;

    // why says what went wrong when the answer is not Opened. Both tables
    // stay open, through Access_Passwords and Access_System, until the end.
    Outcome open(std::string& why);

  private:
    Outcome unlockByKey(std::string& why);
    Outcome checkSystemRecord(std::string& why);
    bool ask();

    rt::String<20> password_;  // as the login's entry holds it
    bool asked_ = false;
    bool given_ = false;
    bool opened_ = false;
};

// The calling thread's last runtime error in words, the driver's own added:
// how a run without windows says why a file operation failed.
std::string lastErrorText();
