// Inserting rows in place (before, after or at the end of the data, the
// auto-number given back by Esc, a required column, going on to another new
// row) and deleting with each confirmation setting, each checked against the
// file as the cipher's own shell reads it.
#include <gtest/gtest.h>

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/MessageBox.h"
#include "tests/browse/EIPFixture.h"

using namespace eiptest;

class EIPInsertTest : public EIPTest {
  protected:
    int count() { return std::stoi(sql("SELECT COUNT(*) FROM Items").at(0)); }
};

TEST_F(EIPInsertTest, EscOnANewRowRemovesItAndGivesTheAutoNumberBack) {
    rt::Robot robot;
    open(robot, 5);
    int rowsWhileNew = 0, rowsAfterEsc = 0, countAfterEsc = -1;
    std::vector<int> shownAfterEsc;
    robot.press(InsertButton)
        .check("a new row numbered 6 is edited after the highlighted one",
               [](rt::Window& w) { return editing(w, TitleColumn, 6) && shownIds(w)[1] == 6; })
        .run("count the rows", [&](rt::Window& w) { rowsWhileNew = w.listRowCount(List); })
        .type(0, "Temporary")
        .key(rt::EscKey)
        .check("editing ended", done)
        .run("read the list and the file",
             [&](rt::Window& w) {
                 rowsAfterEsc = w.listRowCount(List);
                 shownAfterEsc = shownIds(w);
                 countAfterEsc = count();
             })
        .press(InsertButton)
        .check("the next new row takes number 6 again",
               [](rt::Window& w) { return editing(w, TitleColumn, 6); })
        .type(0, "Kept")
        .key(rt::EnterKey)
        .check("editing ended", done)
        .closeWindow();
    run(robot);
    EXPECT_EQ(rowsWhileNew, 6);
    EXPECT_EQ(rowsAfterEsc, 5);
    EXPECT_EQ(shownAfterEsc, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(countAfterEsc, 5) << "the number priming reserved is given back";
    EXPECT_EQ(sql("SELECT Id, Title FROM Items WHERE Id > 5"), std::vector<std::string>{"6|Kept"});
    EXPECT_TRUE(robot.messages().empty());
}

struct PlaceCase {
    std::uint8_t insert;
    int choose;                  // row highlighted before the insert
    std::vector<int> whileEdit;  // the page's ids while the new row (21) is edited
};

class EIPInsertPlaceTest : public EIPInsertTest, public testing::WithParamInterface<PlaceCase> {};

TEST_P(EIPInsertPlaceTest, TheNewRowGoesWhereInsertSaysAndIsWrittenOnEnter) {
    const PlaceCase& c = GetParam();
    rt::Robot robot;
    open(robot, 20);
    std::vector<int> shown, after;
    int page = 0;
    robot.run("highlight a row", [&](rt::Window& w) { choose(w, c.choose); })
        .check("highlighted", [&](rt::Window& w) { return highlightedId(w) == c.choose; })
        .press(InsertButton)
        .check("the new row is edited", [](rt::Window& w) { return editing(w, TitleColumn, 21); })
        .run("read the page",
             [&](rt::Window& w) {
                 shown = shownIds(w);
                 page = pageSize(w);
             })
        .type(0, "Placed")
        .key(rt::EnterKey)
        .check("editing ended", done)
        .run("read the page", [&](rt::Window& w) { after = shownIds(w); })
        .closeWindow();
    EIPSettings settings;
    settings.insert = c.insert;
    settings.listHeight = 80;
    run(robot, settings);
    ASSERT_GE(page, 5);
    std::vector<int> expected = c.whileEdit;
    // The expected pages are written for five rows; a page may hold more.
    if (c.insert == EIPInsertAtEnd) {
        expected.clear();
        for (int id = 21 - page + 1; id <= 20; ++id) expected.push_back(id);
        expected.push_back(21);
    } else {
        for (int id = 5; static_cast<int>(expected.size()) < page; ++id) expected.push_back(id);
    }
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(sql("SELECT Id, Title FROM Items WHERE Id > 20"),
              std::vector<std::string>{"21|Placed"});
    EXPECT_EQ(count(), 21);
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after.back(), 21) << "the page is rebuilt around the new record";
}

INSTANTIATE_TEST_SUITE_P(Places, EIPInsertPlaceTest,
                         testing::Values(PlaceCase{EIPInsertAfter, 3, {1, 2, 3, 21, 4}},
                                         PlaceCase{EIPInsertBefore, 3, {1, 2, 21, 3, 4}},
                                         PlaceCase{EIPInsertAtEnd, 3, {}}));

TEST_F(EIPInsertTest, ARequiredColumnLeftEmptyKeepsTheEditorOnIt) {
    rt::Robot robot;
    open(robot, 3);
    int writesWhileEmpty = -1;
    robot.press(InsertButton)
        .check("the new row is edited", [](rt::Window& w) { return editing(w, TitleColumn, 4); })
        .key(rt::TabKey)
        .type(0, "2")
        .key(rt::EnterKey)
        .check("the empty title is edited again",
               [](rt::Window& w) { return editing(w, TitleColumn, 4); })
        .run("count the writes", [&](rt::Window&) { writesWhileEmpty = manager->writes; })
        .type(0, "Named")
        .key(rt::EnterKey)
        .check("editing ended", done)
        .closeWindow();
    EIPSettings settings;
    settings.titleRequired = true;
    run(robot, settings);
    EXPECT_EQ(writesWhileEmpty, 1) << "only priming's reservation";
    EXPECT_EQ(sql("SELECT Id, Title, \"Group\" FROM Items WHERE Id = 4"),
              std::vector<std::string>{"4|Named|2"});
}

TEST_F(EIPInsertTest, EnterWithContinueOnANewRowStartsAnotherNewRow) {
    rt::Robot robot;
    open(robot, 2);
    robot.press(InsertButton)
        .check("row 3 is edited", [](rt::Window& w) { return editing(w, TitleColumn, 3); })
        .type(0, "First new")
        .key(rt::EnterKey)
        .check("row 4 is edited", [](rt::Window& w) { return editing(w, TitleColumn, 4); })
        .type(0, "Second new")
        .key(rt::EnterKey)
        .check("row 5 is edited", [](rt::Window& w) { return editing(w, TitleColumn, 5); })
        .key(rt::EscKey)
        .check("editing ended", done)
        .closeWindow();
    EIPSettings settings;
    settings.enter = EIPActionSave | EIPActionContinue;
    run(robot, settings);
    EXPECT_EQ(sql("SELECT Id, Title FROM Items ORDER BY Id"),
              (std::vector<std::string>{"1|Item 1", "2|Item 2", "3|First new", "4|Second new"}));
}

TEST_F(EIPInsertTest, InsertingIntoAnEmptyListMakesTheFirstRow) {
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .key(rt::InsertKey, List)
        .check("row 1 is edited", [](rt::Window& w) { return editing(w, TitleColumn, 1); })
        .type(0, "Only")
        .key(rt::EnterKey)
        .check("editing ended", done)
        .check("the list shows it",
               [](rt::Window& w) { return shownIds(w) == std::vector<int>{1}; })
        .closeWindow();
    run(robot);
    EXPECT_EQ(sql("SELECT Id, Title FROM Items"), std::vector<std::string>{"1|Only"});
}

struct DeleteCase {
    std::uint8_t action;
    int answer;  // 0: no question is expected
    bool deleted;
};

class EIPDeleteTest : public EIPInsertTest, public testing::WithParamInterface<DeleteCase> {};

TEST_P(EIPDeleteTest, DeleteFollowsDeleteKeyAction) {
    const DeleteCase& c = GetParam();
    rt::Robot robot;
    open(robot, 5);
    std::string question;
    std::vector<int> shown;
    robot.run("highlight row 3", [](rt::Window& w) { choose(w, 3); })
        .check("highlighted", [](rt::Window& w) { return highlightedId(w) == 3; })
        .key(rt::DeleteKey, List);
    if (c.answer) robot.answerMessageBox(c.answer, &question);
    robot
        .check("the list shows the file",
               [&](rt::Window& w) { return (shownIds(w).size() == 4) == c.deleted; })
        .run("read the list", [&](rt::Window& w) { shown = shownIds(w); })
        .check("nothing is edited", done)
        .closeWindow();
    EIPSettings settings;
    settings.deleteAction = c.action;
    run(robot, settings);
    EXPECT_EQ(robot.messages().size(), c.answer ? 1u : 0u);
    if (c.answer) {
        EXPECT_NE(question.find("delete"), std::string::npos) << question;
    }
    std::vector<int> expected =
        c.deleted ? std::vector<int>{1, 2, 4, 5} : std::vector<int>{1, 2, 3, 4, 5};
    std::vector<std::string> ids = sql("SELECT Id FROM Items ORDER BY Id");
    std::vector<int> inFile;
    for (const std::string& id : ids) inFile.push_back(std::stoi(id));
    EXPECT_EQ(inFile, expected);
    EXPECT_EQ(shown, expected);
}

INSTANTIATE_TEST_SUITE_P(Actions, EIPDeleteTest,
                         testing::Values(DeleteCase{EIPDeleteNoQuestion, 0, true},
                                         DeleteCase{EIPDeleteConfirm, rt::ButtonYes, true},
                                         DeleteCase{EIPDeleteConfirm, rt::ButtonNo, false},
                                         DeleteCase{EIPDeleteNever, 0, false}));
