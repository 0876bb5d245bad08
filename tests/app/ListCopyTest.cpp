// Copying from the main list: Ctrl+C and the menu put the highlighted
// entry's password on the clipboard as a secret that the status bar counts
// down and that goes once its time is up; Ctrl+B copies the user name and
// Ctrl+U opens the location. What the clipboard holds is compared with the
// data file read by the cipher's own shell.
#include "app/PasswordsFile.h"
#include "app/UpdatePassword.h"
#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Clipboard.h"
#include "runtime/gui/SecretClipboard.h"
#include "runtime/text/Date.h"
#include "runtime/text/Time.h"
#include "tests/app/ListFixture.h"

using namespace program;

namespace {

constexpr int kCtrlC = rt::KeyCtrl + rt::keyFor('C');
constexpr int kCtrlB = rt::KeyCtrl + rt::keyFor('B');
constexpr int kCtrlU = rt::KeyCtrl + rt::keyFor('U');
const rt::DateSerial kDay = rt::dateFromParts(6, 1, 2027);
const rt::TimeValue kNine = rt::timeFromParts(9, 0, 0);

std::string hint() {
    return rt::clipboardData("x-kde-passwordManagerHint");
}

// Robot step: the test clock moved on to `seconds` after nine o'clock.
rt::Robot& clockAt(rt::Robot& robot, int seconds) {
    return robot.run("the clock at +" + std::to_string(seconds) + " s",
                     [seconds](rt::Window&) { rt::TEST_setClock(kDay, kNine + seconds * 100); });
}

class ListCopyTest : public ListFixture {
  protected:
    void SetUp() override {
        ListFixture::SetUp();
        rt::TEST_setClock(kDay, kNine);
        rt::setClipboardText("the user's own text");
    }
    void TearDown() override {
        rt::clearSecretNow();
        rt::TEST_resetClock();
        ListFixture::TearDown();
    }
    std::string field(const char* column, int id) {
        auto rows = sql(std::string("SELECT ") + column +
                        " FROM Password WHERE Primary_ID = " + std::to_string(id));
        return rows.empty() ? "?" : rows[0];
    }
};

}  // namespace

TEST_F(ListCopyTest, CtrlCCopiesThePasswordAsASecretThatCountsDownAndGoes) {
    makeDataFile(12);
    std::string copied, copiedHint, atStart, atFour, atTen, afterClear;
    rt::Robot robot;
    login(robot)
        .clickRow(MainList, 3)
        .key(kCtrlC, MainList)
        .check("the countdown shows", [](rt::Window& w) { return !w.statusText(1).empty(); })
        .run("just copied", [&](rt::Window& w) {
            copied = rt::clipboardText();
            copiedHint = hint();
            atStart = w.statusText(1);
        });
    clockAt(robot, 4)
        .check("four seconds on",
               [](rt::Window& w) { return w.statusText(1).find("in 6 s") != std::string::npos; })
        .run("four seconds on", [&](rt::Window& w) { atFour = w.statusText(1); });
    clockAt(robot, 10)
        .check("cleared", [](rt::Window&) { return rt::clipboardText().empty(); })
        .check("the notice gone", [](rt::Window& w) { return w.statusText(1).empty(); })
        .run("after", [&](rt::Window& w) { afterClear = w.statusText(1) + "|"; })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(copied, field("Password", 3));
    EXPECT_EQ(copiedHint, "secret");
    EXPECT_EQ(atStart, "Password copied; clears in 10 s");
    EXPECT_EQ(atFour, "Password copied; clears in 6 s");
    EXPECT_EQ(afterClear, "|");
}

TEST_F(ListCopyTest, TheMenuAndCtrlBCopyTheUserNameAndLaterCopiesAreKept) {
    makeDataFile(12);
    std::vector<std::string> items;
    std::string user, userHint, menuPassword, kept;
    rt::Robot robot;
    login(robot)
        .rightClick(MainList, 5)
        .readPopupItems(&items)
        .choosePopupItem("Copy &User Name")
        .check("copied", [](rt::Window&) { return rt::clipboardText() != "the user's own text"; })
        .run("the user name",
             [&](rt::Window&) {
                 user = rt::clipboardText();
                 userHint = hint();
             })
        .rightClick(MainList, 6)
        .choosePopupItem("Copy &Password")
        .check("copied", [&](rt::Window&) { return rt::clipboardText() != user; })
        .run("the password", [&](rt::Window&) { menuPassword = rt::clipboardText(); })
        .run("something else copied meanwhile",
             [](rt::Window&) { rt::setClipboardText("copied by hand"); });
    clockAt(robot, 30)
        .check("the notice gone", [](rt::Window& w) { return w.statusText(1).empty(); })
        .run("after its time", [&](rt::Window&) { kept = rt::clipboardText(); })
        .clickRow(MainList, 2)
        .key(kCtrlB, MainList)
        .check("Ctrl+B",
               [this](rt::Window&) { return rt::clipboardText() == field("UserName", 2); })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    ASSERT_GE(items.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(items.begin(), items.begin() + 3),
              (std::vector<std::string>{"&Add", "&Change", "&Delete"}));
    EXPECT_EQ(std::vector<std::string>(items.end() - 2, items.end()),
              (std::vector<std::string>{"Copy &Password", "Copy &User Name"}));
    EXPECT_EQ(user, field("UserName", 5));
    EXPECT_EQ(userHint, "") << "a user name is not a secret";
    EXPECT_EQ(menuPassword, field("Password", 6));
    EXPECT_EQ(kept, "copied by hand");
}

TEST_F(ListCopyTest, CtrlUOpensTheHighlightedLocation) {
    makeDataFile(12);
    rt::Robot robot;
    login(robot).clickRow(MainList, 7).key(kCtrlU, MainList).press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(opened, std::vector<std::string>{field("Location", 7)});
}

TEST_F(ListCopyTest, AnEmptyListCopiesNothingAndOpensNothing) {
    makeDataFile(0);
    std::string status;
    rt::Robot empty;
    empty.waitForWindow(kLoginCaption)
        .type(LoginEntry, kMaster)
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .key(kCtrlC, MainList)
        .key(kCtrlB, MainList)
        .key(kCtrlU, MainList)
        .run("nothing copied", [&](rt::Window& w) { status = w.statusText(1) + "|"; })
        .press(MainExit);
    EXPECT_EQ(runProgram(empty), 0);
    EXPECT_EQ(rt::clipboardText(), "the user's own text");
    EXPECT_EQ(status, "|");
    EXPECT_TRUE(opened.empty());
}

TEST_F(ListCopyTest, TheCredentialFormCopiesPasswordPinAndCodeAsSecretsOnly) {
    makeDataFile(4, [](int id) {
        PAS.PIN = "47" + std::to_string(id);
        PAS.SecurityCode = "c0de" + std::to_string(id);
    });
    struct Copy {
        int control;
        std::string text, hint;
    };
    std::vector<Copy> copies = {{PasswordControl::TitleEntry, "", ""},
                                {PasswordControl::PasswordEntry, "", ""},
                                {PasswordControl::PinEntry, "", ""},
                                {PasswordControl::SecurityCodeEntry, "", ""},
                                {PasswordControl::UserNameEntry, "", ""}};
    rt::Robot robot;
    login(robot).clickRow(MainList, 2).press(MainChange).waitForWindow("Record Will Be Changed");
    for (Copy& copy : copies) {
        int control = copy.control;
        robot
            .run("select the whole entry",
                 [control](rt::Window& w) {
                     w.setProperty(control, rt::Prop::SelStart, 1);
                     w.setProperty(control, rt::Prop::SelEnd,
                                   static_cast<int>(rt::rightTrim(w.text(control)).size()));
                 })
            .rightClick(control)
            .choosePopupItem("Copy")
            .run("what was copied", [&copy](rt::Window&) {
                copy.text = rt::clipboardText();
                copy.hint = hint();
            });
    }
    robot.press(PasswordControl::CancelButton).waitForWindow(kMainCaption).press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_EQ(copies[0].text, field("Title", 2));
    EXPECT_EQ(copies[0].hint, "");
    EXPECT_EQ(copies[1].text, field("Password", 2));
    EXPECT_EQ(copies[1].hint, "secret");
    EXPECT_EQ(copies[2].text, field("PIN", 2));
    EXPECT_EQ(copies[2].hint, "secret");
    EXPECT_EQ(copies[3].text, field("SecurityCode", 2));
    EXPECT_EQ(copies[3].hint, "secret");
    EXPECT_EQ(copies[4].text, field("UserName", 2));
    EXPECT_EQ(copies[4].hint, "") << "a later plain copy carries no hint";
}
