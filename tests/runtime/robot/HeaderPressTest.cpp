// A region shown under a pressed header cell takes over the press: the
// mouse leaving and coming back and the release are the region's events,
// whether the release came before the region showed or after. And the
// header cells' places and shifted texts a program lays such a region by.
#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"
#include "runtime/robot/Robot.h"

using namespace rt;

namespace {

constexpr char kFormat[] = "80L(2)|M~Title~@s20@60L(2)|M~Location~@s40@50L(2)|M~User~@s20@";

enum { kList = 1, kClose = 2 };

WindowDeclaration headerWindow() {
    WindowDeclaration d;
    d.caption = "Headers";
    d.width = 240;
    d.height = 120;
    d.controls = {
        control(ControlKind::List).at(4, 4, 230, 90).listFormat(kFormat),
        control(ControlKind::Button, "Close").at(4, 100, 40, 14),
    };
    return d;
}

struct Seen {
    int event;
    int control;
};

// Runs the window: a header press lays the region over the pressed cell
// and shows it, unless `away` puts it elsewhere; every event of the region
// is noted.
std::vector<Seen> runHeaders(Window& w, Robot& robot, bool away = false) {
    int region =
        w.create(control(ControlKind::Region).at(0, 0, 1, 1).with(FlagImmediate | FlagHidden));
    w.alert(MouseLeft, kList);
    std::vector<Seen> seen;
    robot.start();
    while (WindowEvent e = w.accept()) {
        if (e.control == region) seen.push_back({e.event, e.control});
        if (e.event == EventPreAlertKey) w.cycle();
        if (e.event == EventAlertKey && e.control == kList &&
            w.property(kList, Prop::MouseZone).number() == 2) {
            int c = static_cast<int>(w.property(kList, Prop::MouseColumn).number());
            int x = static_cast<int>(w.property(kList, Prop::XPos).number() +
                                     w.property(kList, Prop::ColumnX, c).number());
            w.setProperty(region, Prop::XPos, Value(away ? 150 : x));
            w.setProperty(region, Prop::YPos, Value(away ? 96 : 4));
            w.setProperty(region, Prop::Width, w.property(kList, Prop::ColumnWidth, c));
            w.setProperty(region, Prop::Height, w.property(kList, Prop::HeaderHeight));
            w.unhide(region);
        }
        if (e.event == EventMouseUp && e.control == region) w.hide(region);
        if (e.event == EventAccepted && e.control == kClose) w.close();
    }
    return seen;
}

std::vector<int> events(const std::vector<Seen>& seen) {
    std::vector<int> out;
    for (const Seen& s : seen) out.push_back(s.event);
    return out;
}

}  // namespace

TEST(HeaderPressTest, AQuickClickIsReleasedOnTheRegionShownUnderIt) {
    Window w(headerWindow());
    Robot robot;
    robot.waitForWindow("Headers").clickHeader(kList, 2).press(kClose);
    std::vector<Seen> seen = runHeaders(w, robot);
    ASSERT_FALSE(robot.failed()) << robot.failure();
    EXPECT_EQ(events(seen), std::vector<int>{EventMouseUp});
}

TEST(HeaderPressTest, DraggingOffTheCellAndBackIsReportedThenTheRelease) {
    Window w(headerWindow());
    Robot robot;
    robot.waitForWindow("Headers")
        .pressHeader(kList, 1)
        .dragHeaderTo(kList, 3)
        .dragHeaderTo(kList, 1)
        .releaseHeader(kList, 1)
        .press(kClose);
    std::vector<Seen> seen = runHeaders(w, robot);
    ASSERT_FALSE(robot.failed()) << robot.failure();
    EXPECT_EQ(events(seen), (std::vector<int>{EventMouseOut, EventMouseIn, EventMouseUp}));
}

TEST(HeaderPressTest, AReleaseOffTheCellIsStillTheRegions) {
    Window w(headerWindow());
    Robot robot;
    robot.waitForWindow("Headers")
        .pressHeader(kList, 2)
        .dragHeaderTo(kList, 0)
        .releaseHeader(kList, 0)
        .press(kClose);
    std::vector<Seen> seen = runHeaders(w, robot);
    ASSERT_FALSE(robot.failed()) << robot.failure();
    EXPECT_EQ(events(seen), (std::vector<int>{EventMouseOut, EventMouseUp}));
}

TEST(HeaderPressTest, ARegionShownAwayFromTheMouseTakesNothing) {
    Window w(headerWindow());
    Robot robot;
    robot.waitForWindow("Headers")
        .clickHeader(kList, 1)
        .pressHeader(kList, 2)
        .releaseHeader(kList, 2)
        .press(kClose);
    std::vector<Seen> seen = runHeaders(w, robot, true);
    ASSERT_FALSE(robot.failed()) << robot.failure();
    EXPECT_TRUE(seen.empty());
}

TEST(HeaderPressTest, HeaderCellsSitSideBySideAndAShiftLeavesTheirTextsAlone) {
    Window w(headerWindow());
    w.open();
    int first = static_cast<int>(w.property(kList, Prop::ColumnX, 1).number());
    int second = static_cast<int>(w.property(kList, Prop::ColumnX, 2).number());
    int third = static_cast<int>(w.property(kList, Prop::ColumnX, 3).number());
    EXPECT_LE(first, 2);
    EXPECT_NEAR(second - first, 80, 2);
    EXPECT_NEAR(third - second, 60, 2);
    EXPECT_EQ(w.property(kList, Prop::ColumnX, 9).number(), 0);
    int height = static_cast<int>(w.property(kList, Prop::HeaderHeight).number());
    std::vector<int> before = w.TEST_pixels(4 + first, 4, 80, height);
    w.setProperty(kList, Prop::HeaderShift, Value(1), 1);
    std::vector<int> shifted = w.TEST_pixels(4 + first, 4, 80, height);
    EXPECT_EQ(w.property(kList, Prop::HeaderText, 1).text(), "Title");
    EXPECT_EQ(w.property(kList, Prop::HeaderShift, 1).number(), 1);
    EXPECT_NE(before, shifted) << "the pressed cell's text moves";
    w.setProperty(kList, Prop::HeaderText, Value("Title[+]"), 1);
    EXPECT_EQ(w.property(kList, Prop::HeaderText, 1).text(), "Title[+]");
    w.setProperty(kList, Prop::HeaderShift, Value(0), 1);
    w.setProperty(kList, Prop::HeaderText, Value("Title"), 1);
    EXPECT_EQ(w.TEST_pixels(4 + first, 4, 80, height), before) << "and moves back";
    w.close();
}
