#pragma once
// A System table shaped like the program's, whose master password keys the
// data file, and the helpers the master-key tests share.

#include <cstdint>
#include <string>

#include "runtime/store/CipherKey.h"
#include "runtime/store/FileDefinition.h"
#include "runtime/store/KeyDerivation.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/text/FixedText.h"
#include "tests/runtime/store/KeyedTestTable.h"
#include "tests/support/Tools.h"

namespace keyedtest {

struct SystemTable {
    std::int32_t System_ID = 0;
    rt::String<35> CompanyName;
    rt::String<20> MasterPassword;
    rt::FileDefinition def{"System", "SYS", "Lockora\\!System", kOwnerPassword};

    SystemTable() {
        def.addField("SYS:System_ID", System_ID);
        def.addField("SYS:CompanyName", CompanyName, "@s35");
        int master = def.addField("SYS:MasterPassword", MasterPassword, "@s20");
        def.addKey("SYS:System_IDKey", "Sys:System_IDKey", {{System_ID, true}}, true, true);
        def.setMasterKeyField(master);
    }
};

// Writes the master password into the single System record (adding it when
// missing) through its own handle; answers the write's code.
inline int writeMasterPassword(const std::string& password, rt::KeyedStation* station = nullptr) {
    SystemTable sys;
    rt::KeyedFile file(sys.def, station);
    if (int code = openOrCreate(file)) return code;
    file.set(0);
    bool found = file.next() == 0;
    sys.System_ID = 1;
    sys.MasterPassword = password;
    return found ? file.put() : file.add();
}

// The key a password gives for the data file, by its recorded parameters.
inline std::string keyHexFor(const std::filesystem::path& file, const std::string& password) {
    auto salt = rt::fileSalt(file);
    auto key = salt ? rt::KeyDerivation::derive(password, *salt) : nullptr;
    return key ? testsupport::hexOf(key->data(), key->size()) : std::string();
}

// Reads the System record through the cipher's own shell with the key a
// password gives; the shell's output.
inline std::string shellReadsMaster(const std::filesystem::path& file,
                                    const std::string& password) {
    return testsupport::cipherShell(file, "\"x'" + keyHexFor(file, password) + "'\"",
                                    "SELECT MasterPassword FROM System;");
}

}  // namespace keyedtest
