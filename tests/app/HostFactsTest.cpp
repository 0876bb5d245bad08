#include <gtest/gtest.h>

#include <cstdlib>

#include "app/EnvironmentCopies.h"
#include "app/GlobalData.h"
#include "app/HostFacts.h"
#include "runtime/host/Host.h"

namespace {

class HostFactsTest : public testing::Test {
  protected:
    void TearDown() override {
        rt::Host::TEST_setUserNameHook({});
        rt::Host::TEST_setUrlOpener({});
        unsetenv("LOCKORA_TEST_VALUE");
        unsetenv("PROMPT");
    }
};

}  // namespace

TEST_F(HostFactsTest, GetEnvGivesTheValueOrNothing) {
    setenv("LOCKORA_TEST_VALUE", "seven  ", 1);
    EXPECT_EQ(GetEnv("LOCKORA_TEST_VALUE   "), "seven");
    EXPECT_EQ(GetEnv("LOCKORA_NOT_SET_ANYWHERE"), "");
    setenv("LOCKORA_TEST_VALUE", std::string(199, 'x').c_str(), 1);
    EXPECT_EQ(GetEnv("LOCKORA_TEST_VALUE"), std::string(199, 'x'));
    setenv("LOCKORA_TEST_VALUE", std::string(200, 'x').c_str(), 1);
    EXPECT_EQ(GetEnv("LOCKORA_TEST_VALUE"), "") << "a value too long for the buffer is dropped";
}

TEST_F(HostFactsTest, ReadEnvironmentFillsTheCopiesByName) {
    setenv("PROMPT", "$P$G", 1);
    unsetenv("windir");
    unsetenv("WINDIR");
    ReadEnvironment();
    EXPECT_EQ(ENV.PROMPT.clipped(), "$P$G");
    EXPECT_TRUE(ENV.windir.blank());
    EXPECT_EQ(EnvironmentCopies::Slots().size(), 29u);
    EXPECT_EQ(EnvironmentCopies::Slots().front().name, "ALLUSERSPROFILE");
    EXPECT_EQ(EnvironmentCopies::Slots().back().name, "windir");
}

TEST_F(HostFactsTest, AUserNameThatDoesNotFitOrCannotBeReadIsInvalid) {
    struct Case {
        std::optional<std::string> name;
        std::string expected;
    };
    const Case cases[] = {
        {"ada", "ada"},
        {std::string(39, 'u'), std::string(39, 'u')},
        {std::string(40, 'u'), "Invalid User"},
        {std::nullopt, "Invalid User"},
    };
    for (const Case& c : cases) {
        rt::Host::TEST_setUserNameHook([&] { return c.name; });
        ReadHostFacts();
        EXPECT_EQ(GLO.User.clipped(), c.expected);
    }
    EXPECT_FALSE(GLO.OS.blank());
}

TEST_F(HostFactsTest, URLHandlerHandsOnTheTrimmedLocationOnly) {
    std::vector<std::string> opened;
    rt::Host::TEST_setUrlOpener([&](const std::string& url) {
        opened.push_back(url);
        return false;
    });
    URLHandler(nullptr, "https://example.org/login   ");
    URLHandler(nullptr, "mailto:support@lockora.invalid");
    URLHandler(nullptr, "   ");
    ASSERT_EQ(opened.size(), 2u) << "a blank location opens nothing";
    EXPECT_EQ(opened[0], "https://example.org/login");
    EXPECT_EQ(opened[1], "mailto:support@lockora.invalid");
}
