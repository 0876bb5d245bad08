#define SQLITE_HAS_CODEC 1
#include "runtime/store/CipherKey.h"

#include <sodium.h>
#include <sqlcipher/sqlite3.h>

#include <algorithm>

#include "runtime/store/FileHead.h"

namespace rt {

namespace {

// The cipher's literal for a raw key, x'<key in hex>[<salt in hex>]', built
// in locked memory because it is the key.
std::unique_ptr<SecretBytes> rawKeyLiteral(const SecretBytes& key,
                                           const KeyDerivation::Salt* salt = nullptr) {
    std::size_t hexSize = 2 * (key.size() + (salt ? salt->size() : 0));
    auto literal = std::make_unique<SecretBytes>(hexSize + 3);
    char* out = reinterpret_cast<char*>(literal->data());
    out[0] = 'x';
    out[1] = '\'';
    // sodium_bin2hex ends with a zero byte; each call writes its own.
    sodium_bin2hex(out + 2, 2 * key.size() + 1, key.data(), key.size());
    if (salt)
        sodium_bin2hex(out + 2 + 2 * key.size(), 2 * salt->size() + 1, salt->data(), salt->size());
    out[2 + hexSize] = '\'';
    return literal;
}

int keyWith(sqlite3* db, const CipherKey& key, bool rekey) {
    if (!key.key) {
        const std::string& pw = key.ownerPassword;
        return rekey ? sqlite3_rekey(db, pw.data(), static_cast<int>(pw.size()))
                     : sqlite3_key(db, pw.data(), static_cast<int>(pw.size()));
    }
    auto literal = rawKeyLiteral(*key.key);
    int size = static_cast<int>(literal->size());
    return rekey ? sqlite3_rekey(db, literal->data(), size)
                 : sqlite3_key(db, literal->data(), size);
}

// The cipher takes the salt of a raw key literal, and a re-key with the
// password keeps it: nothing is written yet, so the password's key over that
// salt is the first one any page is encrypted with.
int keyNewFileWithSalt(sqlite3* db, const std::string& ownerPassword,
                       const KeyDerivation::Salt& salt) {
    SecretBytes throwaway(KeyDerivation::kKeySize);
    randombytes_buf(throwaway.data(), throwaway.size());
    auto literal = rawKeyLiteral(throwaway, &salt);
    int rc = sqlite3_key(db, literal->data(), static_cast<int>(literal->size()));
    if (rc != SQLITE_OK) return rc;
    return sqlite3_rekey(db, ownerPassword.data(), static_cast<int>(ownerPassword.size()));
}

}  // namespace

std::optional<KeyDerivation::Salt> fileSalt(const std::filesystem::path& file) {
    KeyDerivation::Salt salt{};
    std::optional<std::string> head = readFileHead(file, salt.size());
    if (!head || head->size() < salt.size()) return std::nullopt;
    std::copy(head->begin(), head->end(), salt.begin());
    return salt;
}

int applyKey(sqlite3* db, const CipherKey& key) {
    return keyWith(db, key, false);
}

int keyNewFile(sqlite3* db, const std::string& ownerPassword) {
    return keyNewFileWithSalt(db, ownerPassword, KeyDerivation::newSalt());
}

int keyCopyOf(sqlite3* db, const CipherKey& key, const KeyDerivation::Salt& salt) {
    if (!key.key) return keyNewFileWithSalt(db, key.ownerPassword, salt);
    auto literal = rawKeyLiteral(*key.key, &salt);
    return sqlite3_key(db, literal->data(), static_cast<int>(literal->size()));
}

int rekeyAndCommit(sqlite3* db, const CipherKey& to) {
    return keyWith(db, to, true);
}

bool keyOpensFile(const std::filesystem::path& file, const CipherKey& key) {
    sqlite3* db = nullptr;
    bool opens = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX,
                                 nullptr) == SQLITE_OK &&
                 applyKey(db, key) == SQLITE_OK &&
                 sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr,
                              nullptr) == SQLITE_OK;
    sqlite3_close_v2(db);
    return opens;
}

}  // namespace rt
