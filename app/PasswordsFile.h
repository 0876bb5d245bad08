#pragma once
// The Passwords table of the data file "Lockora": its record buffer (PAS),
// the memo, the keys, the declaration and the thread's handle on it. One per
// thread; owns everything here, the handle borrowing the declaration.

#include <cstdint>
#include <string>

#include "data/FileManager.h"
#include "runtime/text/Date.h"
#include "runtime/store/FileDefinition.h"
#include "runtime/text/FixedText.h"
#include "runtime/store/KeyedFile.h"

// The order of the entries by expiry date, served by an index of its own.
inline constexpr const char* kExpiryOrder = "+PAS:DATEEXPIRES,+PAS:PRIMARY_ID";

struct PasswordsFile {
    // station null: the handle uses the calling thread's station.
    explicit PasswordsFile(rt::KeyedStation* station = nullptr);
    PasswordsFile(const PasswordsFile&) = delete;
    PasswordsFile& operator=(const PasswordsFile&) = delete;

    // The record (PAS:Record), fields in stored order.
    std::int32_t Primary_ID = 0;
    rt::String<80> Title;
    rt::String<254> Location;
    rt::String<65> UserName;
    rt::String<10> Password;
    rt::String<20> PIN;
    rt::String<20> SecurityCode;
    rt::StoredDate DateLong;
    rt::StoredDate DateShort;
    rt::StoredDate DateCreated;
    rt::StoredDate DateExpires;
    // Stored with the record, outside its fixed part.
    std::string Notes;

    rt::FileDefinition Definition;
    FileKey KeyPrimary = nullptr;
    FileKey KeyTitle = nullptr;
    rt::KeyedFile File;
};

// The calling thread's Passwords table.
extern thread_local PasswordsFile PAS;
