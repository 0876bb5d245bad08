// The resizer on real windows: controls follow their strategies and parents
// when the window changes size, come back exactly when it returns to its
// first size, and move in an order that keeps them from crossing.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "runtime/host/Assert.h"
#include "runtime/robot/Robot.h"
#include "runtime/gui/Window.h"
#include "window/WindowResizeClass.h"

using namespace rt;

namespace {

enum { kPrompt = 1, kName, kList, kGroup, kCity, kKeep, kOk };

// 200 x 120 with a group box at the right holding an entry and a check box.
WindowDeclaration form() {
    WindowDeclaration d;
    d.caption = "Resizable";
    d.width = 200;
    d.height = 120;
    d.resizable = true;
    d.controls = {
        control(ControlKind::Prompt, "&Name:").at(6, 8, 30, 10),
        control(ControlKind::Entry).at(40, 6, 100, 12),
        control(ControlKind::List).at(6, 24, 90, 80),
        control(ControlKind::Group, "Details").at(100, 24, 96, 60),
        control(ControlKind::Entry).at(110, 40, 80, 12),
        control(ControlKind::Check, "Keep").at(110, 60, 40, 10),
        control(ControlKind::Button, "OK").at(156, 100, 40, 14),
    };
    return d;
}

PositionGroup placeOf(const Window& w, int control) {
    auto get = [&](Prop p) { return static_cast<int>(w.property(control, p).number()); };
    return {get(Prop::XPos), get(Prop::YPos), get(Prop::Width), get(Prop::Height)};
}

std::map<int, PositionGroup> placesOf(const Window& w) {
    std::map<int, PositionGroup> places;
    for (int c : w.controls()) places[c] = placeOf(w, c);
    return places;
}

void resizeTo(Window& w, WindowResizeClass& resizer, int width, int height) {
    w.resize(width, height);
    ASSERT_EQ(w.width(), width);
    ASSERT_EQ(w.height(), height);
    resizer.Resize();
}

class OpenForm : public ::testing::Test {
  protected:
    OpenForm() : w(form()) {}
    void SetUp() override {
        w.open();
        ASSERT_EQ(w.width(), 200);
        ASSERT_EQ(w.height(), 120);
    }
    void TearDown() override { w.close(); }
    Window w;
    WindowResizeClass resizer;
};

}  // namespace

TEST_F(OpenForm, GrowingTheWidthMovesEachControlByItsStrategyAndParent) {
    resizer.Init(w, 2, true, false);
    EXPECT_EQ(resizer.GetParentControl(kCity), kGroup);  // found by containment
    EXPECT_EQ(resizer.GetParentControl(kKeep), kGroup);
    EXPECT_EQ(resizer.GetParentControl(kName), 0);
    resizeTo(w, resizer, 300, 120);
    // Prompt and entry: left edge and width scaled by 1.5, top and height kept.
    EXPECT_EQ(placeOf(w, kPrompt), (PositionGroup{9, 8, 45, 10}));
    EXPECT_EQ(placeOf(w, kName), (PositionGroup{60, 6, 150, 12}));
    // The list keeps its left and top distance and widens by the 100 units.
    EXPECT_EQ(placeOf(w, kList), (PositionGroup{6, 24, 190, 80}));
    EXPECT_EQ(placeOf(w, kGroup), (PositionGroup{100, 24, 196, 60}));
    // Inside the group the scale is the group's, 196 / 96 = 2.0417: the
    // window's 1.5 would give 115 and 120.
    EXPECT_EQ(placeOf(w, kCity), (PositionGroup{120, 40, 163, 12}));
    // Nearer the group's left and bottom edges: stays put within it.
    EXPECT_EQ(placeOf(w, kKeep), (PositionGroup{110, 60, 40, 10}));
    // The button keeps its distance to the right edge and its size.
    EXPECT_EQ(placeOf(w, kOk), (PositionGroup{256, 100, 40, 14}));
    EXPECT_TRUE(resizer.ResizeCalled);
    EXPECT_EQ(resizer.PreviousWin, (PositionGroup{0, 0, 300, 120}));
}

TEST_F(OpenForm, GrowingBothWaysMovesTheGroupsControlsWithItsNewRectangle) {
    resizer.Init(w, 2, false, false);
    resizeTo(w, resizer, 300, 200);
    EXPECT_EQ(placeOf(w, kGroup), (PositionGroup{100, 24, 196, 140}));
    // The check box is nearer the group's bottom edge: 24 units above it.
    EXPECT_EQ(placeOf(w, kKeep), (PositionGroup{110, 140, 40, 10}));
    EXPECT_EQ(placeOf(w, kOk), (PositionGroup{256, 180, 40, 14}));
    EXPECT_EQ(placeOf(w, kList), (PositionGroup{6, 24, 190, 160}));
}

TEST_F(OpenForm, ReturningToTheFirstSizePutsEveryControlBackExactly) {
    resizer.Init(w, 2, false, false);
    const std::map<int, PositionGroup> first = placesOf(w);
    resizeTo(w, resizer, 263, 151);
    const std::map<int, PositionGroup> odd = placesOf(w);
    EXPECT_NE(odd, first);
    for (auto [width, height] : {std::pair{231, 97}, {317, 203}, {201, 121}, {263, 151}}) {
        resizeTo(w, resizer, width, height);
    }
    // Every layout is computed from the first one: nothing accumulates.
    EXPECT_EQ(placesOf(w), odd);
    resizeTo(w, resizer, 200, 120);
    EXPECT_EQ(placesOf(w), first);
}

TEST_F(OpenForm, AResizeWithAnUnchangedSizeDoesNothing) {
    resizer.Init(w, 2, false, false);
    w.setProperty(kName, Prop::XPos, 1);
    resizer.Resize();
    EXPECT_TRUE(resizer.ResizeList.empty());
    EXPECT_EQ(placeOf(w, kName).XPos, 1);
    EXPECT_FALSE(resizer.ResizeCalled);

    resizeTo(w, resizer, 250, 120);
    EXPECT_FALSE(resizer.ResizeList.empty());
    w.setProperty(kOk, Prop::XPos, 3);
    resizer.Resize();
    EXPECT_TRUE(resizer.ResizeList.empty());
    EXPECT_EQ(placeOf(w, kOk).XPos, 3);
}

TEST_F(OpenForm, UnorderedMovesGoFarthestFirstWhenGrowingAndNearestFirstWhenShrinking) {
    resizer.Init(w, 2, false, false);
    resizer.DeferMoves = false;
    auto descending = [&] {
        return std::is_sorted(resizer.ResizeList.begin(), resizer.ResizeList.end(),
                              [](const auto& a, const auto& b) { return a.Priority > b.Priority; });
    };
    auto ascending = [&] {
        return std::is_sorted(resizer.ResizeList.begin(), resizer.ResizeList.end(),
                              [](const auto& a, const auto& b) { return a.Priority < b.Priority; });
    };
    resizeTo(w, resizer, 300, 120);  // width only: by the new left edges
    ASSERT_EQ(resizer.ResizeList.size(), 7u);
    for (const auto& move : resizer.ResizeList) EXPECT_EQ(move.Priority, move.After.XPos);
    EXPECT_TRUE(descending());
    EXPECT_EQ(resizer.ResizeList.front().ControlID, kOk);

    resizeTo(w, resizer, 300, 100);  // height only, smaller: by the new tops, ascending
    for (const auto& move : resizer.ResizeList) EXPECT_EQ(move.Priority, move.After.YPos);
    EXPECT_TRUE(ascending());

    resizeTo(w, resizer, 320, 150);  // both, larger: by distance from the corner
    for (const auto& move : resizer.ResizeList) {
        const PositionGroup& a = move.After;
        EXPECT_EQ(move.Priority, a.XPos * a.XPos + a.YPos * a.YPos);
    }
    EXPECT_TRUE(descending());
    EXPECT_EQ(placeOf(w, kOk), (PositionGroup{276, 130, 40, 14}));
}

TEST(WindowResizeClassTest, ControlsOnATabFollowTheSheet) {
    WindowDeclaration d;
    d.caption = "Tabs";
    d.width = 160;
    d.height = 110;
    d.resizable = true;
    d.controls = {
        control(ControlKind::Sheet).at(4, 4, 150, 100),
        control(ControlKind::Tab, "General").in(1),
        control(ControlKind::Entry).at(10, 24, 100, 12).in(2),
    };
    Window w(d);
    w.open();
    WindowResizeClass resizer;
    resizer.Init(w, 2, false, false);
    EXPECT_FALSE(resizer.GetOrigPos(2).has_value());  // tab pages are not laid out
    EXPECT_EQ(resizer.GetParentControl(3), 1);
    resizeTo(w, resizer, 260, 110);
    EXPECT_EQ(placeOf(w, 1), (PositionGroup{4, 4, 250, 100}));
    // The sheet's scale 250 / 150 = 1.6667, not the window's 1.625.
    EXPECT_EQ(placeOf(w, 3), (PositionGroup{14, 24, 166, 12}));
    w.close();
}

TEST(WindowResizeClassTest, ExcludedControlsStayAndResetPicksUpNewOnes) {
    Window w(form());
    w.open();
    w.setProperty(kList, Prop::NoLayout, 1);
    WindowResizeClass resizer;
    resizer.Init(w, 2, false, false);
    EXPECT_FALSE(resizer.GetOrigPos(kList).has_value());
    EXPECT_FALSE(resizer.GetCurrentPos(kList).has_value());
    ASSERT_TRUE(resizer.GetOrigPos(kName).has_value());
    EXPECT_EQ(*resizer.GetOrigPos(kName), (PositionGroup{40, 6, 100, 12}));
    EXPECT_EQ(resizer.ControlQueue.front().ResizeStrategy, 2);
    int late = w.create(control(ControlKind::Entry).at(6, 108, 50, 10));
    w.setProperty(kName, Prop::Width, 80);
    resizer.Reset();
    ASSERT_TRUE(resizer.GetOrigPos(late).has_value());
    EXPECT_EQ(resizer.GetOrigPos(kName)->Width, 80);  // a known control is re-recorded
    resizeTo(w, resizer, 300, 120);
    EXPECT_EQ(placeOf(w, kList), (PositionGroup{6, 24, 90, 80}));
    EXPECT_EQ(placeOf(w, late), (PositionGroup{9, 108, 75, 10}));
    EXPECT_EQ(placeOf(w, kName), (PositionGroup{60, 6, 120, 12}));
    w.close();
}

TEST(WindowResizeClassTest, ControlsSharingACornerDoNotBecomeEachOthersParents) {
    WindowDeclaration d;
    d.caption = "Boxes";
    d.width = 100;
    d.height = 100;
    d.resizable = true;
    d.controls = {
        control(ControlKind::Box).at(10, 10, 50, 50),
        control(ControlKind::Box).at(10, 10, 40, 40),
        control(ControlKind::Box).at(10, 10, 30, 30),
    };
    Window w(d);
    w.open();
    WindowResizeClass resizer;
    resizer.Init(w, 2, false, false);
    // Each one's corner lies in the others: the chain must end at the window.
    int hops = 0;
    for (int c = 3; c != 0 && hops < 5; c = resizer.GetParentControl(c)) ++hops;
    EXPECT_LT(hops, 4);
    resizeTo(w, resizer, 200, 200);
    EXPECT_EQ(placeOf(w, 1), (PositionGroup{20, 20, 100, 100}));
    w.close();
}

TEST(WindowResizeClassTest, SettingParentsAfterAResizeIsReportedAsAProgrammingError) {
    std::vector<std::string> seen;
    AssertHandler old =
        setAssertHandler([&](const std::string& m, const std::string&, int) { seen.push_back(m); });
    Window w(form());
    w.open();
    WindowResizeClass resizer;
    resizer.Init(w, 2, false, false);
    EXPECT_TRUE(seen.empty());
    resizeTo(w, resizer, 250, 150);
    resizer.SetParentDefaults();
    resizer.GetParentControl(99);
    setAssertHandler(old);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], "SetParentDefaults called after a resize");
    w.close();
}

TEST_F(OpenForm, TheFirstSizeIsTheMinimumAndRestoreWindowReturnsToIt) {
    resizer.Init(w, 2, true, false);
    const std::map<int, PositionGroup> first = placesOf(w);
    w.resize(50, 40);
    EXPECT_GE(w.width(), 199);
    EXPECT_GE(w.height(), 119);
    resizeTo(w, resizer, 280, 170);
    resizer.RestoreWindow();
    EXPECT_EQ(w.width(), 200);
    EXPECT_EQ(w.height(), 120);
    EXPECT_EQ(placesOf(w), first);
}

TEST_F(OpenForm, TheWindowsSizeEventsDriveTheLayout) {
    resizer.Init(w, 2, true, false);
    Robot robot;
    robot.waitForWindow("Resizable")
        .run("grow the window", [](Window& win) { win.resize(300, 200); })
        .check("the button follows the corner",
               [](Window& win) {
                   return placeOf(win, kOk) == PositionGroup{256, 180, 40, 14};
               })
        .run("shrink it back", [](Window& win) { win.resize(200, 120); })
        .check("the button is back",
               [](Window& win) {
                   return placeOf(win, kOk) == PositionGroup{156, 100, 40, 14};
               })
        .closeWindow()
        .start();
    while (w.accept()) resizer.TakeEvent();
    EXPECT_FALSE(robot.failed()) << robot.failure();
    resizer.Kill();
    resizer.Kill();
    EXPECT_TRUE(resizer.ControlQueue.empty());
}
