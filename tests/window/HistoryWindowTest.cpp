// The error history window as a person sees it: its buttons, list, icon and
// answers, driven by the robot through ErrorClass's real history.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "errors/ErrorClass.h"
#include "errors/ErrorStatusClass.h"
#include "runtime/controls/Control.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Assert.h"
#include "runtime/host/Halt.h"
#include "runtime/robot/Robot.h"
#include "tests/support/TempDir.h"
#include "window/ErrorWindow.h"
#include "window/HistHandlerClass.h"
#include "window/HistoryWindow.h"
#include "window/MsgBoxClass.h"

namespace {

constexpr int kList = ErrorWindowList;

int button(int n) {  // the n-th button control, from 1
    return ErrorWindowFirstButton + n - 1;
}

// What a person sees of the window's buttons.
struct Buttons {
    std::vector<std::string> captions;  // of the visible buttons, in order
    int hidden = 0;
    int defaultButton = 0;  // the control Enter presses
    int focus = 0;
};

Buttons readButtons(rt::Window& w) {
    Buttons seen;
    for (int n = 1; n <= ErrorWindowButtonCount; ++n) {
        if (w.property(button(n), rt::Prop::Visible).number() == 0) {
            ++seen.hidden;
            continue;
        }
        seen.captions.push_back(w.text(button(n)));
        if (w.property(button(n), rt::Prop::Default).number() != 0) seen.defaultButton = button(n);
    }
    seen.focus = w.focus();
    return seen;
}

std::vector<std::vector<std::string>> readRows(rt::Window& w) {
    std::vector<std::vector<std::string>> rows;
    for (int r = 1; r <= w.listRowCount(kList); ++r)
        rows.push_back({w.listCell(kList, r, 1), w.listCell(kList, r, 2)});
    return rows;
}

class HistoryWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        oldAssert_ = rt::setAssertHandler(
            [this](const std::string& m, const std::string&, int) { asserts.push_back(m); });
        oldHalt_ =
            rt::setHaltHandler([this](int code, const std::string&) { halts.push_back(code); });
        errors.Init(status);
    }
    void TearDown() override {
        rt::setAssertHandler(oldAssert_);
        rt::setHaltHandler(oldHalt_);
    }

    // Shows the window while the robot's script runs; answers the window's
    // answer.
    int show(rt::Robot& robot, const std::function<int()>& open) {
        robot.start();
        int answer = open();
        EXPECT_TRUE(robot.runNow()) << robot.failure();
        return answer;
    }
    int view(rt::Robot& robot) {
        return show(robot, [this] { return errors.ViewHistory(); });
    }

    // Records shown messages the way Msg does, without showing them.
    void throwSilently(ErrorId id, int times = 1) {
        errors.SetSilent(true);
        for (int i = 0; i < times; ++i) errors.Throw(id);
        errors.SetSilent(false);
    }

    std::vector<std::string> asserts;
    std::vector<int> halts;
    ErrorStatusClass status;
    HistoryWindow window;
    ErrorClass errors{&window};

  private:
    rt::AssertHandler oldAssert_;
    rt::HaltHandler oldHalt_;
};

TEST_F(HistoryWindowTest, OkAndHelpShowHelpFirstAndOkSecondWithOkTheDefault) {
    errors.SetHistoryThreshold(-1);
    throwSilently(ErrNoRecords);
    Buttons seen;
    std::string icon;
    rt::Robot robot;
    robot.waitForWindow("Errors History")
        .run("read the buttons",
             [&](rt::Window& w) {
                 seen = readButtons(w);
                 icon = w.property(ErrorWindowImage, rt::Prop::Icon).text();
             })
        .key(rt::EnterKey, kList);  // Enter outside a button presses the default
    EXPECT_EQ(view(robot), rt::ButtonOk);
    EXPECT_EQ(seen.captions, (std::vector<std::string>{"&Help", "O&k"}));
    EXPECT_EQ(seen.hidden, ErrorWindowButtonCount - 2);
    EXPECT_EQ(seen.defaultButton, button(2));
    EXPECT_EQ(seen.focus, button(2));
    EXPECT_EQ(icon, rt::standardIconName(rt::IconExclamation));
    EXPECT_TRUE(asserts.empty());
}

// The window is never a picture without words to a screen reader: the icon,
// the list and its headers and each button shown say what they are.
TEST_F(HistoryWindowTest, AScreenReaderHearsEveryControlByName) {
    errors.SetHistoryThreshold(-1);
    throwSilently(ErrNoRecords);
    std::vector<std::string> names, headers;
    auto heard = [](rt::Window& w, int control) {
        QWidget* widget = w.TEST_control(control)->focusTarget();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
        return iface ? iface->text(QAccessible::Name).toStdString() : std::string();
    };
    rt::Robot robot;
    robot.waitForWindow("Errors History")
        .run("listen to the controls",
             [&](rt::Window& w) {
                 for (int c : {int{ErrorWindowImage}, kList, button(1), button(2)})
                     names.push_back(heard(w, c));
                 QAccessibleInterface* list =
                     QAccessible::queryAccessibleInterface(w.TEST_control(kList)->focusTarget());
                 for (int c = 0; list && list->tableInterface() && c < 2; ++c)
                     headers.push_back(list->tableInterface()->columnDescription(c).toStdString());
             })
        .press(button(2));
    EXPECT_EQ(view(robot), rt::ButtonOk);
    EXPECT_EQ(names, (std::vector<std::string>{"Message icon", "Messages", "Help", "Ok"}));
    EXPECT_EQ(headers, (std::vector<std::string>{"Message", "Category"}));
}

TEST_F(HistoryWindowTest, EachButtonAnswersItsOwnValue) {
    rt::Robot help;
    help.waitForWindow("Errors History").press(button(1));
    EXPECT_EQ(view(help), rt::ButtonHelp);
    rt::Robot ok;
    ok.waitForWindow("Errors History").press(button(2));
    EXPECT_EQ(view(ok), rt::ButtonOk);
}

TEST_F(HistoryWindowTest, AllEightButtonsTakeTheControlsFromTheHighestBitDown) {
    Buttons seen;
    rt::Robot robot;
    robot.waitForWindow("Error")
        .run("read the buttons", [&](rt::Window& w) { seen = readButtons(w); })
        .press(button(6));
    // An empty caption keeps the window's own; button 6 is the sixth bit
    // from the top: No.
    EXPECT_EQ(
        show(robot, [&] { return errors.HistoryMsg("", rt::IconQuestion, 255, rt::ButtonRetry); }),
        rt::ButtonNo);
    EXPECT_EQ(seen.captions, (std::vector<std::string>{"&Help", "&Cancel", "&Ignore", "&Retry",
                                                       "&Abort", "&No", "&Yes", "O&k"}));
    EXPECT_EQ(seen.defaultButton, button(4));
    EXPECT_EQ(seen.focus, button(4));
}

TEST_F(HistoryWindowTest, ClosingWithoutAButtonAnswersTheDefault) {
    rt::Robot robot;
    std::string icon;
    robot.waitForWindow("Question")
        .run("read the icon",
             [&](rt::Window& w) { icon = w.property(ErrorWindowImage, rt::Prop::Icon).text(); })
        .closeWindow();
    EXPECT_EQ(show(robot,
                   [&] {
                       return errors.HistoryMsg("Question", rt::IconQuestion,
                                                rt::ButtonYes | rt::ButtonNo, rt::ButtonNo);
                   }),
              rt::ButtonNo);
    EXPECT_EQ(icon, rt::standardIconName(rt::IconQuestion));
}

TEST_F(HistoryWindowTest, AnEmptyHistoryShowsNoRows) {
    int rows = -1;
    std::vector<std::string> headers;
    rt::Robot robot;
    robot.waitForWindow("Errors History")
        .run("count the rows",
             [&](rt::Window& w) {
                 rows = w.listRowCount(kList);
                 for (int c = 1; c <= 2; ++c)
                     headers.push_back(w.property(kList, rt::Prop::HeaderText, c).text());
             })
        .press(button(2));
    view(robot);
    EXPECT_EQ(rows, 0);
    EXPECT_EQ(headers, (std::vector<std::string>{"Message", "Category"}));
}

TEST_F(HistoryWindowTest, TheRowsShowEachMessageWithItsCategoryOldestFirst) {
    errors.SetHistoryThreshold(-1);
    errors.SetCategory(ErrInvalidKey, "DATA");
    errors.SetFile("Passwords");
    throwSilently(ErrInvalidKey);
    throwSilently(ErrNoRecords);
    errors.SetSilent(true);
    errors.Msg("A message of its own", "Caption", 0, rt::ButtonOk, rt::ButtonOk, 0);
    errors.SetSilent(false);
    std::vector<std::vector<std::string>> rows;
    rt::Robot robot;
    robot.screenshotFolder(testsupport::outputDir().string())
        .waitForWindow("Errors History")
        .run("read the rows", [&](rt::Window& w) { rows = readRows(w); })
        .screenshot("error-history.png")
        .press(button(2));
    view(robot);
    const std::vector<std::vector<std::string>> expected{
        {"Passwords key file is invalid. Key must be rebuilt.", "DATA"},
        {"There are no records available to process.", "APP"},
        {"A message of its own", "APP"},
    };
    EXPECT_EQ(rows, expected);
}

TEST_F(HistoryWindowTest, ALongHistoryOpensAtOnceAndScrolls) {
    constexpr int kEntries = 20000;
    errors.SetHistoryThreshold(-1);
    for (int i = 1; i <= kEntries; ++i)
        errors.AddHistory({"APP", "Message " + std::to_string(i), 0});
    int rows = 0, firstAtOpen = 0, firstAfterEnd = 0;
    std::string last;
    rt::Robot robot;
    robot.waitForWindow("Errors History")
        .run("read the top",
             [&](rt::Window& w) {
                 rows = w.listRowCount(kList);
                 firstAtOpen = static_cast<int>(w.property(kList, rt::Prop::FirstShown).number());
             })
        .clickRow(kList, 1)
        .key(rt::CtrlEnd, kList)
        .check("the list scrolled to its end",
               [&](rt::Window& w) {
                   return w.property(kList, rt::Prop::Selected).number() == kEntries;
               })
        .run("read the bottom",
             [&](rt::Window& w) {
                 firstAfterEnd = static_cast<int>(w.property(kList, rt::Prop::FirstShown).number());
                 last = w.listCell(kList, kEntries, 1);
             })
        .press(button(2));
    view(robot);
    EXPECT_EQ(rows, kEntries);
    EXPECT_EQ(firstAtOpen, 1);
    EXPECT_GT(firstAfterEnd, kEntries - 50);
    EXPECT_EQ(last, "Message 20000");
}

TEST_F(HistoryWindowTest, TheWindowShowsACopyTakenWhenItOpened) {
    errors.SetHistoryThreshold(-1);
    throwSilently(ErrNoRecords, 2);
    int rowsAfterMore = 0;
    rt::Robot robot;
    robot.waitForWindow("Errors History")
        .run("raise more errors meanwhile",
             [&](rt::Window& w) {
                 throwSilently(ErrNoRecords, 3);
                 w.display();  // the list asks whether anything changed
                 rowsAfterMore = w.listRowCount(kList);
             })
        .press(button(2));
    view(robot);
    EXPECT_EQ(rowsAfterMore, 2);
    EXPECT_EQ(errors.CopyHistory().size(), 5u);
}

TEST_F(HistoryWindowTest, AFatalErrorWithHistoryOnShowsTheHistoryWindowAndEnds) {
    errors.SetHistoryThreshold(10);
    throwSilently(ErrNoRecords);
    Buttons seen;
    std::vector<std::vector<std::string>> rows;
    rt::Robot robot;
    robot.waitForWindow("File Access Error")
        .run("read the window",
             [&](rt::Window& w) {
                 seen = readButtons(w);
                 rows = readRows(w);
             })
        .press(button(1));
    errors.SetFile("Lockora");
    show(robot, [&] { return static_cast<int>(errors.Throw(ErrOpenFailed)); });
    EXPECT_EQ(seen.captions, std::vector<std::string>{"O&k"});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][0].rfind("File Lockora could not be opened.", 0), 0u) << rows[1][0];
    EXPECT_EQ(halts.size(), 1u);
}

// The list's questions, asked directly.
TEST(HistHandlerClassTest, AnswersCountsCellsAndReportsAnEntryItCannotRead) {
    std::vector<std::string> asserts;
    rt::AssertHandler old = rt::setAssertHandler(
        [&](const std::string& m, const std::string&, int) { asserts.push_back(m); });
    ErrorStatusClass status;
    ErrorClass errors;
    errors.Init(status);
    std::vector<ErrorHistoryEntry> history{{"APP", "first", 1}, {"DATA", "second", 2}};
    rt::Window window(ErrorWindowDeclaration());
    HistHandlerClass handler;
    handler.Init(window, errors, history);
    handler.LBColumns = 2;
    EXPECT_EQ(handler.VLBProc(rt::ListAskRows, 0).number(), 2);
    EXPECT_EQ(handler.VLBProc(rt::ListAskColumns, 0).number(), 2);
    EXPECT_EQ(handler.VLBProc(rt::ListAskChanged, 0).number(), 1);
    EXPECT_EQ(handler.VLBProc(2, 1).text(), "second");
    EXPECT_EQ(handler.VLBProc(2, 2).text(), "DATA");
    EXPECT_EQ(handler.VLBProc(2, 3).text(), "");
    EXPECT_TRUE(asserts.empty());
    EXPECT_EQ(handler.VLBProc(3, 1).text(), "");
    EXPECT_EQ(handler.VLBProc(0, 1).text(), "");
    EXPECT_EQ(asserts, (std::vector<std::string>{"Unable to read history entry 3",
                                                 "Unable to read history entry 0"}));
    rt::setAssertHandler(old);
}

}  // namespace
