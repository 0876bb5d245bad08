// A control laid over a list cell, as edit-in-place uses it: it covers the
// cell of the highlighted row, follows the highlight, hides where there is
// no cell, and a press on its row is reported; per-column text colours;
// taking one alert key off; binding a control to another variable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "runtime/controls/ControlDeclaration.h"
#include "runtime/gui/Window.h"
#include "runtime/robot/Robot.h"
#include "runtime/text/FixedText.h"

using namespace rt;

namespace {

constexpr char kFormat[] = "60L(2)|M~Title~@s20@40R(2)|M~Group~@n4@50L(2)|M~Note~@s30@";

enum { kList = 1, kClose = 2 };

WindowDeclaration listWindow() {
    WindowDeclaration d;
    d.caption = "Cells";
    d.width = 220;
    d.height = 140;
    d.controls = {
        control(ControlKind::List).at(4, 4, 200, 110).listFormat(kFormat).with(FlagVScroll),
        control(ControlKind::Button, "Close").at(4, 120, 40, 14),
    };
    return d;
}

std::vector<std::vector<Value>> rows(int n) {
    std::vector<std::vector<Value>> r;
    for (int i = 1; i <= n; ++i)
        r.push_back({Value("Title " + std::to_string(i)), Value(i), Value("note")});
    return r;
}

int prop(Window& w, int control, Prop p, int index = 0) {
    return static_cast<int>(w.property(control, p, index).number());
}

struct Place {
    int x, y, width, height;
    bool visible;
};

Place placeOf(Window& w, int control) {
    return {prop(w, control, Prop::XPos), prop(w, control, Prop::YPos),
            prop(w, control, Prop::Width), prop(w, control, Prop::Height),
            prop(w, control, Prop::Visible) != 0};
}

}  // namespace

TEST(ListCellEditorTest, AControlLaidOverACellCoversItAndFollowsTheHighlight) {
    Window w(listWindow());
    w.setListRows(kList, rows(5));
    String<20> title;
    int entry = w.create(control(ControlKind::Entry).with(FlagHidden).tipText("Title"));
    w.bind(entry, title, w.property(kList, Prop::Picture, 1).text());
    Place onRow2{}, onRow3{}, second{}, released{}, noWidth{};
    int readBack = -1, otherColumn = -1;
    Robot robot;
    robot.waitForWindow("Cells")
        .run("lay the entry over row 2's first cell",
             [&](Window& w) {
                 w.setProperty(kList, Prop::Selected, 2);
                 w.setProperty(kList, Prop::Edit, entry, 1);
                 onRow2 = placeOf(w, entry);
                 readBack = prop(w, kList, Prop::Edit, 1);
                 otherColumn = prop(w, kList, Prop::Edit, 2);
                 w.setProperty(kList, Prop::Selected, 3);
                 onRow3 = placeOf(w, entry);
                 w.setProperty(kList, Prop::Edit, entry, 2);
                 second = placeOf(w, entry);
                 w.setProperty(kList, Prop::ColumnWidth, 0, 2);
                 noWidth = placeOf(w, entry);
                 w.setProperty(kList, Prop::Edit, 0, 2);
                 released = placeOf(w, entry);
             })
        .press(kClose)
        .start();
    while (WindowEvent e = w.accept())
        if (e.event == EventAccepted && e.control == kClose) w.close();
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(w.property(kList, Prop::Picture, 1).text(), "@s20");
    EXPECT_EQ(readBack, entry);
    EXPECT_EQ(otherColumn, 0);
    EXPECT_TRUE(onRow2.visible);
    // The first cell starts at the list's left edge and is 60 units wide.
    EXPECT_LE(std::abs(onRow2.x - 4), 2);
    EXPECT_LE(std::abs(onRow2.width - 60), 2);
    EXPECT_GT(onRow2.height, 4);
    EXPECT_EQ(onRow3.x, onRow2.x);
    EXPECT_LE(std::abs(onRow3.y - onRow2.y - onRow2.height), 1) << "one row further down";
    EXPECT_LE(std::abs(second.x - (onRow2.x + 60)), 2);
    EXPECT_LE(std::abs(second.width - 40), 2);
    EXPECT_EQ(second.y, onRow3.y);
    EXPECT_FALSE(noWidth.visible) << "a column of no width has no cell to cover";
    EXPECT_FALSE(released.visible);
}

TEST(ListCellEditorTest, APressOnTheRowAControlLiesOverIsReported) {
    Window w(listWindow());
    w.setListRows(kList, rows(5));
    int entry = w.create(control(ControlKind::Entry).with(FlagHidden).tipText("Title"));
    Robot robot;
    robot.waitForWindow("Cells")
        .run("highlight row 2", [](Window& w) { w.setProperty(kList, Prop::Selected, 2); })
        .clickCell(kList, 2, 3)
        .run("lay the entry over the first cell",
             [&](Window& w) { w.setProperty(kList, Prop::Edit, entry, 1); })
        .clickCell(kList, 2, 2)
        .press(kClose)
        .start();
    std::vector<int> columns;  // the mouse column of each new selection a click made
    while (WindowEvent e = w.accept()) {
        if (e.event == EventNewSelection && e.control == kList && e.key == MouseLeft)
            columns.push_back(prop(w, kList, Prop::MouseColumn));
        if (e.event == EventAccepted && e.control == kClose) w.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    // The first click stays on the highlighted row and makes nothing.
    EXPECT_EQ(columns, std::vector<int>{2});
}

TEST(ListCellEditorTest, AColumnsTextColourPaintsItsCellsUntilColorNone) {
    Window w(listWindow());
    w.setListRows(kList, rows(3));
    constexpr int kRed = 0x0000FF;
    auto reddish = [](const std::vector<int>& pixels) {
        return std::count_if(pixels.begin(), pixels.end(), [](int c) {
            int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
            return r > 180 && g < 90 && b < 90;
        });
    };
    long redCells = 0, plainCells = 0, otherColumn = 0;
    int readBack = 0, cleared = 0;
    Robot robot;
    robot.waitForWindow("Cells")
        .run("colour the first column",
             [&](Window& w) {
                 w.setProperty(kList, Prop::ColumnColor, kRed, 1);
                 readBack = prop(w, kList, Prop::ColumnColor, 1);
                 w.setListRows(kList, rows(3));
             })
        .run("look at the cells",
             [&](Window& w) {
                 redCells = reddish(w.TEST_pixels(4, 4, 60, 60));
                 otherColumn = reddish(w.TEST_pixels(64, 4, 40, 60));
                 w.setProperty(kList, Prop::ColumnColor, ColorNone, 1);
                 cleared = prop(w, kList, Prop::ColumnColor, 1);
             })
        .run("look again", [&](Window& w) { plainCells = reddish(w.TEST_pixels(4, 4, 60, 60)); })
        .press(kClose)
        .start();
    while (WindowEvent e = w.accept())
        if (e.event == EventAccepted && e.control == kClose) w.close();
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(readBack, kRed);
    EXPECT_EQ(cleared, ColorNone);
    EXPECT_GT(redCells, 10);
    EXPECT_EQ(otherColumn, 0);
    EXPECT_EQ(plainCells, 0);
}

TEST(ListCellEditorTest, RemovingAnAlertTakesOnlyThatKeyAndSaysWhetherItWasThere) {
    Window w(listWindow());
    w.alert(MouseLeft, kList);
    w.alert(MouseLeft2, kList);
    w.alert(F1Key);
    EXPECT_TRUE(w.removeAlert(MouseLeft, kList));
    EXPECT_FALSE(w.removeAlert(MouseLeft, kList));
    EXPECT_TRUE(w.isAlerted(MouseLeft2, kList));
    EXPECT_FALSE(w.removeAlert(F1Key, kList)) << "the window's own alert is not the list's";
    EXPECT_TRUE(w.removeAlert(F1Key));
    EXPECT_FALSE(w.isAlerted(F1Key, 0));
}

TEST(ListCellEditorTest, BindingAControlToAnotherVariableShowsItUnderTheNewPicture) {
    Window w(listWindow());
    String<20> first("First");
    std::int32_t number = 1234;
    int entry = w.create(control(ControlKind::Entry).bind(first, "@s20").tipText("Value"));
    EXPECT_EQ(w.text(entry), "First");
    w.bind(entry, number, "@n6");
    EXPECT_EQ(w.text(entry), " 1,234");
    w.setText(entry, "56");
    w.update(entry);
    EXPECT_EQ(number, 56);
    EXPECT_EQ(first.clipped(), "First");
    w.bind(entry, first, "@s3");
    w.setText(entry, "Longer");
    EXPECT_EQ(w.text(entry), "Lon") << "the new picture limits what the entry takes";
}
