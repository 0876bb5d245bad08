// The data file's key follows the master password: real files, checked
// through the driver and through the cipher's own shell.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "runtime/host/LastError.h"
#include "runtime/store/DataFileKeys.h"
#include "runtime/store/FileErrors.h"
#include "runtime/store/OwnerKeyRefusals.h"
#include "runtime/store/KeyedTransaction.h"
#include "tests/runtime/store/MasterKeyTable.h"
#include "tests/support/TempDir.h"

using namespace keyedtest;

namespace {

class MasterKeyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rt::KeyDerivation::TEST_useCheapParameters(true);
        rt::DataFileKeys::forgetAll();
    }
    void TearDown() override {
        rt::DataFileKeys::forgetAll();
        rt::KeyDerivation::TEST_useCheapParameters(false);
    }

    std::filesystem::path dataFile() const { return dir.file("Lockora.lkdb"); }

    // As the next start of the program finds the file: no key known yet.
    static void nextStart() {
        rt::DataFileKeys::forgetAll();
        rt::OwnerKeyRefusals::forgetAll();
    }

    // The code of opening the System table with what this process knows and
    // of reading it: a file waiting for its key opens, but reads nothing.
    static int readSystem() {
        SystemTable sys;
        rt::KeyedFile file(sys.def);
        if (int code = file.open()) return code;
        return file.set(0);
    }

    static std::string storedMaster() {
        SystemTable sys;
        rt::KeyedFile file(sys.def);
        if (file.open() != 0 || file.set(0) != 0 || file.next() != 0) return "(unreadable)";
        return sys.MasterPassword.clipped();
    }

    bool ownerShellOpens() const {
        std::string out = testsupport::cipherShell(dataFile(), "'mirlotapex'",
                                                   "SELECT count(*) FROM sqlite_master;");
        return out.find("not a database") == std::string::npos;
    }

    testsupport::TempDir dir;
};

TEST_F(MasterKeyTest, NewFileOpensWithTheOwnerPasswordAndNamesItsKeyParameters) {
    ASSERT_EQ(writeMasterPassword(""), 0);
    std::string head = testsupport::readFile(dataFile()).substr(0, 4);
    EXPECT_EQ(head, std::string("Lk\xA9\x02", 4)) << "the salt names the cheap test set";
    EXPECT_TRUE(ownerShellOpens());
    nextStart();
    SystemTable sys;
    rt::KeyedFile file(sys.def);
    EXPECT_FALSE(file.waitsForKey());
    EXPECT_EQ(file.open(), 0);
}

TEST_F(MasterKeyTest, SettingTheMasterPasswordLocksTheOwnerPasswordOut) {
    ASSERT_EQ(writeMasterPassword("Ma5ter"), 0);
    nextStart();
    EXPECT_EQ(readSystem(), rt::ErrDriver) << "the driver with the owner password";
    EXPECT_NE(rt::lastError().driverText.find("waits for its master password"), std::string::npos)
        << rt::lastError().driverText;
    PasswordTable plain;  // declared without a master key: refused at once
    rt::KeyedFile plainFile(plain.def);
    EXPECT_EQ(plainFile.open(), rt::ErrDriver);
    EXPECT_NE(rt::lastError().driverText.find("key is not known"), std::string::npos);
    EXPECT_FALSE(ownerShellOpens()) << "the cipher's shell with the owner password";
    EXPECT_NE(shellReadsMaster(dataFile(), "Ma5ter").find("Ma5ter"), std::string::npos)
        << "the shell with the key derived from the master password";
    SystemTable sys;
    rt::KeyedFile file(sys.def);
    EXPECT_TRUE(file.waitsForKey());
}

TEST_F(MasterKeyTest, OnlyTheExactMasterPasswordUnlocks) {
    ASSERT_EQ(writeMasterPassword("Ma5ter"), 0);
    nextStart();
    SystemTable sys;
    rt::KeyedFile file(sys.def);
    for (const char* wrong : {"ma5ter", "MA5TER", "Ma5te", "Ma5ter!", ""}) {
        EXPECT_EQ(file.unlock(wrong), rt::ErrDriver) << wrong;
        EXPECT_TRUE(file.waitsForKey()) << wrong;
    }
    EXPECT_EQ(file.unlock("Ma5ter"), 0);
    EXPECT_FALSE(file.waitsForKey());
    ASSERT_EQ(file.open(), 0) << "later opens use the key the process keeps";
    EXPECT_EQ(storedMaster(), "Ma5ter");
}

TEST_F(MasterKeyTest, AnOpenBeforeTheKeyIsKnownWaitsAndConnectsOnceUnlocked) {
    ASSERT_EQ(writeMasterPassword("Ma5ter"), 0);
    nextStart();
    SystemTable sys;
    rt::KeyedFile file(sys.def);
    ASSERT_EQ(file.open(), 0) << "the managers above see an ordinary open";
    EXPECT_TRUE(file.isOpen());
    EXPECT_EQ(file.set(0), rt::ErrDriver);
    EXPECT_EQ(rt::KeyedFile(sys.def).unlock("Ma5ter"), 0);
    ASSERT_EQ(file.set(0), 0) << "the key is known now";
    ASSERT_EQ(file.next(), 0);
    EXPECT_EQ(sys.MasterPassword.clipped(), "Ma5ter");
    EXPECT_EQ(file.close(), 0);
}

TEST_F(MasterKeyTest, ChangingTheMasterPasswordRetiresTheOldOne) {
    ASSERT_EQ(writeMasterPassword("First1"), 0);
    ASSERT_EQ(writeMasterPassword("Second2"), 0) << "written through the key just set";
    nextStart();
    SystemTable sys;
    rt::KeyedFile file(sys.def);
    EXPECT_EQ(file.unlock("First1"), rt::ErrDriver);
    EXPECT_NE(shellReadsMaster(dataFile(), "First1").find("not a database"), std::string::npos);
    EXPECT_EQ(file.unlock("Second2"), 0);
    EXPECT_EQ(storedMaster(), "Second2");
}

TEST_F(MasterKeyTest, TrailingSpacesAreNotPartOfTheKey) {
    ASSERT_EQ(writeMasterPassword("Spaced"), 0);
    ASSERT_EQ(writeMasterPassword("Spaced   "), 0);
    nextStart();
    SystemTable sys;
    rt::KeyedFile file(sys.def);
    EXPECT_EQ(file.unlock("Spaced"), 0);
}

TEST_F(MasterKeyTest, BlankingTheMasterPasswordReturnsToTheOwnerPassword) {
    ASSERT_EQ(writeMasterPassword("Ma5ter"), 0);
    ASSERT_EQ(writeMasterPassword(""), 0);
    nextStart();
    EXPECT_EQ(readSystem(), 0);
    EXPECT_TRUE(ownerShellOpens());
}

// This process remembers that the owner password was refused, so that the
// opens before a login do not derive it again; a file another process keys
// back to the owner password meanwhile opens with it all the same.
TEST_F(MasterKeyTest, ARefusedOwnerPasswordIsTriedAgainOnceTheFileChanges) {
    ASSERT_EQ(writeMasterPassword("Ma5ter"), 0);
    nextStart();
    ASSERT_EQ(readSystem(), rt::ErrDriver);
    ASSERT_EQ(readSystem(), rt::ErrDriver) << "still refused while the file is unchanged";
    int child = inChild([] {
        SystemTable sys;
        if (int code = rt::KeyedFile(sys.def).unlock("Ma5ter")) return code;
        return writeMasterPassword("");
    });
    ASSERT_EQ(child, 0);
    EXPECT_EQ(readSystem(), 0) << rt::lastError().driverText;
    EXPECT_EQ(storedMaster(), "");
}

TEST_F(MasterKeyTest, KeyChangeIsRefusedWhileAnotherStationHasTheFileOpen) {
    ASSERT_EQ(writeMasterPassword("Ma5ter"), 0);
    SystemTable other;
    rt::KeyedStation otherStation;
    rt::KeyedFile otherFile(other.def, &otherStation);
    ASSERT_EQ(otherFile.open(), 0);

    SystemTable sys;
    rt::KeyedFile file(sys.def);
    ASSERT_EQ(file.open(), 0);
    EXPECT_TRUE(file.openedByOtherStations());
    ASSERT_EQ(file.set(0), 0);
    ASSERT_EQ(file.next(), 0);
    sys.MasterPassword = "Changed9";
    EXPECT_EQ(file.put(), rt::ErrAccessDenied);
    EXPECT_NE(rt::lastError().driverText.find("another station"), std::string::npos);
    sys.CompanyName = "Only the name";
    sys.MasterPassword = "Ma5ter";
    EXPECT_EQ(file.put(), 0) << "the refused write left the record as it was read";

    ASSERT_EQ(otherFile.set(0), 0);
    ASSERT_EQ(otherFile.next(), 0) << "the other station still reads the file";
    EXPECT_EQ(other.MasterPassword.clipped(), "Ma5ter");
    EXPECT_EQ(other.CompanyName.clipped(), "Only the name");

    ASSERT_EQ(otherFile.close(), 0);
    EXPECT_FALSE(file.openedByOtherStations());
    sys.MasterPassword = "Changed9";
    EXPECT_EQ(file.put(), 0) << "alone, the station may change it";
    file.close();
    nextStart();
    rt::KeyedFile again(sys.def);
    EXPECT_EQ(again.unlock("Changed9"), 0);
}

TEST_F(MasterKeyTest, AnotherStationCannotOpenWhileItWaitsForTheKey) {
    ASSERT_EQ(writeMasterPassword("Ma5ter"), 0);
    // A second process does not share this one's key.
    int code = inChild([] {
        rt::DataFileKeys::forgetAll();
        return readSystem();
    });
    EXPECT_EQ(code, rt::ErrDriver);
    EXPECT_EQ(readSystem(), 0) << "this process keeps the key it set";
}

TEST_F(MasterKeyTest, RolledBackTransactionKeepsTheOldKey) {
    ASSERT_EQ(writeMasterPassword("Ma5ter"), 0);
    SystemTable sys;
    rt::KeyedFile file(sys.def);
    ASSERT_EQ(file.open(), 0);
    ASSERT_EQ(file.set(0), 0);
    ASSERT_EQ(file.next(), 0);
    ASSERT_EQ(rt::beginTransaction({&file}, 5), 0);
    sys.MasterPassword = "Never1";
    ASSERT_EQ(file.put(), 0);
    ASSERT_EQ(rt::rollbackTransaction(), 0);
    file.close();
    nextStart();
    EXPECT_EQ(rt::KeyedFile(sys.def).unlock("Never1"), rt::ErrDriver);
    EXPECT_EQ(rt::KeyedFile(sys.def).unlock("Ma5ter"), 0);
    EXPECT_EQ(storedMaster(), "Ma5ter");
}

TEST_F(MasterKeyTest, KeyChangeCommitsWithTheOtherWritesOfItsTransaction) {
    ASSERT_EQ(writeMasterPassword("Ma5ter"), 0);
    SystemTable sys;
    PasswordTable pas;
    rt::KeyedFile sysFile(sys.def), pasFile(pas.def);
    ASSERT_EQ(sysFile.open(), 0);
    ASSERT_EQ(openOrCreate(pasFile), 0);
    ASSERT_EQ(sysFile.set(0), 0);
    ASSERT_EQ(sysFile.next(), 0);
    ASSERT_EQ(rt::beginTransaction({&sysFile, &pasFile}, 5), 0);
    pas.fill(1, "written with the change");
    ASSERT_EQ(pasFile.add(), 0);
    sys.MasterPassword = "Newer2";
    ASSERT_EQ(sysFile.put(), 0);
    pas.fill(2, "written after it, same transaction");
    ASSERT_EQ(pasFile.add(), 0);
    ASSERT_EQ(rt::commitTransaction(), 0);
    sysFile.close();
    pasFile.close();
    nextStart();
    ASSERT_EQ(rt::KeyedFile(sys.def).unlock("Newer2"), 0);
    EXPECT_EQ(storedMaster(), "Newer2");
    std::string titles =
        testsupport::cipherShell(dataFile(), "\"x'" + keyHexFor(dataFile(), "Newer2") + "'\"",
                                 "SELECT Title FROM Password ORDER BY Primary_ID;");
    EXPECT_EQ(titles, "written with the change\nwritten after it, same transaction\n");
}

// A file larger than the connection's page cache: the re-key must rewrite
// every page, and the master password's row is dirty before it starts.
TEST_F(MasterKeyTest, AFileLargerThanThePageCacheChangesItsKeyWhole) {
    constexpr int kEntries = 12000;
    PasswordTable pas;
    rt::KeyedFile pasFile(pas.def);
    ASSERT_EQ(openOrCreate(pasFile), 0);
    ASSERT_EQ(rt::beginTransaction({&pasFile}, 5), 0);
    for (int id = 1; id <= kEntries; ++id) {
        pas.fill(id, "Entry number " + std::to_string(id),
                 "https://site" + std::to_string(id) + ".example.org/login", std::string(120, 'n'));
        ASSERT_EQ(pasFile.add(), 0) << id;
    }
    ASSERT_EQ(rt::commitTransaction(), 0);
    pasFile.close();
    ASSERT_GT(std::filesystem::file_size(dataFile()), std::uintmax_t{3} << 20)
        << "the file must be well past the default page cache of 2000 pages";
    for (const char* password : {"Ma5ter", "Newer2"}) {
        ASSERT_EQ(writeMasterPassword(password), 0) << rt::lastError().driverText;
        std::string out = testsupport::cipherShell(
            dataFile(), "\"x'" + keyHexFor(dataFile(), password) + "'\"",
            "SELECT count(*), max(Primary_ID) FROM Password; SELECT MasterPassword FROM System;");
        EXPECT_EQ(out, std::to_string(kEntries) + "|" + std::to_string(kEntries) + "\n" + password +
                           "\n");
    }
    EXPECT_EQ(shellReadsMaster(dataFile(), "Ma5ter").find("Newer2"), std::string::npos);
}

TEST_F(MasterKeyTest, TheKeyIsNotKeptInTheSettingsOrBesideTheFile) {
    ASSERT_EQ(writeMasterPassword("Ma5ter"), 0);
    std::string key = keyHexFor(dataFile(), "Ma5ter");
    std::string raw;
    for (std::size_t i = 0; i < key.size(); i += 2)
        raw += static_cast<char>(std::stoi(key.substr(i, 2), nullptr, 16));
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        std::string bytes = testsupport::readFile(entry.path());
        EXPECT_EQ(bytes.find(raw), std::string::npos) << entry.path();
        EXPECT_EQ(bytes.find(key), std::string::npos) << entry.path();
        EXPECT_EQ(bytes.find("Ma5ter"), std::string::npos) << entry.path();
    }
}

}  // namespace
