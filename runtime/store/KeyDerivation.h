#pragma once
// How a data file's key comes from its master password: Argon2id over the
// password (trailing spaces removed by the caller) and the file's 16-byte
// salt, with the memory and passes of the parameter set the salt names. The
// salt is the cipher's own file salt, the only bytes of the file stored in
// clear, so the file alone tells how its key is made. Any thread.
//
// Salt layout: "Lk" 0xA9, the parameter set's id, 12 random bytes. A salt
// that names no known set (a file made before sets were named) uses set 1.
// Ids never get renumbered; a new set takes a new id.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "runtime/store/SecretBytes.h"

namespace rt {

struct KeyParameters {
    std::uint8_t id;
    unsigned long long passes;
    std::size_t memoryBytes;
    const char* use;
};

class KeyDerivation {
  public:
    static constexpr std::size_t kSaltSize = 16;
    static constexpr std::size_t kKeySize = 32;
    using Salt = std::array<unsigned char, kSaltSize>;

    // The set new data files get.
    static const KeyParameters& current();
    static const KeyParameters& parametersOf(const Salt& salt);
    // True when the salt names a parameter set: the file was made by this
    // program (bytes that name none may be any file at all).
    static bool namesParameters(const Salt& salt);
    // A fresh random salt naming the current set.
    static Salt newSalt();
    // The key, in locked memory; null when the derivation could not run
    // (memory refused).
    static std::unique_ptr<SecretBytes> derive(std::string_view password, const Salt& salt);

    // Tests make new files with set 2, cheap enough to derive thousands of
    // times; the files record it, so they open the same way everywhere.
    static void TEST_useCheapParameters(bool cheap);
};

}  // namespace rt
