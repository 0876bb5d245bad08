// The list control fed by a source (virtual mode): it asks for the rows on
// screen only, re-reads its count when told of a change, and leaves the
// columns the source cannot fill blank.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "runtime/controls/Events.h"
#include "runtime/controls/ListSource.h"
#include "runtime/gui/Window.h"
#include "runtime/robot/Robot.h"

using namespace rt;

namespace {

enum { kList = 1, kClose = 2 };

WindowDeclaration listWindow() {
    WindowDeclaration d;
    d.caption = "Virtual";
    d.width = 240;
    d.height = 140;
    d.controls = {
        control(ControlKind::List)
            .at(4, 4, 230, 110)
            .listFormat("120L(2)|M~Name~@s40@60R(2)|M~Size~@n_9@")
            .with(FlagVScroll),
        control(ControlKind::Button, "Close").at(4, 120, 40, 14),
    };
    return d;
}

// A source of `rows` rows, "Row n" and n * 10, that notes what it is asked.
struct CountingSource {
    int rows = 0;
    int columns = 2;
    int changed = 0;
    std::set<int> rowsAsked;
    std::set<int> columnsAsked;

    ListSource source() {
        return [this](int row, int column) -> Value {
            if (row == ListAskRows) return Value(rows);
            if (row == ListAskColumns) return Value(columns);
            if (row == ListAskChanged) return Value(changed);
            rowsAsked.insert(row);
            columnsAsked.insert(column);
            if (column == 1) return Value("Row " + std::to_string(row));
            return Value(row * 10);
        };
    }
};

}  // namespace

TEST(VirtualListTest, AHugeListOpensAskingOnlyForTheRowsOnScreen) {
    constexpr int kRows = 1'000'000;
    CountingSource feed;
    feed.rows = kRows;
    Window w(listWindow());
    w.setListSource(kList, feed.source());
    int shown = 0;
    Robot robot;
    robot.waitForWindow("Virtual")
        .run("count the rows on screen",
             [&](Window& w) { shown = static_cast<int>(w.property(kList, Prop::Items).number()); })
        .press(kClose)
        .start();
    while (WindowEvent e = w.accept())
        if (e.event == EventAccepted && e.control == kClose) w.close();
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(w.listRowCount(kList), kRows);
    ASSERT_FALSE(feed.rowsAsked.empty());
    EXPECT_LE(*feed.rowsAsked.rbegin(), shown + 1);
    EXPECT_EQ(w.listCell(kList, 765432, 1), "Row 765432");
    EXPECT_EQ(w.listCell(kList, 765432, 2), "7654320");
}

TEST(VirtualListTest, ADisplayRereadsTheCountOnlyWhenTheSourceSaysItChanged) {
    CountingSource feed;
    feed.rows = 3;
    Window w(listWindow());
    w.setListSource(kList, feed.source());
    w.setProperty(kList, Prop::Selected, 3);
    feed.rows = 5;
    w.display(kList);
    EXPECT_EQ(w.listRowCount(kList), 3);  // not told of a change
    feed.changed = 1;
    w.display(kList);
    EXPECT_EQ(w.listRowCount(kList), 5);
    EXPECT_EQ(w.property(kList, Prop::Selected).number(), 3);
    feed.rows = 1;
    w.display();
    EXPECT_EQ(w.listRowCount(kList), 1);
    EXPECT_EQ(w.property(kList, Prop::Selected).number(), 1);
}

TEST(VirtualListTest, ColumnsBeyondTheSourcesAreBlankAndNeverAskedFor) {
    CountingSource feed;
    feed.rows = 2;
    feed.columns = 1;
    Window w(listWindow());
    w.setListSource(kList, feed.source());
    EXPECT_EQ(w.listCell(kList, 2, 1), "Row 2");
    EXPECT_EQ(w.listCell(kList, 2, 2), "");
    EXPECT_EQ(feed.columnsAsked, std::set<int>{1});
    // Out-of-range cells are never asked for either.
    EXPECT_EQ(w.listCell(kList, 3, 1), "");
    EXPECT_EQ(w.listCell(kList, 0, 1), "");
    EXPECT_EQ(*feed.rowsAsked.rbegin(), 2);
}

TEST(VirtualListTest, GivenRowsEndVirtualModeAndANegativeCountIsNoRows) {
    CountingSource feed;
    feed.rows = -7;
    Window w(listWindow());
    w.setListSource(kList, feed.source());
    EXPECT_EQ(w.listRowCount(kList), 0);
    feed.rows = 4;
    feed.changed = 1;
    w.setListRows(kList, {{Value("Given"), Value(1)}});
    w.display(kList);
    EXPECT_EQ(w.listRowCount(kList), 1);
    EXPECT_EQ(w.listCell(kList, 1, 1), "Given");
    EXPECT_TRUE(feed.rowsAsked.empty());
}

TEST(VirtualListTest, AClickOnAVirtualRowSelectsItAndReportsTheNewSelection) {
    CountingSource feed;
    feed.rows = 50;
    Window w(listWindow());
    w.setListSource(kList, feed.source());
    Robot robot;
    robot.waitForWindow("Virtual")
        .clickRow(kList, 4)
        .check("row 4 is highlighted",
               [](Window& w) { return w.property(kList, Prop::Selected).number() == 4; })
        .press(kClose)
        .start();
    bool newSelection = false;
    while (WindowEvent e = w.accept()) {
        newSelection |= e.event == EventNewSelection && e.control == kList;
        if (e.event == EventAccepted && e.control == kClose) w.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(newSelection);
}
