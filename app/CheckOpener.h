#pragma once
// Opens the data file and its backups read-only for lockora --check: with the
// owner password, or, for a file keyed with a master password, with the key
// the master password gives for that file's salt. The password is asked for
// once (TerminalPassword), only when a file needs it, and kept (wiped at
// destruction) because backups made before a change of the master password
// may share the salt but not the key. Keys are derived once per salt. One
// thread; not copyable.

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "runtime/store/KeyDerivation.h"
#include "runtime/store/KeyedDatabase.h"
#include "runtime/text/FixedText.h"

class CheckOpener {
  public:
    enum class Outcome {
        Opened,
        NotSound,       // not a data file, or one damaged past reading
        CannotRead,     // missing, or no permission
        NoPassword,     // keyed with a master password, and none was given
        WrongPassword,  // the password given does not open it
    };

    CheckOpener() = default;
    ~CheckOpener();
    CheckOpener(const CheckOpener&) = delete;
    CheckOpener& operator=(const CheckOpener&) = delete;

    // May ask for the master password when asking is on and none was asked
    // for yet. why says what went wrong when no database comes back.
    std::unique_ptr<rt::KeyedDatabase> open(const std::filesystem::path& file, bool mayAsk,
                                            Outcome& outcome, std::string& why);

  private:
    std::shared_ptr<const rt::SecretBytes> keyFor(const rt::KeyDerivation::Salt& salt);

    rt::String<20> password_;  // as the login's entry holds it
    bool asked_ = false;
    bool given_ = false;
    std::map<rt::KeyDerivation::Salt, std::shared_ptr<const rt::SecretBytes>> keys_;
};
