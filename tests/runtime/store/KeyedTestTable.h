#pragma once
// A credential table shaped like the program's Password table, and helpers the
// keyed-file, station and view tests share: filling records, reading a whole
// order, and running a function in a child process.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "runtime/store/FileDefinition.h"
#include "runtime/text/FixedText.h"
#include "runtime/store/KeyedFile.h"

namespace keyedtest {

inline constexpr const char* kOwnerPassword = "mirlotapex";

struct PasswordRecord {
    std::int32_t Primary_ID = 0;
    rt::String<80> Title;
    rt::String<254> Location;
    rt::String<65> UserName;
    rt::String<10> Password;
    rt::String<20> PIN;
    rt::String<20> SecurityCode;
    rt::StoredDate DateLong, DateShort, DateCreated, DateExpires;
    std::string Notes;
};

// The record buffer and its definition; keys: 0 KeyPrimary (Primary_ID,
// primary, unique), 1 KeyTitle (Primary_ID, Title; unique), 2 KeyName
// (UPPER(Title), -Location; duplicates, case-insensitive).
struct PasswordTable {
    PasswordRecord PAS;
    rt::FileDefinition def;

    explicit PasswordTable(const std::string& fullName = "Lockora\\!Password",
                           const std::string& password = kOwnerPassword)
        : def("Passwords", "PAS", fullName, password) {
        def.addField("PAS:Primary_ID", PAS.Primary_ID);
        def.addField("PAS:Title", PAS.Title, "@s80");
        def.addField("PAS:Location", PAS.Location, "@s254");
        def.addField("PAS:UserName", PAS.UserName, "@s65");
        def.addField("PAS:Password", PAS.Password, "@s10");
        def.addField("PAS:PIN", PAS.PIN, "@s20");
        def.addField("PAS:SecurityCode", PAS.SecurityCode, "@s20");
        def.addField("PAS:DateLong", PAS.DateLong, "@d17");
        def.addField("PAS:DateShort", PAS.DateShort, "@D15B");
        def.addField("PAS:DateCreated", PAS.DateCreated, "@d17");
        def.addField("PAS:DateExpires", PAS.DateExpires, "@d17");
        def.addMemo("PAS:Notes", PAS.Notes, 1000);
        def.addKey("PAS:KeyPrimary", "PAS:KeyPrimary", {{PAS.Primary_ID, true}}, true, true);
        def.addKey("PAS:KeyTitle", "PAS:KeyTitle", {{PAS.Primary_ID, true}, {PAS.Title, true}},
                   true);
        def.addKey("PAS:KeyName", "PAS:KeyName", {{PAS.Title, true}, {PAS.Location, false}}, false,
                   false, true);
    }

    void fill(int id, const std::string& title, const std::string& location = {},
              const std::string& notes = {}) {
        PAS.Primary_ID = id;
        PAS.Title = title;
        PAS.Location = location;
        PAS.UserName = "user" + std::to_string(id);
        PAS.Password = "pw" + std::to_string(id);
        PAS.Notes = notes;
    }
};

inline constexpr int kKeyPrimary = 0;
inline constexpr int kKeyTitle = 1;
inline constexpr int kKeyName = 2;

// Opens the table, creating it first when it is missing.
inline int openOrCreate(rt::KeyedFile& file) {
    int code = file.open();
    if (code == 2) {
        if ((code = file.create()) != 0) return code;
        code = file.open();
    }
    return code;
}

// Runs fn in a child process and answers its exit code (fn's result), or
// 128 + the signal that ended it.
inline int inChild(const std::function<int()>& fn) {
    pid_t pid = fork();
    if (pid == 0) _exit(fn());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace keyedtest
