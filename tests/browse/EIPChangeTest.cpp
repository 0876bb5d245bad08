// Changing rows in place: the editor over the cell, Tab and Shift+Tab across
// the editable columns, Enter, Esc, Up and Down with their settings, the save
// question, and the list's alerts while a row is edited. Every change is read
// back from the file with the cipher's own shell.
#include <gtest/gtest.h>

#include "runtime/controls/ControlDeclaration.h"
#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/MessageBox.h"
#include "tests/browse/EIPFixture.h"

using namespace eiptest;

namespace {

const std::string kSaveQuestion = "Do you want to save the changes to this record?";

std::string item(int id, const std::string& title, int group) {
    return std::to_string(id) + "|" + title + "|" + std::to_string(group) + "|" +
           std::to_string(id) + "|Note " + std::to_string(id);
}

}  // namespace

class EIPChangeTest : public EIPTest {};

TEST_F(EIPChangeTest, EnterOnAnUnchangedRowWritesNothingAndAsksNothing) {
    rt::Robot robot;
    open(robot);
    std::vector<std::string> before = items();
    robot.doubleClickRow(List, 2)
        .check("the title of the second row is edited",
               [](rt::Window& w) { return editing(w, TitleColumn, 2); })
        .key(rt::EnterKey)
        .check("editing ended", done)
        .closeWindow();
    run(robot);
    EXPECT_TRUE(robot.messages().empty());
    EXPECT_EQ(manager->writes, 0);
    EXPECT_EQ(items(), before);
}

TEST_F(EIPChangeTest, EnterSavesTheTypedTitleAndTheListShowsIt) {
    rt::Robot robot;
    open(robot);
    std::string shown;
    change(robot, 3);
    robot.type(0, "Renamed")
        .key(rt::EnterKey)
        .check("editing ended", done)
        .run("read the cell", [&](rt::Window& w) { shown = w.listCell(List, 3, TitleColumn); })
        .closeWindow();
    run(robot);
    EXPECT_TRUE(robot.messages().empty());
    EXPECT_EQ(shown, "Renamed");
    EXPECT_EQ(sql("SELECT Title, Notes FROM Items WHERE Id = 3"),
              std::vector<std::string>{"Renamed|Note 3"});
}

TEST_F(EIPChangeTest, TabSkipsZeroWidthAndUneditedColumnsBothWays) {
    rt::Robot robot;
    open(robot);
    int grey = -2, greyAfter = -2, seqColour = -2;
    std::string tip;
    change(robot, 1);
    robot
        .run("read the editor's name and the column colours",
             [&](rt::Window& w) {
                 tip = w.property(editor(w), rt::Prop::Tip).text();
                 grey =
                     static_cast<int>(w.property(List, rt::Prop::ColumnColor, IdColumn).number());
                 seqColour =
                     static_cast<int>(w.property(List, rt::Prop::ColumnColor, SeqColumn).number());
             })
        .key(rt::TabKey)
        .check("Tab passes the zero-width column",
               [](rt::Window& w) { return editing(w, GroupColumn, 1); })
        .key(rt::TabKey + rt::KeyShift)
        .check("Shift+Tab passes it back", [](rt::Window& w) { return editing(w, TitleColumn, 1); })
        .key(rt::TabKey + rt::KeyShift)
        .check("Shift+Tab on the first column stays",
               [](rt::Window& w) { return editing(w, TitleColumn, 1); })
        .key(rt::EscKey)
        .check("editing ended", done)
        .run("read the colour",
             [&](rt::Window& w) {
                 greyAfter =
                     static_cast<int>(w.property(List, rt::Prop::ColumnColor, IdColumn).number());
             })
        .closeWindow();
    run(robot);
    EXPECT_EQ(tip, "Title");
    EXPECT_EQ(grey, rt::systemGrayTextColor()) << "the column that is not edited is greyed";
    EXPECT_EQ(seqColour, rt::ColorNone);
    EXPECT_EQ(greyAfter, rt::ColorNone);
    EXPECT_EQ(manager->writes, 0);
}

TEST_F(EIPChangeTest, ADoubleClickEditsTheClickedColumnOrTheNearestEditableOne) {
    rt::Robot robot;
    open(robot);
    robot.doubleClickRow(List, 2, GroupColumn)
        .check("the clicked column is edited",
               [](rt::Window& w) { return editing(w, GroupColumn, 2); })
        .clickCell(List, 2, TitleColumn)
        .check("a click on the edited row moves the editor",
               [](rt::Window& w) { return editing(w, TitleColumn, 2); })
        .key(rt::EscKey)
        .check("editing ended", done)
        .doubleClickRow(List, 3, IdColumn)
        .check("a column that is not edited gives the one before it",
               [](rt::Window& w) { return editing(w, GroupColumn, 3); })
        .key(rt::EscKey)
        .check("editing ended", done)
        .closeWindow();
    run(robot);
    EXPECT_EQ(manager->writes, 0);
}

// Tab past the last editable column completes with the Tab setting; 0 asks.
struct TabCase {
    int answer;
    const char* title;
    int group;
    bool stillEditing;
};

class EIPTabQuestionTest : public EIPChangeTest, public testing::WithParamInterface<TabCase> {};

TEST_P(EIPTabQuestionTest, TabOnTheLastColumnWithSettingZeroAsksWhetherToSave) {
    const TabCase& c = GetParam();
    rt::Robot robot;
    open(robot);
    std::string question;
    bool editingAfter = false;
    change(robot, 2);
    robot.type(0, "Tabbed")
        .key(rt::TabKey)
        .check("the group is edited", [](rt::Window& w) { return editing(w, GroupColumn, 2); })
        .type(0, "5")
        .key(rt::TabKey)
        .answerMessageBox(c.answer, &question)
        .run("see whether the row is still edited",
             [&](rt::Window& w) { editingAfter = editing(w, TitleColumn, 2); })
        .key(rt::EscKey)
        .check("editing ended", done)
        .closeWindow();
    run(robot);
    EXPECT_EQ(question, kSaveQuestion);
    EXPECT_EQ(editingAfter, c.stillEditing);
    EXPECT_EQ(items()[1], item(2, c.title, c.group));
}

INSTANTIATE_TEST_SUITE_P(Answers, EIPTabQuestionTest,
                         testing::Values(TabCase{rt::ButtonYes, "Tabbed", 5, false},
                                         TabCase{rt::ButtonNo, "Item 2", 2, false},
                                         TabCase{rt::ButtonCancel, "Item 2", 2, true}));

struct EnterCase {
    std::uint8_t enter;
    const char* title;
    bool asks;
};

class EIPEnterSettingTest : public EIPChangeTest, public testing::WithParamInterface<EnterCase> {};

// Esc abandons whatever the settings say.
TEST_P(EIPEnterSettingTest, EnterFollowsItsSettingAndEscAbandons) {
    const EnterCase& c = GetParam();
    rt::Robot robot;
    open(robot);
    change(robot, 4);
    robot.type(0, "Entered").key(rt::EnterKey);
    if (c.asks) robot.answerMessageBox(rt::ButtonYes);
    robot.check("editing ended", done);
    change(robot, 1);
    robot.type(0, "Escaped").key(rt::EscKey).check("editing ended", done).closeWindow();
    EIPSettings settings;
    settings.enter = c.enter;
    run(robot, settings);
    EXPECT_EQ(robot.messages().size(), c.asks ? 1u : 0u);
    EXPECT_EQ(items()[3], item(4, c.title, 4));
    EXPECT_EQ(items()[0], item(1, "Item 1", 1));
}

INSTANTIATE_TEST_SUITE_P(Settings, EIPEnterSettingTest,
                         testing::Values(EnterCase{EIPActionDefault, "Entered", false},
                                         EnterCase{EIPActionSave, "Entered", false},
                                         EnterCase{EIPActionAbandon, "Item 4", false},
                                         EnterCase{EIPActionAsk, "Entered", true}));

// Down with Continue and SameColumn saves the row and edits the same column
// of the next row, whose other fields stay as they were; Up goes back.
TEST_F(EIPChangeTest, ArrowsWithContinueAndSameColumnWalkTheRowsSavingEach) {
    rt::Robot robot;
    open(robot);
    change(robot, 2);
    robot.key(rt::TabKey)
        .check("the group is edited", [](rt::Window& w) { return editing(w, GroupColumn, 2); })
        .type(0, "6")
        .key(rt::DownKey)
        .check("the next row's group is edited",
               [](rt::Window& w) { return editing(w, GroupColumn, 3); })
        .type(0, "1")
        .key(rt::UpKey)
        .check("the previous row's group is edited",
               [](rt::Window& w) { return editing(w, GroupColumn, 2); })
        .key(rt::EscKey)
        .check("editing ended", done)
        .check("the row stays highlighted", [](rt::Window& w) { return highlightedId(w) == 2; })
        .closeWindow();
    EIPSettings settings;
    settings.arrow = EIPActionSave | EIPActionContinue | EIPActionSameColumn;
    run(robot, settings);
    EXPECT_TRUE(robot.messages().empty());
    std::vector<std::string> all = items();
    EXPECT_EQ(all[1], item(2, "Item 2", 6));
    EXPECT_EQ(all[2], item(3, "Item 3", 1));
    EXPECT_EQ(all[3], item(4, "Item 4", 4));
}

TEST_F(EIPChangeTest, ArrowsWithoutContinueSaveAndStop) {
    rt::Robot robot;
    open(robot);
    change(robot, 2);
    robot.type(0, "Down")
        .key(rt::DownKey)
        .check("editing ended", done)
        .check("the row stays highlighted", [](rt::Window& w) { return highlightedId(w) == 2; })
        .closeWindow();
    run(robot);
    EXPECT_EQ(items()[1], item(2, "Down", 2));
}

TEST_F(EIPChangeTest, ContinueOnEnterEditsTheNextRowFromItsFirstColumn) {
    rt::Robot robot;
    open(robot);
    change(robot, 1);
    robot.key(rt::TabKey)
        .type(0, "3")
        .key(rt::EnterKey)
        .check("the next row's title is edited",
               [](rt::Window& w) { return editing(w, TitleColumn, 2); })
        .key(rt::EscKey)
        .check("editing ended", done)
        .closeWindow();
    EIPSettings settings;
    settings.enter = EIPActionSave | EIPActionContinue;
    run(robot, settings);
    EXPECT_EQ(items()[0], item(1, "Item 1", 3));
    EXPECT_EQ(items()[1], item(2, "Item 2", 2));
}

TEST_F(EIPChangeTest, TheListsClickAlertsAreOffWhileARowIsEditedAndBackAfter) {
    rt::Robot robot;
    open(robot);
    bool doubleBefore = false, doubleDuring = true, leftDuring = true, doubleAfter = false,
         leftAfter = false;
    robot
        .run("alert the left click too",
             [&](rt::Window& w) {
                 w.alert(rt::MouseLeft, List);
                 doubleBefore = w.isAlerted(rt::MouseLeft2, List);
             })
        .press(ChangeButton)
        .check("editing", [](rt::Window& w) { return editor(w) != 0; })
        .run("read the alerts",
             [&](rt::Window& w) {
                 doubleDuring = w.isAlerted(rt::MouseLeft2, List);
                 leftDuring = w.isAlerted(rt::MouseLeft, List);
             })
        .key(rt::EscKey)
        .check("editing ended", done)
        .run("read the alerts",
             [&](rt::Window& w) {
                 doubleAfter = w.isAlerted(rt::MouseLeft2, List);
                 leftAfter = w.isAlerted(rt::MouseLeft, List);
             })
        .closeWindow();
    run(robot);
    EXPECT_TRUE(doubleBefore);
    EXPECT_FALSE(doubleDuring);
    EXPECT_FALSE(leftDuring);
    EXPECT_TRUE(doubleAfter);
    EXPECT_TRUE(leftAfter);
}
