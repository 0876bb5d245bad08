// Header clicks on a browse over a real item file: ascending then
// descending, Ctrl+click columns, Shift+click back to the browse's own
// order, the pressed cell, and columns that may not sort or not descend.
// The rows shown are checked against the file read by the cipher's shell.
#include <gtest/gtest.h>

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/text/TextCase.h"
#include "tests/browse/SortHeaderFixture.h"

using namespace browsetest;

namespace {

bool byTitle(const Item& a, const Item& b) {
    return rt::upper(a.title) < rt::upper(b.title);
}

// A title order unlike the number order, in mixed case.
std::string shuffledTitle(int id) {
    return std::string(1, static_cast<char>('a' + (id * 7) % 26)) + (id % 2 ? "x" : "X") +
           std::to_string(id);
}

}  // namespace

class SortHeaderClickTest : public SortHeaderTest {
  protected:
    void SetUp() override {
        SortHeaderTest::SetUp();
        addItems(40, shuffledTitle, [](int id) { return id % 4; });
    }
};

TEST_F(SortHeaderClickTest, AClickSortsAscendingAndASecondClickDescending) {
    std::string first, second;
    std::vector<int> shownUp, shownDown;
    rt::Robot robot;
    prepare(robot);
    robot.waitForWindow(kCaption)
        .clickHeader(List, TitleColumn)
        .check("Title sorts up", [](rt::Window& w) { return header(w, TitleColumn) == "Title[+]"; })
        .run("read", [&](rt::Window& w) { shownUp = shownIds(w); })
        .screenshot("sort-header-title-up.png")
        .clickHeader(List, TitleColumn)
        .check("Title sorts down",
               [](rt::Window& w) { return header(w, TitleColumn) == "Title[-]"; })
        .run("read", [&](rt::Window& w) { shownDown = shownIds(w); })
        .closeWindow();
    std::vector<std::string> orders = runSorted(robot);
    ASSERT_EQ(orders.size(), 2u);
    // The key's only component is the title itself: it is not appended again.
    EXPECT_EQ(orders[0], "+UPPER(TST:TITLE)");
    EXPECT_EQ(orders[1], "-UPPER(TST:TITLE)");
    std::vector<int> up = sortedIds(byTitle);
    std::vector<int> down(up.rbegin(), up.rend());
    EXPECT_TRUE(isRunOf(shownUp, up)) << "rows in title order";
    EXPECT_TRUE(isRunOf(shownDown, down)) << "rows in reverse title order";
}

TEST_F(SortHeaderClickTest, NumericColumnsSortWithoutFoldingAndTheKeyCompletesTheOrder) {
    std::vector<int> shown;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .clickHeader(List, GroupColumn)
        .check("Group sorts up", [](rt::Window& w) { return header(w, GroupColumn) == "Group[+]"; })
        .key(rt::CtrlHome, List)
        .check("the first group shows", [](rt::Window& w) { return highlighted(w) != 0; })
        .run("read", [&](rt::Window& w) { shown = shownIds(w); })
        .closeWindow();
    std::vector<std::string> orders = runSorted(robot);
    ASSERT_FALSE(orders.empty());
    EXPECT_EQ(orders.back(), "+TST:GROUP,+TST:TITLE");
    std::vector<int> all = sortedIds([](const Item& a, const Item& b) {
        if (a.group != b.group) return a.group < b.group;
        return a.title < b.title;
    });
    EXPECT_EQ(shown, std::vector<int>(all.begin(), all.begin() + static_cast<long>(shown.size())));
}

TEST_F(SortHeaderClickTest, CtrlClickAddsNumberedColumnsAndFlipsOneAlreadyThere) {
    std::vector<std::string> afterAdd, afterFlip;
    std::vector<int> shown;
    auto headers = [](rt::Window& w) {
        return std::vector<std::string>{header(w, TitleColumn), header(w, IdColumn),
                                        header(w, GroupColumn)};
    };
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .clickHeader(List, GroupColumn)
        .check("Group sorts", [](rt::Window& w) { return header(w, GroupColumn) == "Group[+]"; })
        .clickHeader(List, TitleColumn, rt::KeyCtrl)
        .check("two columns", [](rt::Window& w) { return header(w, TitleColumn) == "Title[+2]"; })
        .run("read", [&](rt::Window& w) { afterAdd = headers(w); })
        .clickHeader(List, TitleColumn, rt::KeyCtrl)
        .check("Title flips", [](rt::Window& w) { return header(w, TitleColumn) == "Title[-2]"; })
        .key(rt::CtrlHome, List)
        .run("read",
             [&](rt::Window& w) {
                 afterFlip = headers(w);
                 shown = shownIds(w);
             })
        .closeWindow();
    std::vector<std::string> orders = runSorted(robot);
    EXPECT_EQ(afterAdd, (std::vector<std::string>{"Title[+2]", "Id", "Group[+1]"}));
    EXPECT_EQ(afterFlip, (std::vector<std::string>{"Title[-2]", "Id", "Group[+1]"}));
    ASSERT_GE(orders.size(), 3u);
    EXPECT_EQ(orders[1], "+TST:GROUP,+UPPER(TST:TITLE)");
    EXPECT_EQ(orders[2], "+TST:GROUP,-UPPER(TST:TITLE)");
    std::vector<int> all = sortedIds([](const Item& a, const Item& b) {
        if (a.group != b.group) return a.group < b.group;
        return rt::upper(a.title) > rt::upper(b.title);
    });
    EXPECT_EQ(shown, std::vector<int>(all.begin(), all.begin() + static_cast<long>(shown.size())));
}

TEST_F(SortHeaderClickTest, ShiftClickRestoresTheHeadersAndTheBrowsesOwnOrder) {
    std::vector<std::string> headers;
    std::vector<int> shown;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .clickHeader(List, TitleColumn)
        .clickHeader(List, IdColumn, rt::KeyCtrl)
        .check("two columns", [](rt::Window& w) { return header(w, IdColumn) == "Id[+2]"; })
        .clickHeader(List, GroupColumn, rt::KeyShift)
        .check("no marks", [](rt::Window& w) { return header(w, TitleColumn) == "Title"; })
        .key(rt::CtrlHome, List)
        .run("read",
             [&](rt::Window& w) {
                 headers = {header(w, TitleColumn), header(w, IdColumn), header(w, GroupColumn)};
                 shown = shownIds(w);
             })
        .closeWindow();
    std::vector<std::string> orders = runSorted(robot);
    EXPECT_EQ(headers, (std::vector<std::string>{"Title", "Id", "Group"}));
    ASSERT_FALSE(orders.empty());
    EXPECT_EQ(orders.back(), "") << "the browse's own order, and no key order in its place";
    EXPECT_EQ(shown,
              sqlIds("SELECT Id FROM Items ORDER BY Id LIMIT " + std::to_string(shown.size())));
}

TEST_F(SortHeaderClickTest, APressedCellLooksPressedUntilTheMouseLeavesAndAgainWhenItReturns) {
    auto pressed = [this](rt::Window& w) {
        int region = sorted->header.RegionControl;
        return w.property(region, rt::Prop::Visible).number() != 0 &&
               w.property(region, rt::Prop::Bevel).number() < 0 &&
               w.property(List, rt::Prop::HeaderShift, TitleColumn).number() > 0;
    };
    auto up = [this](rt::Window& w) {
        return w.property(sorted->header.RegionControl, rt::Prop::Bevel).number() == 0 &&
               w.property(List, rt::Prop::HeaderShift, TitleColumn).number() == 0;
    };
    bool hiddenAfter = false;
    rt::Robot robot;
    prepare(robot);
    robot.waitForWindow(kCaption)
        .pressHeader(List, TitleColumn)
        .check("the cell is pressed", pressed)
        .screenshot("sort-header-pressed.png")
        .dragHeaderTo(List, GroupColumn)
        .check("the cell is up while the mouse is off it", up)
        .dragHeaderTo(List, TitleColumn)
        .check("pressed again", pressed)
        .releaseHeader(List, TitleColumn)
        .check("sorted", [](rt::Window& w) { return header(w, TitleColumn) == "Title[+]"; })
        .run("read",
             [&](rt::Window& w) {
                 hiddenAfter =
                     w.property(sorted->header.RegionControl, rt::Prop::Visible).number() == 0 &&
                     up(w);
             })
        .closeWindow();
    std::vector<std::string> orders = runSorted(robot);
    EXPECT_TRUE(hiddenAfter);
    EXPECT_EQ(orders, std::vector<std::string>{"+UPPER(TST:TITLE)"});
}

TEST_F(SortHeaderClickTest, AReleaseOffThePressedCellSortsNothing) {
    bool hidden = false;
    std::vector<std::string> headers;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .pressHeader(List, IdColumn)
        .check("pressed",
               [this](rt::Window& w) {
                   return w.property(sorted->header.RegionControl, rt::Prop::Bevel).number() < 0;
               })
        .dragHeaderTo(List, 0)
        .releaseHeader(List, 0)
        .check("let go",
               [&](rt::Window& w) {
                   hidden =
                       w.property(sorted->header.RegionControl, rt::Prop::Visible).number() == 0;
                   return hidden;
               })
        .run("read",
             [&](rt::Window& w) {
                 headers = {header(w, TitleColumn), header(w, IdColumn), header(w, GroupColumn)};
             })
        .closeWindow();
    std::vector<std::string> orders = runSorted(robot);
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(orders.empty());
    EXPECT_EQ(headers, (std::vector<std::string>{"Title", "Id", "Group"}));
}

TEST_F(SortHeaderClickTest, AColumnThatMayNotSortIgnoresClicks) {
    std::string group;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .clickHeader(List, GroupColumn)
        .clickHeader(List, TitleColumn)
        .check("Title sorts", [](rt::Window& w) { return header(w, TitleColumn) == "Title[+]"; })
        .run("read", [&](rt::Window& w) { group = header(w, GroupColumn); })
        .closeWindow();
    SortSettings settings;
    settings.configure = [](TestSortHeader& h) { h.refused.insert("TST:GROUP"); };
    std::vector<std::string> orders = runSorted(robot, settings);
    EXPECT_EQ(group, "Group");
    EXPECT_EQ(orders, std::vector<std::string>{"+UPPER(TST:TITLE)"});
}

TEST_F(SortHeaderClickTest, AColumnThatMayNotDescendStaysAscending) {
    std::string title;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .clickHeader(List, TitleColumn)
        .check("Title sorts", [](rt::Window& w) { return header(w, TitleColumn) == "Title[+]"; })
        .clickHeader(List, TitleColumn)
        .clickHeader(List, IdColumn)
        .check("Id sorts", [](rt::Window& w) { return header(w, IdColumn) == "Id[+]"; })
        .closeWindow();
    SortSettings settings;
    settings.configure = [](TestSortHeader& h) { h.ascendingOnly.insert("TST:TITLE"); };
    std::vector<std::string> orders = runSorted(robot, settings);
    EXPECT_EQ(orders, (std::vector<std::string>{"+UPPER(TST:TITLE)", "+TST:ID,+TST:TITLE"}));
}

TEST_F(SortHeaderClickTest, ARowClickSelectsTheRowAndSortsNothing) {
    int chosen = 0;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("rows", [](rt::Window& w) { return rowsShown(w) > 3; })
        .clickRow(List, 3)
        .check("row 3 highlighted",
               [&](rt::Window& w) { return w.property(List, rt::Prop::Selected).number() == 3; })
        .run("read", [&](rt::Window& w) { chosen = highlighted(w); })
        .closeWindow();
    std::vector<std::string> orders = runSorted(robot);
    EXPECT_TRUE(orders.empty());
    EXPECT_EQ(chosen, 3) << "the third item in number order";
}
