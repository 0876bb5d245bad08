// The browse's requests: Insert, Change and Delete by button, key, double
// click and the right-click menu, the reload after the update procedure,
// the form-navigation loop, records changed by another process, and a read
// that fails.
#include <gtest/gtest.h>

#include "runtime/controls/Events.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/controls/Prop.h"
#include "tests/browse/BrowseFixture.h"

using namespace browsetest;

namespace {

std::string idsFrom(int from, int n) {
    return "SELECT Id FROM Items WHERE Id >= " + std::to_string(from) + " ORDER BY Id LIMIT " +
           std::to_string(n);
}

bool disabled(rt::Window& w, int control) {
    return w.property(control, rt::Prop::Disable).number() != 0;
}

// Highlights row of the list the way a click does.
void choose(rt::Window& w, int row) {
    w.setProperty(List, rt::Prop::Selected, row);
    w.post(rt::EventNewSelection, List);
}

}  // namespace

class BrowseRequestTest : public BrowseTest {
  protected:
    // An update procedure that does what a form completed with OK would:
    // inserts an entry titled "New <n>", sets the title of a changed entry
    // to "Changed <id>" (titles are unique), deletes without asking.
    UpdateProcedure completing() {
        return [this](std::uint8_t request) -> std::uint8_t {
            datatest::ItemRecord& r = table->TST;
            seen.push_back(r.Id);
            ErrorLevel level = LevelBenign;
            if (request == RequestInsert) {
                r.Title = "New " + std::to_string(++inserted);
                level = manager->Insert();
            } else if (request == RequestChange) {
                r.Title = "Changed " + std::to_string(r.Id);
                r.Group = changeGroupTo < 0 ? r.Group : changeGroupTo;
                level = relation.Update();
            } else if (request == RequestDelete) {
                level = relation.Delete(false);
            }
            return level == LevelBenign ? ResponseCompleted : ResponseCancelled;
        };
    }

    std::vector<int> seen;  // the entry in the buffer at each request
    int inserted = 0;
    int changeGroupTo = -1;
};

TEST_F(BrowseRequestTest, AnEmptyListDisablesChangeAndDeleteAndStillInsertsByButtonAndKey) {
    bool changeOff = false, deleteOff = false, changeOn = false;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the list is empty", [](rt::Window& w) { return rowsShown(w) == 0; })
        .run("read the buttons",
             [&](rt::Window& w) {
                 changeOff = disabled(w, ChangeButton);
                 deleteOff = disabled(w, DeleteButton);
             })
        .typeKeys(List, "7q")
        .key(rt::DeleteKey, List)
        .check("still empty", [](rt::Window& w) { return rowsShown(w) == 0; })
        .press(InsertButton)
        .check("one entry", [](rt::Window& w) { return rowsShown(w) == 1; })
        .run("read the buttons", [&](rt::Window& w) { changeOn = !disabled(w, ChangeButton); })
        .key(rt::InsertKey, List)
        .check("two entries", [](rt::Window& w) { return rowsShown(w) == 2; })
        .closeWindow();
    runBrowse(robot, {}, completing());
    EXPECT_TRUE(changeOff);
    EXPECT_TRUE(deleteOff);
    EXPECT_TRUE(changeOn);
    EXPECT_EQ(live, nullptr);
    EXPECT_EQ(sql("SELECT Title FROM Items ORDER BY Id"),
              (std::vector<std::string>{"New 1", "New 2"}));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(BrowseRequestTest, ADoubleClickChangesTheClickedEntryAndTheReloadShowsIt) {
    addItems(30);
    std::string shownTitle;
    int row = 0;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .doubleClickRow(List, 3)
        .check("changed", [](rt::Window& w) { return w.listCell(List, 3, 1) == "Changed 3"; })
        .run("read the highlight",
             [&](rt::Window& w) {
                 row = static_cast<int>(w.property(List, rt::Prop::Selected).number());
                 shownTitle = w.listCell(List, row, 1);
             })
        .closeWindow();
    runBrowse(robot, {}, completing());
    EXPECT_EQ(seen, std::vector<int>{3});
    EXPECT_EQ(row, 3);
    EXPECT_EQ(shownTitle, "Changed 3");
    EXPECT_EQ(sql("SELECT Title FROM Items WHERE Id = 3"), std::vector<std::string>{"Changed 3"});
}

TEST_F(BrowseRequestTest, KeysRunTheRequestsOnTheHighlightedEntry) {
    addItems(30);
    std::vector<int> shown;
    int page = 0;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("highlight the second row", [](rt::Window& w) { choose(w, 2); })
        .key(rt::CtrlEnter, List)
        .check("changed", [](rt::Window& w) { return w.listCell(List, 2, 1) == "Changed 2"; })
        .key(rt::DeleteKey, List)
        .check("deleted", [](rt::Window& w) { return highlighted(w) == 3; })
        .key(rt::InsertKey, List)
        .check("the new entry is highlighted", [](rt::Window& w) { return highlighted(w) == 31; })
        .run("read the page",
             [&](rt::Window& w) {
                 shown = shownIds(w);
                 page = pageSize(w);
             })
        .closeWindow();
    runBrowse(robot, {}, completing());
    EXPECT_EQ(seen, (std::vector<int>{2, 2, 31})) << "an insert starts on a primed record";
    EXPECT_TRUE(sql("SELECT Id FROM Items WHERE Id = 2").empty());
    EXPECT_EQ(sql("SELECT Title FROM Items WHERE Id = 31"), std::vector<std::string>{"New 1"});
    // The page is rebuilt around the new entry, which keeps the highlight's row.
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back(), 31);
    EXPECT_EQ(static_cast<int>(shown.size()), page);
}

TEST_F(BrowseRequestTest, DeletingTheLastEntryOfAFullLastPageKeepsItFull) {
    addItems(30);
    std::vector<int> shown;
    int page = 0;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .key(rt::CtrlEnd, List)
        .check("the last entry", [](rt::Window& w) { return highlighted(w) == 30; })
        .press(DeleteButton)
        .check("the entry before took its place",
               [](rt::Window& w) { return highlighted(w) == 29; })
        .run("read the page",
             [&](rt::Window& w) {
                 shown = shownIds(w);
                 page = pageSize(w);
             })
        .check("on the last row",
               [&](rt::Window& w) { return w.property(List, rt::Prop::Selected).number() == page; })
        .closeWindow();
    runBrowse(robot, {}, completing());
    EXPECT_EQ(static_cast<int>(shown.size()), page);
    EXPECT_EQ(shown, sqlIds("SELECT Id FROM (SELECT Id FROM Items ORDER BY Id DESC LIMIT " +
                            std::to_string(page) + ") ORDER BY Id"));
}

TEST_F(BrowseRequestTest, DeletingAnEntryInsideThePageHighlightsTheOneThatTookItsPlace) {
    addItems(30);
    std::vector<int> shown;
    int page = 0, row = 0;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("highlight row four", [](rt::Window& w) { choose(w, 4); })
        .check("row four", [](rt::Window& w) { return highlighted(w) == 4; })
        .press(DeleteButton)
        .check("the next entry took its place", [](rt::Window& w) { return highlighted(w) == 5; })
        .run("read the page",
             [&](rt::Window& w) {
                 shown = shownIds(w);
                 page = pageSize(w);
                 row = static_cast<int>(w.property(List, rt::Prop::Selected).number());
             })
        .closeWindow();
    runBrowse(robot, {}, completing());
    EXPECT_EQ(row, 4);
    EXPECT_EQ(shown, sqlIds(idsFrom(1, page)));
}

TEST_F(BrowseRequestTest, AChangeThatTakesTheEntryOutOfTheFilterRemovesItFromThePage) {
    addItems(30, {}, [](int) { return 1; });
    std::vector<int> shown;
    int page = 0;
    changeGroupTo = 9;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("highlight row two", [](rt::Window& w) { choose(w, 2); })
        .press(ChangeButton)
        .check("gone", [](rt::Window& w) { return shownIds(w)[1] == 3; })
        .run("read the page",
             [&](rt::Window& w) {
                 shown = shownIds(w);
                 page = pageSize(w);
             })
        .closeWindow();
    BrowseSettings settings;
    settings.filter = "TST:Group <> 9";
    runBrowse(robot, settings, completing());
    EXPECT_EQ(shown, sqlIds("SELECT Id FROM Items WHERE \"Group\" <> 9 ORDER BY Id LIMIT " +
                            std::to_string(page)));
    EXPECT_EQ(sql("SELECT \"Group\" FROM Items WHERE Id = 2"), std::vector<std::string>{"9"});
}

TEST_F(BrowseRequestTest, VcrInsertOpensTheFormAgainForAnotherNewEntry) {
    addItems(3);
    UpdateProcedure base = completing();
    int calls = 0;
    UpdateProcedure update = [&](std::uint8_t request) {
        // The first form asks for another new entry when it closes.
        if (++calls == 1) VCRRequest = VcrInsert;
        return base(request);
    };
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("three", [](rt::Window& w) { return rowsShown(w) == 3; })
        .press(InsertButton)
        .check("five", [](rt::Window& w) { return rowsShown(w) == 5; })
        .closeWindow();
    runBrowse(robot, {}, update);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(sql("SELECT Title FROM Items WHERE Id > 3 ORDER BY Id"),
              (std::vector<std::string>{"New 1", "New 2"}));
    EXPECT_EQ(seen, (std::vector<int>{4, 5})) << "each insert starts on a freshly primed record";
}

TEST_F(BrowseRequestTest, VcrForwardAfterAChangeOpensTheNextEntry) {
    addItems(10);
    UpdateProcedure base = completing();
    int calls = 0;
    UpdateProcedure update = [&](std::uint8_t request) {
        if (++calls == 1) VCRRequest = VcrForward;
        return base(request);
    };
    int highlight = 0;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("ten", [](rt::Window& w) { return rowsShown(w) == 10 || rowsShown(w) > 3; })
        .run("highlight row two", [](rt::Window& w) { choose(w, 2); })
        .check("row two", [](rt::Window& w) { return highlighted(w) == 2; })
        .press(ChangeButton)
        .check("both changed", [](rt::Window& w) { return w.listCell(List, 3, 1) == "Changed 3"; })
        .run("read the highlight", [&](rt::Window& w) { highlight = highlighted(w); })
        .closeWindow();
    runBrowse(robot, {}, update);
    EXPECT_EQ(seen, (std::vector<int>{2, 3}));
    EXPECT_EQ(highlight, 3);
    EXPECT_EQ(sql("SELECT Id FROM Items WHERE Title LIKE 'Changed %' ORDER BY Id"),
              (std::vector<std::string>{"2", "3"}));
}

TEST_F(BrowseRequestTest, TheRightClickMenuOffersTheButtonsAndActsLikeThem) {
    addItems(30);
    std::vector<std::string> items, emptyItems;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .rightClick(List, 4)
        .readPopupItems(&items)
        .choosePopupItem("Change")
        .check("row four changed",
               [](rt::Window& w) { return w.listCell(List, 4, 1) == "Changed 4"; })
        .rightClick(List, 2)
        .choosePopupItem("Delete")
        .check("row two deleted", [](rt::Window& w) { return shownIds(w)[1] == 3; })
        .closeWindow();
    runBrowse(robot, {}, completing());
    EXPECT_EQ(items, (std::vector<std::string>{"&Insert", "&Change", "&Delete"}));
    EXPECT_EQ(seen, (std::vector<int>{4, 2}));
    EXPECT_TRUE(sql("SELECT Id FROM Items WHERE Id = 2").empty());
}

TEST_F(BrowseRequestTest, ACancelledFormChangesNothingAndKeepsThePage) {
    addItems(30);
    std::vector<int> before, after;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("highlight row five",
             [&](rt::Window& w) {
                 choose(w, 5);
                 before = shownIds(w);
             })
        .press(ChangeButton)
        .press(DeleteButton)
        .run("read the page", [&](rt::Window& w) { after = shownIds(w); })
        .check("row five still highlighted", [](rt::Window& w) { return highlighted(w) == 5; })
        .closeWindow();
    runBrowse(robot, {}, [](std::uint8_t) { return std::uint8_t{ResponseCancelled}; });
    EXPECT_EQ(live, nullptr);
    EXPECT_EQ(after, before);
    EXPECT_EQ(sql("SELECT count(*) FROM Items"), std::vector<std::string>{"30"});
}

TEST_F(BrowseRequestTest, PickingAnEntryLeavesItInTheBufferAndCancellingRestoresTheOld) {
    addItems(30);
    // A picking list starts at the entry in the buffer: none here.
    table->TST.Id = 0;
    table->TST.Title = "before";
    bool selectOn = false;
    GlobalRequest = RequestSelect;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("read the select button",
             [&](rt::Window& w) {
                 selectOn = w.property(SelectButton, rt::Prop::Disable).number() == 0 &&
                            w.property(SelectButton, rt::Prop::Default).number() != 0;
             })
        .doubleClickRow(List, 4);
    runBrowse(robot, {}, completing());
    EXPECT_TRUE(selectOn);
    EXPECT_TRUE(seen.empty()) << "a double click picks instead of changing";
    EXPECT_EQ(table->TST.Id, 4);
    EXPECT_EQ(table->TST.Title.clipped(), "Item 4");

    table->TST.Id = 0;
    table->TST.Title = "before";
    GlobalRequest = RequestSelect;
    rt::Robot second;
    second.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("highlight row six", [](rt::Window& w) { choose(w, 6); })
        .closeWindow();
    runBrowse(second, {}, completing());
    EXPECT_EQ(table->TST.Id, 0);
    EXPECT_EQ(table->TST.Title.clipped(), "before");
}

TEST_F(BrowseRequestTest, WithoutSelectingTheSelectButtonIsHidden) {
    addItems(3);
    bool hidden = false;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("filled", [](rt::Window& w) { return rowsShown(w) == 3; })
        .run("read the select button",
             [&](rt::Window& w) {
                 hidden = w.property(SelectButton, rt::Prop::Hide).number() != 0 &&
                          w.property(SelectButton, rt::Prop::Disable).number() != 0;
             })
        .closeWindow();
    runBrowse(robot, {}, completing());
    EXPECT_TRUE(hidden);
}
