// The master password's key, checked against the reference Argon2 command.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "runtime/store/KeyDerivation.h"
#include "tests/support/Tools.h"

namespace {

using rt::KeyDerivation;

// A salt of the given parameter set whose bytes can stand on a command line
// (no zero byte, no quote).
KeyDerivation::Salt printableSalt(std::uint8_t set) {
    KeyDerivation::Salt salt{};
    const unsigned char head[] = {'L', 'k', 0xA9, set};
    std::memcpy(salt.data(), head, sizeof head);
    const char* rest = "0123456789ab";
    std::memcpy(salt.data() + 4, rest, 12);
    return salt;
}

// The reference command's raw hash of password over salt.
std::string referenceKey(const std::string& password, const KeyDerivation::Salt& salt,
                         const rt::KeyParameters& set) {
    std::string saltText(reinterpret_cast<const char*>(salt.data()), salt.size());
    std::string out = testsupport::runCommand(
        "argon2 '" + saltText + "' -id -t " + std::to_string(set.passes) + " -k " +
            std::to_string(set.memoryBytes / 1024) + " -p 1 -l 32 -r",
        password);
    return out.substr(0, out.find_last_not_of("\r\n") + 1);
}

std::string derivedHex(const std::string& password, const KeyDerivation::Salt& salt) {
    auto key = KeyDerivation::derive(password, salt);
    return key ? testsupport::hexOf(key->data(), key->size()) : "(none)";
}

class KeyDerivationTest : public ::testing::Test {
  protected:
    void TearDown() override { KeyDerivation::TEST_useCheapParameters(false); }
};

TEST_F(KeyDerivationTest, CheapKeyEqualsTheReferenceArgon2id) {
    KeyDerivation::Salt salt = printableSalt(2);
    const rt::KeyParameters& set = KeyDerivation::parametersOf(salt);
    ASSERT_EQ(set.id, 2);
    for (std::string password : {"Tr1cky", "a", "pass phrase with spaces", "ünïcödé"})
        EXPECT_EQ(derivedHex(password, salt), referenceKey(password, salt, set)) << password;
}

TEST_F(KeyDerivationTest, RealParametersUseAtLeast64MiBAndEqualTheReference) {
    // Set 1 keyed the first files and must still open them; set 3 keys new ones.
    for (std::uint8_t id : {1, 3}) {
        KeyDerivation::Salt salt = printableSalt(id);
        const rt::KeyParameters& set = KeyDerivation::parametersOf(salt);
        ASSERT_EQ(set.id, id);
        EXPECT_GE(set.memoryBytes, std::size_t{64} << 20);
        EXPECT_EQ(derivedHex("Tr1cky", salt), referenceKey("Tr1cky", salt, set)) << int(id);
    }
}

TEST_F(KeyDerivationTest, CaseAndSaltChangeTheKey) {
    KeyDerivation::Salt salt = printableSalt(2), other = printableSalt(2);
    other[15] ^= 1;
    std::set<std::string> keys = {derivedHex("Tr1cky", salt), derivedHex("tr1cky", salt),
                                  derivedHex("Tr1cky", other), derivedHex("Tr1cky ", salt)};
    // Trailing spaces count here: the login and the table remove them first.
    EXPECT_EQ(keys.size(), 4u);
    EXPECT_EQ(derivedHex("Tr1cky", salt), derivedHex("Tr1cky", salt));
}

TEST_F(KeyDerivationTest, NewSaltsNameTheCurrentSetAndDiffer) {
    KeyDerivation::Salt real = KeyDerivation::newSalt();
    EXPECT_EQ(KeyDerivation::parametersOf(real).id, 3);
    EXPECT_EQ(&KeyDerivation::parametersOf(real), &KeyDerivation::current());
    KeyDerivation::TEST_useCheapParameters(true);
    KeyDerivation::Salt a = KeyDerivation::newSalt(), b = KeyDerivation::newSalt();
    EXPECT_EQ(KeyDerivation::parametersOf(a).id, 2);
    EXPECT_NE(a, b) << "twelve random bytes each";
    EXPECT_EQ(std::memcmp(a.data(), b.data(), 4), 0) << "the same named head";
}

TEST_F(KeyDerivationTest, SaltsThatNameNoSetUseTheFirst) {
    KeyDerivation::Salt foreign{};
    foreign.fill(0x5A);
    EXPECT_EQ(KeyDerivation::parametersOf(foreign).id, 1);
    KeyDerivation::Salt unknown = printableSalt(200);
    EXPECT_EQ(KeyDerivation::parametersOf(unknown).id, 1);
}

}  // namespace
