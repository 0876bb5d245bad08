#pragma once
// Looks at the soak's data file after a kill, the way the program's next
// start would and independently of it: the program's own open of the System
// table with a candidate master password (blank: the owner password) and its
// PRAGMA integrity_check, then every row of both tables read on a connection
// of the storage library alone. Owns nothing past a call; the calling thread.

#include <filesystem>
#include <string>
#include <vector>

#include "tests/soak/SoakModel.h"

namespace soak {

struct ProbeResult {
    bool opened = false;
    std::string password;   // the candidate that opened the file
    std::string integrity;  // "ok", or what the check found
    FileState state;
    std::string error;  // why the file could not be read, when it could not
};

class SoakProbe {
  public:
    explicit SoakProbe(std::filesystem::path file);

    // Tries each candidate in turn; the first that opens the file is used.
    ProbeResult look(const std::vector<std::string>& candidates) const;

  private:
    bool programOpens(const std::string& password, std::string& master,
                      std::string& integrity) const;
    std::string cipherKey(const std::string& password) const;
    void readRows(const std::string& key, ProbeResult& result) const;

    std::filesystem::path file_;
};

}  // namespace soak
