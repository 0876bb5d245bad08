// The program locks when left alone: every window goes off the screen and
// the login asks again; the right password brings back what was there, the
// wrong one is refused, Cancel ends the program. Unsaved typing in the
// credential form puts the lock off, and nothing reaches the data file,
// read with the cipher's own shell, without the user's OK.
#include <filesystem>
#include <fstream>

#include "app/GlobalData.h"
#include "app/ProgramHalt.h"
#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Clipboard.h"
#include "runtime/text/FixedText.h"
#include "tests/app/IdleLockFixture.h"

using namespace program;

namespace {

const std::string kChangeCaption = "Record Will Be Changed";

bool refusedAsAtStart(rt::Window& w) {
    return w.caption() == kLoginCaption &&
           w.property(LoginMessage, rt::Prop::Visible).number() == 1 &&
           rt::rightTrim(w.text(LoginEntry)).empty();
}

}  // namespace

TEST_F(IdleLockFixture, FiveIdleMinutesLockAndTheRightPasswordBringsTheMainWindowBack) {
    makeDataFile(30);
    int chosen = 0;
    QRect placeBefore;
    bool activeBefore = false;
    bool mainAwayAtLock = false;
    int chosenAfter = 0;
    std::string titleAfter;
    rt::Robot robot;
    login(robot).clickRow(MainList, 4).run("what the user leaves", [&](rt::Window& w) {
        chosen = highlighted(w);
        placeBefore = frame(&w)->geometry();
        activeBefore = active(&w);
    });
    locksAt(robot, 300)
        .run("the main window is off the screen",
             [&](rt::Window&) { mainAwayAtLock = !onScreen(windowCaptioned(kMainCaption)); })
        .type(LoginEntry, "tr1cky")
        .press(LoginButton)
        .check("a wrong password is refused as at start", refusedAsAtStart)
        .type(LoginEntry, kMaster)
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .check("the main window is back where it was, active",
               [&](rt::Window& w) {
                   return onScreen(&w) && frame(&w)->geometry() == placeBefore && active(&w) &&
                          !loginShown();
               })
        .run("what the user finds",
             [&](rt::Window& w) {
                 chosenAfter = highlighted(w);
                 int row = static_cast<int>(w.property(MainList, rt::Prop::Selected).number());
                 titleAfter = rt::rightTrim(cell(w, row, 1));
             })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_TRUE(halts.empty());
    EXPECT_TRUE(activeBefore);
    EXPECT_TRUE(mainAwayAtLock);
    ASSERT_GT(chosen, 0);
    EXPECT_EQ(chosenAfter, chosen);
    EXPECT_EQ(std::vector<std::string>{titleAfter},
              sql("SELECT Title FROM Password WHERE Primary_ID = " + std::to_string(chosen)));
}

TEST_F(IdleLockFixture, ALockTakesACopiedPasswordOffTheClipboard) {
    makeDataFile(5);
    std::ofstream(dir.file("Lockora.INI"), std::ios::app) << "[Options]\nClearClipboardSeconds=0\n";
    std::string copied, atLock = "?";
    rt::Robot robot;
    login(robot)
        .clickRow(MainList, 2)
        .key(rt::KeyCtrl + rt::keyFor('C'), MainList)
        .run("copied", [&](rt::Window&) { copied = rt::clipboardText(); });
    locksAt(robot, 300).run("at the lock", [&](rt::Window&) { atLock = rt::clipboardText(); });
    unlock(robot).waitForWindow(kMainCaption).press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(std::vector<std::string>{copied},
              sql("SELECT Password FROM Password WHERE Primary_ID = 2"));
    EXPECT_EQ(atLock, "");
}

TEST_F(IdleLockFixture, InputStartsTheIdleTimeAgain) {
    makeDataFile(5);
    rt::Robot robot;
    login(robot);
    clockMovesTo(robot, 30).key(rt::DownKey, MainList);
    locksAt(robot, 30 + 300);
    unlock(robot).waitForWindow(kMainCaption).press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_TRUE(halts.empty());
}

TEST_F(IdleLockFixture, TheSettingChoosesTheMinutesAndZeroNeverLocks) {
    makeDataFile(5);
    // A negative number counts as 0, as with every option.
    for (const char* never : {"0", "-1"}) {
        rt::TEST_setClock(kStartDay, kStartTime);
        writeOptions(std::string("LockAfterMinutes=") + never + "\n");
        rt::Robot robot;
        login(robot);
        clockMovesTo(robot, 30 * 3600)
            .check("a day later, still open",
                   [](rt::Window& w) { return w.caption() == kMainCaption; })
            .press(MainExit);
        EXPECT_EQ(runProgram(robot), 0) << never;
    }
    // A run from the start of the clock that locks after `seconds` idle.
    auto locksAfter = [&](const std::string& setting, std::int64_t seconds) {
        rt::TEST_setClock(kStartDay, kStartTime);
        writeOptions("LockAfterMinutes=" + setting + "\n");
        rt::Robot robot;
        login(robot);
        locksAt(robot, seconds);
        unlock(robot).waitForWindow(kMainCaption).press(MainExit);
        EXPECT_EQ(runProgram(robot), 0) << setting;
    };
    locksAfter("2", 120);
    // What is not a number of minutes counts as the five of a new file.
    locksAfter("soon", 300);
    EXPECT_TRUE(halts.empty());
}

TEST_F(IdleLockFixture, CancelAtTheLockEndsTheProgramAsACancelledLoginAtStartDoes) {
    makeDataFile(5);
    rt::Robot robot;
    login(robot);
    clockMovesTo(robot, 600)
        .waitForWindow(kLoginCaption)
        .type(LoginEntry, "guess")
        .press(LoginCancel);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(halts, std::vector<int>{0});
    EXPECT_EQ(GLO.PasswordVerified, 0);
    EXPECT_TRUE(rt::Window::openWindows().empty());
}

TEST_F(IdleLockFixture, ARealHaltAtTheLockEndsTheProcessWithCodeZeroAndWritesNothing) {
    makeDataFile(5);
    std::filesystem::remove(dir.file("Lockora.INI"));
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            InstallProgramHalt();
            rt::Robot robot;
            login(robot);
            clockMovesTo(robot, 600).waitForWindow(kLoginCaption).press(LoginCancel);
            robot.start();
            Lockora();
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("Lockora.INI")))
        << "the exit's clean-up saved the settings";
}

TEST_F(IdleLockFixture, AFormWithoutChangesIsLockedOverAndComesBackActive) {
    makeDataFile(5);
    QRect formPlace, mainPlace;
    bool bothAway = false;
    rt::Robot robot;
    login(robot)
        .clickRow(MainList, 2)
        .press(MainChange)
        .waitForWindow(kChangeCaption)
        .run("the form as left", [&](rt::Window& w) {
            formPlace = frame(&w)->geometry();
            mainPlace = frame(windowCaptioned(kMainCaption))->geometry();
        });
    clockMovesTo(robot, 300)
        .waitForWindow(kLoginCaption)
        .run("both windows are off the screen", [&](rt::Window&) {
            bothAway = !onScreen(windowCaptioned(kMainCaption)) &&
                       !onScreen(windowCaptioned(kChangeCaption));
        });
    unlock(robot)
        .waitForWindow(kChangeCaption)
        .check("the form is back in its place, active, over the main window",
               [&](rt::Window& w) {
                   rt::Window* main = windowCaptioned(kMainCaption);
                   return onScreen(&w) && active(&w) && frame(&w)->geometry() == formPlace &&
                          onScreen(main) && frame(main)->geometry() == mainPlace && !loginShown();
               })
        .press(PasswordControl::CancelButton)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_TRUE(bothAway);
    EXPECT_TRUE(halts.empty());
    EXPECT_TRUE(boxes.empty()) << "the unchanged form asked a question";
}

TEST_F(IdleLockFixture, UnsavedTypingPutsTheLockOffAndNothingIsWrittenWithoutOk) {
    makeDataFile(5);
    std::string question;
    std::vector<std::string> whileWaiting;
    rt::Robot robot;
    login(robot)
        .clickRow(MainList, 1)
        .press(MainChange)
        .waitForWindow(kChangeCaption)
        .type(PasswordControl::TitleEntry, "Typed, never saved");
    clockMovesTo(robot, 3600)
        .check("the form stays up and no login comes",
               [](rt::Window& w) {
                   return w.caption().rfind(kChangeCaption, 0) == 0 && onScreen(&w) &&
                          !loginShown();
               })
        .run("the file meanwhile",
             [&](rt::Window&) { whileWaiting = sql("SELECT Title FROM Password ORDER BY 1"); })
        .press(PasswordControl::CancelButton)
        .answerMessageBox(rt::ButtonYes, &question)
        .waitForWindow(kLoginCaption)
        .check("the main window is off the screen",
               [](rt::Window&) { return !onScreen(windowCaptioned(kMainCaption)); });
    unlock(robot).waitForWindow(kMainCaption).press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(question, "Are you sure you want to cancel?");
    std::vector<std::string> titles = sql("SELECT Title FROM Password ORDER BY 1");
    EXPECT_EQ(whileWaiting, titles);
    EXPECT_TRUE(sql("SELECT Title FROM Password WHERE Title LIKE 'Typed%'").empty());
}

TEST_F(IdleLockFixture, TheOwedLockComesOnceTheUserHasSavedTheForm) {
    makeDataFile(5);
    rt::Robot robot;
    login(robot)
        .clickRow(MainList, 1)
        .press(MainChange)
        .waitForWindow(kChangeCaption)
        .type(PasswordControl::TitleEntry, "Saved by the user");
    clockMovesTo(robot, 3600).check("the form waits for its user", [](rt::Window& w) {
        return w.caption().rfind(kChangeCaption, 0) == 0 && !loginShown();
    });
    // The user comes back, types some more and saves: the lock owed since
    // then comes at once.
    clockMovesTo(robot, 3700)
        .type(PasswordControl::TitleEntry, "Saved by the user 1")
        .press(PasswordControl::OkButton);
    unlock(robot).waitForWindow(kMainCaption).press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(sql("SELECT Title FROM Password WHERE Title LIKE 'Saved%'"),
              std::vector<std::string>{"Saved by the user 1"});
}
