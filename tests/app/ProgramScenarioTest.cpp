// The whole program driven as a user would, from an empty folder on.
#include <cstdlib>
#include <filesystem>

#include "app/GlobalData.h"
#include "app/ProgramHalt.h"
#include "runtime/controls/Prop.h"
#include "runtime/text/Date.h"
#include "runtime/text/FixedText.h"
#include "tests/app/ProgramFixture.h"

using namespace program;

namespace {

bool shows(const rt::Window& w, int control) {
    return w.property(control, rt::Prop::Visible).number() == 1;
}

std::string changedCaption(const std::string& name) {
    std::string padded = name;
    padded.resize(35, ' ');
    return "Record Will Be Changed  (" + padded + ")";
}

}  // namespace

TEST_F(ProgramFixture, FirstRunAdmitsAnEmptyLoginAndInsistsOnAMasterPassword) {
    rt::Robot robot;
    prepare(robot);
    robot.waitForWindow(kLoginCaption)
        .check("the message is hidden at first",
               [](rt::Window& w) { return !shows(w, LoginMessage); })
        .screenshot("login-window.png")
        .press(LoginButton)
        .waitForWindow(kNewSystemCaption)
        .screenshot("system-form.png")
        .type(SysName, "Ada Example")
        .press(SysOk)
        .check("a blank master password keeps the form",
               [](rt::Window& w) {
                   return w.caption() == kNewSystemCaption &&
                          w.requiredMessage() == "You cannot have a blank password!" &&
                          w.focus() == SysMaster;
               })
        .type(SysMaster, "Tr1cky")
        .press(SysOk)
        .waitForWindow(kMainCaption)
        .check("the list is there and empty, the clock runs",
               [](rt::Window& w) {
                   return w.listRowCount(MainList) == 0 && !w.statusText(2).empty() &&
                          !w.statusText(3).empty();
               })
        .screenshot("main-window.png")
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_TRUE(halts.empty());
    EXPECT_TRUE(boxes.empty());

    std::string ini = settingsText();
    EXPECT_NE(ini.find("[Preserved]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Glo:FileLocation="), std::string::npos) << ini;
    EXPECT_NE(ini.find("[__Dont_Touch_Me__]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Sectors=0"), std::string::npos) << ini;
    std::string data = testsupport::readFile(dir.file("Lockora.lkdb"));
    ASSERT_GT(data.size(), 100u);
    EXPECT_NE(data.rfind("SQLite format 3", 0), 0u) << "the data file is stored in clear";
    EXPECT_EQ(data.find("Tr1cky"), std::string::npos);
    EXPECT_EQ(data.find("Ada Example"), std::string::npos);
}

TEST_F(ProgramFixture, LoginIsCaseSensitiveAndTheChangedPasswordCountsNextTime) {
    firstRun("Ada Example", "Tr1cky");
    rt::Robot second;
    prepare(second);
    second.waitForWindow(kLoginCaption)
        .type(LoginEntry, "tr1cky")
        .press(LoginButton)
        .check("the wrong case is refused and the entry emptied",
               [](rt::Window& w) {
                   return shows(w, LoginMessage) &&
                          rt::rightTrim(w.text(LoginMessage)) == "'Incorrect Password'" &&
                          rt::rightTrim(w.text(LoginEntry)).empty();
               })
        .screenshot("login-refused.png")
        .type(LoginEntry, "Tr1")
        .check("the message stays while the next try is typed",
               [](rt::Window& w) { return shows(w, LoginMessage); })
        .type(LoginEntry, "Tr1cky")
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .press(MainSystem)
        .waitForWindow(changedCaption("Ada Example"))
        .chooseTab(SysInfoTab)
        .check("the host facts are shown",
               [](rt::Window& w) { return rt::rightTrim(w.text(SysUserString)) == "tester"; })
        .chooseTab(2)
        .type(SysMaster, "N3wer")
        .press(SysOk)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(second), 0);

    rt::Robot third;
    third.waitForWindow(kLoginCaption)
        .type(LoginEntry, "Tr1cky")
        .press(LoginButton)
        .check("the old password no longer opens",
               [](rt::Window& w) { return shows(w, LoginMessage); })
        .type(LoginEntry, "N3wer")
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(third), 0);
    EXPECT_TRUE(halts.empty());
}

TEST_F(ProgramFixture, CancelAtTheLoginHaltsWithoutWritingTheSettings) {
    firstRun("Ada Example", "Tr1cky");
    std::filesystem::remove(dir.file("Lockora.INI"));
    rt::Robot robot;
    robot.waitForWindow(kLoginCaption).type(LoginEntry, "guess").press(LoginCancel);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(halts, std::vector<int>{0});
    EXPECT_EQ(GLO.PasswordVerified, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("Lockora.INI")));
}

TEST_F(ProgramFixture, CancelledFirstSettingsLeaveTheNextStartOpenToAnEmptyLogin) {
    rt::Robot first;
    first.waitForWindow(kLoginCaption)
        .press(LoginButton)
        .waitForWindow(kNewSystemCaption)
        .press(SysCancel)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(first), 0);

    rt::Robot second;
    second.waitForWindow(kLoginCaption)
        .press(LoginButton)
        .waitForWindow(kNewSystemCaption)
        .type(SysMaster, "Later")
        .press(SysOk)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(second), 0);
    EXPECT_TRUE(halts.empty());
}

TEST_F(ProgramFixture, ThePreservedFileLocationIsShownAndWrittenBack) {
    testsupport::writeFile(dir.file("Lockora.INI"),
                           "[Preserved]\nGlo:FileLocation=/srv/vault/Lockora\n");
    rt::Robot robot;
    robot.waitForWindow(kLoginCaption)
        .press(LoginButton)
        .waitForWindow(kNewSystemCaption)
        .chooseTab(SysInfoTab)
        .check("the location is shown",
               [](rt::Window& w) { return rt::rightTrim(w.text(32)) == "/srv/vault/Lockora"; })
        .press(SysCancel)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_NE(settingsText().find("Glo:FileLocation=/srv/vault/Lockora"), std::string::npos);
}

TEST_F(ProgramFixture, TheAboutWindowOpensAMailMessageAndCloses) {
    firstRun("Ada Example", "Tr1cky");
    rt::Robot robot;
    prepare(robot);
    robot.waitForWindow(kLoginCaption)
        .type(LoginEntry, "Tr1cky")
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .press(MainAbout)
        .waitForWindow("About Password Lockora")
        .screenshot("about-window.png")
        .clickControl(LinkRegion)
        .check("the desktop was asked for a new message",
               [this](rt::Window&) { return !opened.empty(); })
        .press(AboutClose)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].rfind("mailto:", 0), 0u) << opened[0];
}

TEST_F(ProgramFixture, TheLinkLineOpensTheSelectedLocationEvenWhenBlank) {
    firstRun("Ada Example", "Tr1cky");
    rt::Robot robot;
    robot.waitForWindow(kLoginCaption)
        .type(LoginEntry, "Tr1cky")
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .clickControl(LinkRegion)
        .press(MainLink)
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    // A blank location is never handed on: the desktop has nothing to open.
    EXPECT_TRUE(opened.empty());
}

TEST_F(ProgramFixture, ARealHaltEndsTheProcessWithCodeZeroAndWritesNothing) {
    firstRun("Ada Example", "Tr1cky");
    std::filesystem::remove(dir.file("Lockora.INI"));
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            InstallProgramHalt();
            rt::Robot robot;
            robot.waitForWindow(kLoginCaption).press(LoginCancel);
            robot.start();
            Lockora();
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("Lockora.INI")))
        << "the exit's clean-up saved the settings";
}

TEST_F(ProgramFixture, DragFullWindowsIsOffWhileTheProgramRunsAndRestoredOnlyIfItWasOn) {
    std::vector<bool> changes;
    auto oldWatcher =
        rt::Host::TEST_setDragFullWindowsWatcher([&](bool on) { changes.push_back(on); });
    rt::Host::setDragFullWindows(true);
    changes.clear();
    bool offWhileRunning = false;
    rt::Robot robot;
    robot.waitForWindow(kLoginCaption)
        .press(LoginButton)
        .waitForWindow(kNewSystemCaption)
        .type(SysMaster, "Tr1cky")
        .press(SysOk)
        .waitForWindow(kMainCaption)
        .run("look at the setting",
             [&](rt::Window&) { offWhileRunning = !rt::Host::dragFullWindows(); })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_TRUE(offWhileRunning);
    EXPECT_EQ(changes, (std::vector<bool>{false, true}));

    rt::Host::setDragFullWindows(false);
    changes.clear();
    rt::Robot off;
    off.waitForWindow(kLoginCaption)
        .type(LoginEntry, "Tr1cky")
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(off), 0);
    EXPECT_TRUE(changes.empty()) << "a setting that was off is never touched";

    rt::Host::setDragFullWindows(true);
    changes.clear();
    rt::Robot refused;
    refused.waitForWindow(kLoginCaption).press(LoginCancel);
    EXPECT_EQ(runProgram(refused), 0);
    EXPECT_EQ(changes, std::vector<bool>{false}) << "a halted run does not restore it";
    rt::Host::TEST_setDragFullWindowsWatcher(oldWatcher);
    rt::Host::setDragFullWindows(true);
}

TEST_F(ProgramFixture, TheStatusBarShowsTheClocksDateAndTime) {
    // A leap day afternoon, read from the test clock instead of the host's.
    rt::TEST_setClock(rt::dateFromParts(2, 29, 2028), (13 * 3600 + 5 * 60 + 9) * 100 + 1);
    rt::Robot robot;
    robot.waitForWindow(kLoginCaption)
        .press(LoginButton)
        .waitForWindow(kNewSystemCaption)
        .type(SysMaster, "Tr1cky")
        .press(SysOk)
        .waitForWindow(kMainCaption)
        .check("zone 2 holds the long date and zone 3 the time with seconds",
               [](rt::Window& w) {
                   return w.statusText(2) == "February 29, 2028" && w.statusText(3) == "1:05:09PM";
               })
        .press(MainExit);
    int code = runProgram(robot);
    rt::TEST_resetClock();
    EXPECT_EQ(code, 0);
}
