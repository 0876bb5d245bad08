#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "runtime/host/Host.h"
#include "tests/support/TempDir.h"

namespace rt {
namespace {

using testsupport::TempDir;
using testsupport::writeFile;

TEST(HostTest, UserNameFailsWhenUnreadableOrTooLongForTheBuffer) {
    EXPECT_TRUE(Host::userName(256).has_value());

    auto previous = Host::TEST_setUserNameHook([] { return std::string(39, 'u'); });
    EXPECT_EQ(Host::userName(40), std::string(39, 'u'));
    Host::TEST_setUserNameHook([] { return std::string(40, 'u'); });
    EXPECT_EQ(Host::userName(40), std::nullopt);
    Host::TEST_setUserNameHook([] { return std::nullopt; });
    EXPECT_EQ(Host::userName(40), std::nullopt);
    Host::TEST_setUserNameHook(previous);
}

TEST(HostTest, ComputerAndSystemFactsComeFromTheHostOrTheHooks) {
    EXPECT_FALSE(Host::computerName().empty());
    EXPECT_FALSE(Host::osDescription().empty());
    auto computer = Host::TEST_setComputerNameHook([] { return "DESK-01"; });
    auto os = Host::TEST_setOsDescriptionHook([] { return "Test OS 1.0"; });
    EXPECT_EQ(Host::computerName(), "DESK-01");
    EXPECT_EQ(Host::osDescription(), "Test OS 1.0");
    Host::TEST_setComputerNameHook(computer);
    Host::TEST_setOsDescriptionHook(os);
    EXPECT_NE(Host::computerName(), "DESK-01");
}

TEST(HostTest, EnvironmentVariablesReadLikeThePlatformsCall) {
    setenv("LOCKORA_TEST_VALUE", "some value", 1);
    setenv("LOCKORA_TEST_LONG", std::string(199, 'x').c_str(), 1);
    setenv("LOCKORA_TEST_LONGER", std::string(200, 'x').c_str(), 1);
    unsetenv("LOCKORA_TEST_MISSING");

    EXPECT_EQ(Host::environment("LOCKORA_TEST_VALUE", 200), "some value");
    EXPECT_EQ(Host::environment("Lockora_Test_Value", 200), "some value");
    EXPECT_EQ(Host::environment("LOCKORA_TEST_MISSING", 200), "");
    EXPECT_EQ(Host::environment("LOCKORA_TEST_LONG", 200), std::string(199, 'x'));
    EXPECT_EQ(Host::environment("LOCKORA_TEST_LONGER", 200), "");
    EXPECT_EQ(Host::environment("", 200), "");
    EXPECT_EQ(Host::environment("LOCKORA_TEST_VALUE=some", 200), "");

    // An exact name wins over one that differs only in case.
    setenv("lockora_test_value", "lower", 1);
    EXPECT_EQ(Host::environment("lockora_test_value", 200), "lower");
    EXPECT_EQ(Host::environment("LOCKORA_TEST_VALUE", 200), "some value");
    for (const char* name :
         {"LOCKORA_TEST_VALUE", "lockora_test_value", "LOCKORA_TEST_LONG", "LOCKORA_TEST_LONGER"}) {
        unsetenv(name);
    }
}

TEST(HostTest, LocationsBecomeUrlsAndNeverCommands) {
    TempDir dir;
    writeFile(dir.file("notes file.txt"), "x");
    const std::string folder = dir.path().string();
    struct Case {
        std::string location;
        std::string url;
    } cases[] = {
        {"https://example.com/a b", "https://example.com/a%20b"},
        {"  https://example.com/   ", "https://example.com/"},
        {"mailto:someone@example.com?subject=Hi there",
         "mailto:someone@example.com?subject=Hi%20there"},
        {"someone@example.com", "mailto:someone@example.com"},
        {"www.example.com", "http://www.example.com"},
        {"www.example.com:8080/x", "http://www.example.com:8080/x"},
        {"notes file.txt", "file://" + folder + "/notes%20file.txt"},
        {folder + "/notes file.txt", "file://" + folder + "/notes%20file.txt"},
        {"", ""},
        {"      ", ""},
        {"https://example.com\nrm -rf ~", ""},
        {"; rm -rf ~", ""},
        {"$(reboot)", ""},
        {"-x --help", ""},
        {"http://", ""},
        {"C:\\Windows\\notepad.exe", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(Host::locationUrl(c.location), c.url) << c.location;
}

TEST(HostTest, OpeningHandsTheUrlToTheOpenerAndNothingForABlankLocation) {
    std::vector<std::string> opened;
    auto previous = Host::TEST_setUrlOpener([&](const std::string& url) {
        opened.push_back(url);
        return url != "https://refused.example/";
    });
    EXPECT_FALSE(Host::openLocation(""));
    EXPECT_FALSE(Host::openLocation("; rm -rf ~"));
    EXPECT_TRUE(Host::openLocation("mailto:maker@example.com   "));
    EXPECT_FALSE(Host::openLocation("https://refused.example/"));
    Host::TEST_setUrlOpener(previous);
    EXPECT_EQ(opened,
              (std::vector<std::string>{"mailto:maker@example.com", "https://refused.example/"}));
}

TEST(HostTest, DragFullWindowsIsAProcessSettingTheWatcherSees) {
    bool before = Host::dragFullWindows();
    std::vector<bool> writes;
    auto previous = Host::TEST_setDragFullWindowsWatcher([&](bool on) { writes.push_back(on); });
    Host::setDragFullWindows(false);
    EXPECT_FALSE(Host::dragFullWindows());
    Host::setDragFullWindows(true);
    EXPECT_TRUE(Host::dragFullWindows());
    Host::TEST_setDragFullWindowsWatcher(previous);
    Host::setDragFullWindows(before);
    EXPECT_EQ(writes, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace rt
