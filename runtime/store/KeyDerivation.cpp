#include "runtime/store/KeyDerivation.h"

#include <sodium.h>

#include <atomic>
#include <cstring>

namespace rt {

namespace {

constexpr unsigned char kMagic[3] = {'L', 'k', 0xA9};

// The parameter sets, by id; the first is the fallback for salts that name
// none. Set 3 is what new files get: one derivation takes about half a
// second on a current two-core desktop, with memory large enough that
// guessing in bulk costs as much memory as time. Set 1 (a quarter second
// there) stays for the files it keyed.
constexpr KeyParameters kSets[] = {
    {1, 2, std::size_t{128} << 20, "master password, first files"},
    {2, 1, std::size_t{8} << 10, "tests only: cheap"},
    {3, 4, std::size_t{128} << 20, "master password"},
};

std::atomic<bool> cheap{false};

}  // namespace

const KeyParameters& KeyDerivation::current() {
    return cheap ? kSets[1] : kSets[2];
}

bool KeyDerivation::namesParameters(const Salt& salt) {
    if (std::memcmp(salt.data(), kMagic, sizeof kMagic) != 0) return false;
    for (const auto& set : kSets)
        if (set.id == salt[sizeof kMagic]) return true;
    return false;
}

const KeyParameters& KeyDerivation::parametersOf(const Salt& salt) {
    if (std::memcmp(salt.data(), kMagic, sizeof kMagic) == 0)
        for (const auto& set : kSets)
            if (set.id == salt[sizeof kMagic]) return set;
    return kSets[0];
}

KeyDerivation::Salt KeyDerivation::newSalt() {
    Salt salt{};
    if (sodium_init() < 0) return salt;
    std::memcpy(salt.data(), kMagic, sizeof kMagic);
    salt[sizeof kMagic] = current().id;
    randombytes_buf(salt.data() + sizeof kMagic + 1, salt.size() - sizeof kMagic - 1);
    return salt;
}

std::unique_ptr<SecretBytes> KeyDerivation::derive(std::string_view password, const Salt& salt) {
    static_assert(kSaltSize == crypto_pwhash_SALTBYTES);
    if (sodium_init() < 0) return nullptr;
    const KeyParameters& set = parametersOf(salt);
    auto key = std::make_unique<SecretBytes>(kKeySize);
    if (crypto_pwhash(key->data(), key->size(), password.data(), password.size(), salt.data(),
                      set.passes, set.memoryBytes, crypto_pwhash_ALG_ARGON2ID13) != 0)
        return nullptr;
    return key;
}

void KeyDerivation::TEST_useCheapParameters(bool on) {
    cheap = on;
}

}  // namespace rt
