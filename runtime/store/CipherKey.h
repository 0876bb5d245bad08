#pragma once
// How a data file is keyed: with the owner password (the cipher derives the
// page key from it and the file's salt), or with a 32-byte key derived from
// the master password and handed to the cipher as it is. Only KeyedDatabase
// and the key services use these; one thread per connection.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "runtime/store/KeyDerivation.h"
#include "runtime/store/SecretBytes.h"

struct sqlite3;

namespace rt {

struct CipherKey {
    std::string ownerPassword;               // used while key is null
    std::shared_ptr<const SecretBytes> key;  // the master password's key
};

// The first 16 bytes of an encrypted data file: the cipher's salt, stored
// in clear. None when the file is missing or shorter.
std::optional<KeyDerivation::Salt> fileSalt(const std::filesystem::path& file);

// Keys a connection that has not read anything yet; SQLite's code.
int applyKey(sqlite3* db, const CipherKey& key);

// Keys the connection of a new, still empty file with the owner password
// over a fresh salt that names the current key parameters: the cipher takes
// the salt of a raw key literal, and a re-key with the password keeps it.
int keyNewFile(sqlite3* db, const std::string& ownerPassword);

// Keys the connection of a new, still empty file as `key` keys another file
// whose salt is `salt`: a copy made under it opens exactly as that file.
int keyCopyOf(sqlite3* db, const CipherKey& key, const KeyDerivation::Salt& salt);

// Re-encrypts every page under `to` and commits the connection's open write
// transaction with it, all in one commit of the pager. The cipher answers
// success even when that commit failed: confirm with keyOpensFile.
int rekeyAndCommit(sqlite3* db, const CipherKey& to);

// True when a second connection keyed with `key` reads the file.
bool keyOpensFile(const std::filesystem::path& file, const CipherKey& key);

}  // namespace rt
