// Leaving an edited row other than by its keys: a click on another row, a
// click on a button, a close request; each completes the row by the
// focus-loss setting first, and what was written is read back from the file.
#include <gtest/gtest.h>

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/MessageBox.h"
#include "tests/browse/EIPFixture.h"

using namespace eiptest;

class EIPLeaveTest : public EIPTest {
  protected:
    std::string titleOf(int id) {
        std::vector<std::string> rows =
            sql("SELECT Title FROM Items WHERE Id = " + std::to_string(id));
        return rows.empty() ? std::string("<none>") : rows[0];
    }
};

struct FocusCase {
    std::uint8_t focusLoss;
    bool saved;
};

class EIPFocusLossTest : public EIPLeaveTest, public testing::WithParamInterface<FocusCase> {};

TEST_P(EIPFocusLossTest, AClickOnAnotherRowCompletesByTheSettingAndThenHighlightsIt) {
    const FocusCase& c = GetParam();
    rt::Robot robot;
    open(robot);
    int highlighted = 0, edited = -1;
    change(robot, 2, "Clicked away");
    robot.clickRow(List, 4)
        .check("editing ended", done)
        .run("read the highlight",
             [&](rt::Window& w) {
                 highlighted = highlightedId(w);
                 edited = editedColumn(w);
             })
        .closeWindow();
    EIPSettings settings;
    settings.focusLoss = c.focusLoss;
    run(robot, settings);
    EXPECT_EQ(highlighted, 4);
    EXPECT_EQ(edited, 0);
    EXPECT_EQ(titleOf(2), c.saved ? "Clicked away" : "Item 2");
    EXPECT_TRUE(robot.messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Settings, EIPFocusLossTest,
                         testing::Values(FocusCase{EIPActionDefault, true},
                                         FocusCase{EIPActionSave, true},
                                         FocusCase{EIPActionAbandon, false}));

// The new row stands in for a record the file does not show in its place
// yet: the page is read again around the clicked record.
TEST_F(EIPLeaveTest, AClickAwayFromANewRowSavesItAndHighlightsTheClickedRecord) {
    rt::Robot robot;
    open(robot);
    int highlighted = 0;
    std::vector<int> shown;
    robot.run("highlight row 2", [](rt::Window& w) { choose(w, 2); })
        .check("highlighted", [](rt::Window& w) { return highlightedId(w) == 2; })
        .press(InsertButton)
        .check("the new row is edited before row 2",
               [](rt::Window& w) { return editing(w, TitleColumn, 6) && shownIds(w)[1] == 6; })
        .type(0, "Fresh")
        .clickRow(List, 4)
        .check("editing ended", done)
        .run("read the list",
             [&](rt::Window& w) {
                 highlighted = highlightedId(w);
                 shown = shownIds(w);
             })
        .closeWindow();
    EIPSettings settings;
    settings.insert = EIPInsertBefore;
    run(robot, settings);
    EXPECT_EQ(highlighted, 3) << "row 4 showed item 3 when it was clicked";
    EXPECT_EQ(shown, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(titleOf(6), "Fresh");
}

TEST_F(EIPLeaveTest, AClickOnAButtonCompletesTheRowAndThenPressesIt) {
    rt::Robot robot;
    open(robot);
    change(robot, 1, "Before insert");
    robot.press(InsertButton)
        .check("a new row is edited", [](rt::Window& w) { return editing(w, TitleColumn, 6); })
        .key(rt::EscKey)
        .check("editing ended", done)
        .closeWindow();
    run(robot);
    EXPECT_EQ(titleOf(1), "Before insert");
    EXPECT_EQ(titleOf(6), "<none>");
}

TEST_F(EIPLeaveTest, ACloseRequestCompletesTheRowFirstAndThenClosesTheWindow) {
    rt::Robot robot;
    open(robot);
    change(robot, 3, "Closing");
    robot.closeWindow();
    run(robot);
    EXPECT_EQ(titleOf(3), "Closing");
    EXPECT_TRUE(robot.messages().empty());
}

// Cancel to the save question keeps the row in edit and the window open.
TEST_F(EIPLeaveTest, ACloseRequestAnsweredCancelKeepsEditing) {
    rt::Robot robot;
    open(robot);
    bool stillEditing = false;
    std::string question;
    change(robot, 3, "Not yet");
    robot.closeWindow()
        .answerMessageBox(rt::ButtonCancel, &question)
        .run("see the row", [&](rt::Window& w) { stillEditing = editing(w, TitleColumn, 3); })
        .type(0, "Later")
        .closeWindow()
        .answerMessageBox(rt::ButtonYes);
    EIPSettings settings;
    settings.focusLoss = EIPActionAsk;
    run(robot, settings);
    EXPECT_EQ(question, "Do you want to save the changes to this record?");
    EXPECT_TRUE(stillEditing);
    EXPECT_EQ(titleOf(3), "Later");
}
