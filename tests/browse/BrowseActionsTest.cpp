// The browse's other buttons and modes: Print on the highlighted entry, the
// "Browse Actions" toolbox that floats the action menu, and a list that holds
// the whole record set and scrolls itself.
#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "tests/browse/BrowseFixture.h"

using namespace browsetest;

namespace {

bool disabled(rt::Window& w, int control) {
    return w.property(control, rt::Prop::Disable).number() != 0;
}

void choose(rt::Window& w, int row) {
    w.setProperty(List, rt::Prop::Selected, row);
    w.post(rt::EventNewSelection, List);
}

}  // namespace

class BrowseActionsTest : public BrowseTest {
  protected:
    // Notes the entry in the buffer at each request; deletes complete.
    UpdateProcedure noting() {
        return [this](std::uint8_t request) -> std::uint8_t {
            seen.push_back(table->TST.Id);
            titles.push_back(table->TST.Title.clipped());
            if (request == RequestDelete)
                return relation.Delete(false) == LevelBenign ? ResponseCompleted
                                                             : ResponseCancelled;
            return ResponseCompleted;
        };
    }
    static BrowseSettings with(bool print, bool toolbox) {
        BrowseSettings s;
        s.print = print;
        s.toolbox = toolbox;
        return s;
    }
    // The whole record set in the queue, in a list that scrolls itself or
    // one that reports its scrolls.
    static BrowseSettings wholeQueue(bool listScrolls) {
        BrowseSettings s;
        s.fileLoaded = true;
        s.listScrolls = listScrolls;
        return s;
    }

    std::vector<int> seen;
    std::vector<std::string> titles;
};

TEST_F(BrowseActionsTest, PrintRunsThePrintProcedureOnTheHighlightedEntry) {
    addItems(30, [](int id) { return "Item " + std::to_string(id * 3); });
    int shownId = 0;
    std::vector<std::string> menu;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("highlight row four", [](rt::Window& w) { choose(w, 4); })
        .check("row four",
               [](rt::Window& w) { return w.property(List, rt::Prop::Selected).number() == 4; })
        .run("read the highlight", [&](rt::Window& w) { shownId = highlighted(w); })
        .press(PrintButton)
        .rightClick(List, 6)
        .readPopupItems(&menu)
        .choosePopupItem("Print")
        .closeWindow();
    runBrowse(robot, with(true, false), noting());
    std::vector<int> firstSix = sqlIds("SELECT Id FROM Items ORDER BY Id LIMIT 6");
    ASSERT_EQ(firstSix.size(), 6u);
    EXPECT_EQ(shownId, firstSix[3]);
    EXPECT_EQ(seen, (std::vector<int>{firstSix[3], firstSix[5]}));
    // The whole record went to the procedure, as the file holds it.
    EXPECT_EQ(titles[0],
              sql("SELECT Title FROM Items WHERE Id = " + std::to_string(firstSix[3]))[0]);
    EXPECT_EQ(menu, (std::vector<std::string>{"&Insert", "&Change", "&Delete", "&Print"}));
}

TEST_F(BrowseActionsTest, AnEmptyListDisablesPrintAndRunsNothing) {
    bool printOff = false;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the list is empty", [](rt::Window& w) { return rowsShown(w) == 0; })
        .run("read the button", [&](rt::Window& w) { printOff = disabled(w, PrintButton); })
        .closeWindow();
    runBrowse(robot, with(true, false), noting());
    EXPECT_TRUE(printOff);
    EXPECT_TRUE(seen.empty());
}

TEST_F(BrowseActionsTest, TheToolboxFloatsTheActionsAndTheyActLikeTheButtons) {
    addItems(30);
    std::vector<std::string> buttons;
    int deleteButton = 0, deletedId = 0;
    std::vector<int> shown;
    int page = 0;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("highlight row two",
             [&](rt::Window& w) {
                 choose(w, 2);
                 deletedId = std::stoi(w.listCell(List, 2, 2));
             })
        .press(ToolboxButton)
        .waitForWindow("Browse Actions")
        .run("read the buttons",
             [&](rt::Window& box) {
                 for (int c = 100; box.exists(c); ++c) {
                     buttons.push_back(box.text(c));
                     if (box.text(c) == "&Delete") deleteButton = c;
                 }
             })
        .run("press Delete", [&](rt::Window& box) { box.post(rt::EventAccepted, deleteButton); })
        .closeWindow()
        .waitForWindow(kCaption)
        .check("the entry has gone from the page",
               [deletedId](rt::Window& w) {
                   std::vector<int> ids = shownIds(w);
                   return std::find(ids.begin(), ids.end(), deletedId) == ids.end();
               })
        .run("read the page",
             [&](rt::Window& w) {
                 shown = shownIds(w);
                 page = pageSize(w);
             })
        .closeWindow();
    runBrowse(robot, with(true, true), noting());
    // The Toolbox item itself stays off the toolbox.
    EXPECT_EQ(buttons, (std::vector<std::string>{"&Insert", "&Change", "&Delete", "&Print"}));
    EXPECT_EQ(seen, std::vector<int>{deletedId});
    EXPECT_TRUE(sql("SELECT Id FROM Items WHERE Id = " + std::to_string(deletedId)).empty());
    EXPECT_EQ(shown, sqlIds("SELECT Id FROM Items ORDER BY Id LIMIT " + std::to_string(page)));
}

TEST_F(BrowseActionsTest, AWholeQueueListHoldsEveryEntryAndScrollsItself) {
    addItems(40, {}, [](int id) { return 40 - id; });
    std::vector<int> shown;
    int page = 0, last = 0, first = 0;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("every entry is listed", [](rt::Window& w) { return rowsShown(w) == 40; })
        .run("read the list",
             [&](rt::Window& w) {
                 shown = shownIds(w);
                 page = pageSize(w);
             })
        .key(rt::CtrlEnd, List)
        .check("the last entry is highlighted",
               [](rt::Window& w) { return w.property(List, rt::Prop::Selected).number() == 40; })
        .run("read the highlight", [&](rt::Window& w) { last = highlighted(w); })
        .press(ChangeButton)
        .key(rt::CtrlHome, List)
        .check("the first entry is highlighted",
               [](rt::Window& w) { return w.property(List, rt::Prop::Selected).number() == 1; })
        .run("read the highlight", [&](rt::Window& w) { first = highlighted(w); })
        .press(DeleteButton)
        .check("39 entries listed", [](rt::Window& w) { return rowsShown(w) == 39; })
        .closeWindow();
    BrowseSettings settings = wholeQueue(true);
    settings.key = 1;  // by group: the reverse of the entry numbers
    runBrowse(robot, settings, noting());
    // The first entry has gone since: the list held it and all the others.
    std::vector<int> rest = sqlIds("SELECT Id FROM Items ORDER BY \"Group\", Seq");
    ASSERT_EQ(shown.size(), 40u);
    EXPECT_LT(page, 40) << "the list shows fewer rows than it holds";
    EXPECT_EQ(std::vector<int>(shown.begin() + 1, shown.end()), rest);
    EXPECT_EQ(last, rest.back());
    EXPECT_EQ(first, shown.front());
    EXPECT_EQ(seen, (std::vector<int>{rest.back(), shown.front()}));
    EXPECT_TRUE(sql("SELECT Id FROM Items WHERE Id = " + std::to_string(first)).empty());
}

TEST_F(BrowseActionsTest, AWholeQueueListPagesAndDragsWithinItsRows) {
    addItems(50);
    int page = 0;
    std::vector<int> shown;
    auto at = [](int row) {
        return
            [row](rt::Window& w) { return w.property(List, rt::Prop::Selected).number() == row; };
    };
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("every entry is listed", [](rt::Window& w) { return rowsShown(w) == 50; })
        .run("read the list",
             [&](rt::Window& w) {
                 page = pageSize(w);
                 shown = shownIds(w);
             })
        .key(rt::PgDnKey, List)
        .check("a page further down",
               [&](rt::Window& w) {
                   return w.property(List, rt::Prop::Selected).number() == page + 1;
               })
        .key(rt::CtrlEnd, List)
        .check("the last row", at(50))
        .run("drag the thumb to the top",
             [](rt::Window& w) {
                 w.setProperty(List, rt::Prop::ScrollPos, rt::Value(0));
                 w.post(rt::EventScrollDrag, List);
             })
        .check("the first row", at(1))
        .run("drag the thumb to the end",
             [](rt::Window& w) {
                 w.setProperty(List, rt::Prop::ScrollPos, rt::Value(100));
                 w.post(rt::EventScrollDrag, List);
             })
        .check("the last row again", at(50))
        .closeWindow();
    runBrowse(robot, wholeQueue(false), noting());
    EXPECT_EQ(shown, sqlIds("SELECT Id FROM Items ORDER BY Id"));
    EXPECT_GT(page, 1);
    EXPECT_LT(page, 50);
}
