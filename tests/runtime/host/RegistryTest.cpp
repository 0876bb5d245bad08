#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "runtime/host/LastError.h"
#include "runtime/host/Registry.h"
#include "tests/support/TempDir.h"

namespace rt {
namespace {

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

constexpr const char* kAccounts = "HKEY_CURRENT_USER\\Software\\Lockora Test\\Accounts";

class RegistryTest : public testing::Test {
  protected:
    TempDir dir_;
    Registry registry_{dir_.file("registry.ini").string()};
};

TEST_F(RegistryTest, OpeningAMissingKeyFailsWithNotFound) {
    EXPECT_EQ(registry_.openKey(kAccounts), 0);
    EXPECT_EQ(lastError().code, 2);
    EXPECT_EQ(registry_.openKey("HKEY_NOWHERE\\Software"), 0);
    EXPECT_EQ(lastError().code, 6);
    EXPECT_EQ(registry_.openKey(0x12345678u, "Software"), 0);
    EXPECT_EQ(lastError().code, 6);
    EXPECT_EQ(registry_.createKey(0x12345678u, "Software"), 0);
    EXPECT_EQ(lastError().code, 6);
    EXPECT_EQ(registry_.openKey(""), 0);
    EXPECT_EQ(lastError().code, 6);
    // A root always exists, and nothing was written by looking.
    Registry::Key root = registry_.openKey("HKEY_LOCAL_MACHINE");
    EXPECT_NE(root, 0);
    EXPECT_EQ(registry_.closeKey(root), 0);
    EXPECT_FALSE(std::filesystem::exists(dir_.file("registry.ini")));
}

TEST_F(RegistryTest, ValuesAreWrittenReadAndEnumeratedInOrder) {
    Registry::Key key = registry_.createKey(kAccounts);
    ASSERT_NE(key, 0);
    EXPECT_EQ(registry_.setValue(key, "SMTP Server", "mail.example.com"), 0);
    EXPECT_EQ(registry_.setValue(key, "SMTP Email Address", "me@example.com"), 0);
    EXPECT_EQ(registry_.setValue(key, "Default Mail Account", "00000001"), 0);
    EXPECT_EQ(registry_.setValue(key, "smtp server", "smtp.example.com"), 0);  // same value

    EXPECT_EQ(registry_.queryValue(key, "SMTP SERVER"), "smtp.example.com");
    EXPECT_EQ(registry_.queryValue(key, "Missing"), std::nullopt);
    EXPECT_EQ(lastError().code, 2);

    const std::pair<const char*, const char*> expected[] = {
        {"SMTP Server", "smtp.example.com"},
        {"SMTP Email Address", "me@example.com"},
        {"Default Mail Account", "00000001"},
    };
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        auto value = registry_.enumValue(key, i);
        ASSERT_TRUE(value) << i;
        EXPECT_EQ(value->name, expected[i].first);
        EXPECT_EQ(value->data, expected[i].second);
    }
    EXPECT_EQ(registry_.enumValue(key, 3), std::nullopt);
    EXPECT_EQ(lastError().code, 259);

    EXPECT_EQ(registry_.deleteValue(key, "smtp email address"), 0);
    EXPECT_EQ(registry_.enumValue(key, 1)->name, "Default Mail Account");
    EXPECT_EQ(registry_.deleteValue(key, "smtp email address"), 2);
    EXPECT_EQ(registry_.closeKey(key), 0);
    EXPECT_EQ(registry_.closeKey(key), 6);
    EXPECT_EQ(registry_.queryValue(key, "SMTP Server"), std::nullopt);
    EXPECT_EQ(lastError().code, 6);

    // Another object on the same file, with the other spelling of the root.
    Registry again(registry_.file());
    Registry::Key reopened = again.openKey("hkcu\\software\\LOCKORA TEST\\accounts\\");
    ASSERT_NE(reopened, 0);
    EXPECT_EQ(again.queryValue(reopened, "Default Mail Account"), "00000001");
}

TEST_F(RegistryTest, KeysFormATreeAndOnlyLeavesCanBeDeleted) {
    Registry::Key leaf = registry_.createKey(kAccounts);
    ASSERT_NE(leaf, 0);
    ASSERT_EQ(registry_.setValue(leaf, "Name", "value"), 0);

    Registry::Key parent = registry_.openKey(Registry::CurrentUser, "Software\\Lockora Test");
    ASSERT_NE(parent, 0);
    EXPECT_EQ(registry_.enumValue(parent, 0), std::nullopt);
    EXPECT_EQ(lastError().code, 259);

    EXPECT_EQ(registry_.deleteKey("HKEY_CURRENT_USER\\Software\\Lockora Test"), 5);
    EXPECT_EQ(registry_.deleteKey("HKEY_CURRENT_USER"), 5);
    EXPECT_EQ(registry_.deleteKey(std::string(kAccounts) + "\\Deeper"), 2);
    EXPECT_EQ(registry_.deleteKey(kAccounts), 0);
    EXPECT_EQ(registry_.openKey(kAccounts), 0);
    EXPECT_EQ(lastError().code, 2);
    EXPECT_EQ(registry_.queryValue(leaf, "Name"), std::nullopt);
    EXPECT_EQ(lastError().code, 1018);
    EXPECT_EQ(registry_.setValue(leaf, "Name", "again"), 1018);
    EXPECT_EQ(registry_.openKey("HKEY_CURRENT_USER\\Software\\Lockora Test"), 0);

    // A key created with no values still exists.
    Registry::Key empty = registry_.createKey(Registry::LocalMachine, "Software\\Empty");
    ASSERT_NE(empty, 0);
    EXPECT_NE(registry_.openKey("HKEY_LOCAL_MACHINE\\SOFTWARE\\EMPTY"), 0);
}

TEST_F(RegistryTest, WhatTheFileCannotHoldIsRefused) {
    Registry::Key key = registry_.createKey(kAccounts);
    ASSERT_NE(key, 0);
    EXPECT_EQ(registry_.setValue(key, "a=b", "v"), 87);
    EXPECT_EQ(registry_.setValue(key, "", "v"), 87);
    EXPECT_EQ(registry_.setValue(key, "name", "two\nlines"), 87);
    EXPECT_EQ(registry_.createKey("HKCU\\Software\\Bad]Name"), 0);
    EXPECT_EQ(lastError().code, 87);
    Registry::Key root = registry_.openKey("HKEY_USERS");
    EXPECT_EQ(registry_.setValue(root, "name", "v"), 5);
    EXPECT_EQ(readFile(registry_.file()),
              "[HKEY_CURRENT_USER\\Software\\Lockora Test\\Accounts]\n");
}

TEST_F(RegistryTest, AGarbageFileNeverCrashesAndStaysUsable) {
    std::string garbage;
    for (int i = 0; i < 50000; ++i) garbage += static_cast<char>((i * 131) % 256);
    garbage += "\n[HKEY_CURRENT_USER\\Software\\Kept]\nName=Value\n";
    writeFile(registry_.file(), garbage);

    EXPECT_EQ(registry_.openKey("HKEY_CURRENT_USER\\Software\\Absent"), 0);
    Registry::Key kept = registry_.openKey("HKEY_CURRENT_USER\\Software\\Kept");
    ASSERT_NE(kept, 0);
    EXPECT_EQ(registry_.queryValue(kept, "name"), "Value");
    ASSERT_EQ(registry_.setValue(kept, "Other", "x"), 0);
    EXPECT_EQ(registry_.queryValue(kept, "Other"), "x");
    EXPECT_EQ(readFile(registry_.file()).substr(0, garbage.size()), garbage);
}

TEST(RegistryFileTest, TheUsersFileLivesInTheConfigFolder) {
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const char* savedHome = std::getenv("HOME");
    std::optional<std::string> config =
        savedConfig ? std::optional<std::string>(savedConfig) : std::nullopt;
    std::string home = savedHome ? savedHome : "";

    setenv("XDG_CONFIG_HOME", "/tmp/lockora-config", 1);
    EXPECT_EQ(Registry::defaultFile(), "/tmp/lockora-config/lockora/registry.ini");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(Registry::defaultFile(), "/home/someone/.config/lockora/registry.ini");

    if (config) {
        setenv("XDG_CONFIG_HOME", config->c_str(), 1);
    }
    setenv("HOME", home.c_str(), 1);

    // The test seam points the user's registry elsewhere, and the folder is
    // made on the first write.
    TempDir dir;
    std::string file = (dir.path() / "sub" / "registry.ini").string();
    Registry::user().TEST_setFile(file);
    Registry::Key key = Registry::user().createKey("HKCU\\Software\\Seam");
    ASSERT_NE(key, 0);
    EXPECT_EQ(Registry::user().setValue(key, "v", "1"), 0);
    EXPECT_EQ(readFile(file), "[HKEY_CURRENT_USER\\Software\\Seam]\nv=1\n");
    Registry::user().closeKey(key);
    Registry::user().TEST_setFile("");
    EXPECT_EQ(Registry::user().file(), Registry::defaultFile());
}

}  // namespace
}  // namespace rt
