#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/gui/MessageBox.h"
#include "runtime/host/Registry.h"
#include "tests/support/TempDir.h"
#include "util/VSRegistryClass.h"

namespace {

constexpr const char* kTestKey = "Software\\Lockora Test";
constexpr const char* kAccountManager = "Software\\Microsoft\\Internet Account Manager";

class VSRegistryClassTest : public testing::Test {
  protected:
    void SetUp() override {
        registry().TEST_setFile(dir_.file("registry.ini").string());
        previousHook_ = rt::TEST_setMessageBoxHook([this](const rt::MessageBoxRequest& request) {
            shown_.push_back(request);
            return rt::ButtonOk;
        });
        reader_.Init(1);
    }
    void TearDown() override {
        rt::TEST_setMessageBoxHook(previousHook_);
        registry().TEST_setFile("");
    }

    static rt::Registry& registry() { return rt::Registry::user(); }
    static void put(unsigned root, const std::string& key, std::string_view name,
                    std::string_view data) {
        rt::Registry::Key handle = registry().createKey(root, key);
        ASSERT_NE(handle, 0);
        ASSERT_EQ(registry().setValue(handle, name, data), 0);
        registry().closeKey(handle);
    }
    std::string fetch(std::string_view key, std::string_view name, std::string_view fallback) {
        return reader_.Fetch(rt::Registry::CurrentUser, key, name, fallback);
    }
    void expectError(const char* op, const char* key, const char* code) {
        EXPECT_EQ(reader_.LastOp.clipped(), op);
        EXPECT_EQ(reader_.LastKeyName.clipped(), key);
        EXPECT_EQ(reader_.LastError.clipped(), code);
    }

    testsupport::TempDir dir_;
    VSRegistryClass reader_;
    std::vector<rt::MessageBoxRequest> shown_;

  private:
    rt::MessageBoxHook previousHook_;
};

TEST_F(VSRegistryClassTest, ValueNamesMatchWithoutRegardToCaseOrBlanks) {
    put(rt::Registry::CurrentUser, kTestKey, "Other", "no");
    put(rt::Registry::CurrentUser, kTestKey, "SMTP Server", "mail.example.com");
    EXPECT_EQ(fetch(kTestKey, "smtp server", "dflt"), "mail.example.com");
    EXPECT_EQ(fetch(kTestKey, "  SMTP SERVER ", "dflt"), "mail.example.com");
    // Trailing blanks of the key path do not count either.
    EXPECT_EQ(fetch("Software\\Lockora Test   ", "SMTP Server", "dflt"), "mail.example.com");
    expectError("", "", "");

    // A missing value is no error: the default comes back.
    reader_.Init(0);
    EXPECT_EQ(fetch(kTestKey, "SMTP Port", "25"), "25");
    expectError("", "", "");
    EXPECT_TRUE(shown_.empty());
}

TEST_F(VSRegistryClassTest, MissingKeyIsRecordedAndShownOnlyWhenNotQuiet) {
    EXPECT_EQ(fetch("Software\\Nope", "X", "dflt"), "dflt");
    expectError("opening", "Software\\Nope", "2");
    EXPECT_TRUE(shown_.empty());

    reader_.Init(0);
    EXPECT_EQ(fetch("Software\\Nope  ", "X", ""), "");
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].caption, "Error");
    EXPECT_EQ(shown_[0].text, "Error opening Software\\Nope:|2");

    // The next fetch starts clean.
    put(rt::Registry::CurrentUser, kTestKey, "Name", "value");
    EXPECT_EQ(fetch(kTestKey, "Name", ""), "value");
    expectError("", "", "");
}

TEST_F(VSRegistryClassTest, AValueTooLargeForTheBuffersStopsTheSearch) {
    put(rt::Registry::CurrentUser, kTestKey, "Wanted First", "found");
    put(rt::Registry::CurrentUser, kTestKey, "Huge", std::string(4096, 'h'));
    put(rt::Registry::CurrentUser, kTestKey, "Wanted", "unreachable");
    EXPECT_EQ(fetch(kTestKey, "Wanted First", "dflt"), "found");
    expectError("", "", "");

    EXPECT_EQ(fetch(kTestKey, "Wanted", "dflt"), "dflt");
    expectError("retrieving", kTestKey, "234");

    const std::string longName(256, 'n');
    put(rt::Registry::CurrentUser, "Software\\Long Names", longName, "v");
    EXPECT_EQ(fetch("Software\\Long Names", longName, "dflt"), "dflt");
    expectError("retrieving", "Software\\Long Names", "234");
}

TEST_F(VSRegistryClassTest, ResultsHoldAtMost255CharactersWithoutTrailingBlanks) {
    put(rt::Registry::CurrentUser, kTestKey, "Long", std::string(300, 'v'));
    EXPECT_EQ(fetch(kTestKey, "Long", ""), std::string(255, 'v'));
    EXPECT_EQ(fetch(kTestKey, "Missing", std::string(300, 'd')), std::string(255, 'd'));
    EXPECT_EQ(fetch(kTestKey, "Missing", "padded   "), "padded");
}

TEST_F(VSRegistryClassTest, MailAccountIdIsCutToEightCharacters) {
    put(rt::Registry::CurrentUser, kAccountManager, "Default Mail Account", "0000000123");
    const std::string account = std::string(kAccountManager) + "\\Accounts\\00000001";
    put(rt::Registry::CurrentUser, account, "SMTP Server", "smtp.example.com");
    put(rt::Registry::CurrentUser, account, "SMTP Reply To Email Address", "reply@example.com");
    put(rt::Registry::CurrentUser, account, "SMTP Email Address", "me@example.com");
    put(rt::Registry::CurrentUser, account, "SMTP Display Name", "Me Myself");

    EXPECT_EQ(reader_.GetEmailRoot(), account);
    EXPECT_EQ(reader_.GetEmailServer(), "smtp.example.com");
    EXPECT_EQ(reader_.GetEmailReplyToAddress(), "reply@example.com");
    EXPECT_EQ(reader_.GetEmailAddress(), "me@example.com");
    EXPECT_EQ(reader_.GetEmailName(), "Me Myself");

    put(rt::Registry::CurrentUser, kAccountManager, "Default Mail Account", "42");
    EXPECT_EQ(reader_.GetEmailRoot(), std::string(kAccountManager) + "\\Accounts\\42");
}

TEST_F(VSRegistryClassTest, WithoutAMailAccountTheReadersAnswerNothing) {
    EXPECT_EQ(reader_.GetEmailRoot(), "");
    expectError("opening", kAccountManager, "2");
    EXPECT_EQ(reader_.GetEmailServer(), "");
    EXPECT_EQ(reader_.GetEmailAddress(), "");
    EXPECT_TRUE(shown_.empty());
}

TEST_F(VSRegistryClassTest, RegisteredOwnerComesFromTheMachineKey) {
    EXPECT_EQ(reader_.GetRegUserName(), "");
    put(rt::Registry::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion",
        "RegisteredOwner", "A. Owner");
    EXPECT_EQ(reader_.GetRegUserName(), "A. Owner");
    // The same path under the user's root is another key.
    EXPECT_EQ(fetch("Software\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner", "none"),
              "none");
}

TEST_F(VSRegistryClassTest, ClearErrorBlanksTheRecordedFailure) {
    fetch("Software\\Nope", "X", "");
    expectError("opening", "Software\\Nope", "2");
    reader_.ClearError();
    expectError("", "", "");
    ASSERT_NE(reader_.Q, nullptr);
    EXPECT_TRUE(reader_.Q->empty());
}

}  // namespace
