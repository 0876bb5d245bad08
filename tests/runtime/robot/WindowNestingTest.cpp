// Windows called from inside another window's loop, alert keys and the
// window-level services (tabs, hiding, created controls, timer, drawing).
#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/text/FixedText.h"
#include "runtime/robot/Robot.h"
#include "runtime/gui/Window.h"

using namespace rt;

namespace {

bool has(const std::vector<WindowEvent>& events, int event, int control, int key = -1) {
    return std::any_of(events.begin(), events.end(), [&](const WindowEvent& e) {
        return e.event == event && e.control == control && (key < 0 || e.key == key);
    });
}

WindowDeclaration twoButtons(const std::string& caption, FieldRef use = {}) {
    WindowDeclaration d;
    d.caption = caption;
    d.controls = {
        control(ControlKind::Entry).at(10, 10, 80, 12).bind(use),
        control(ControlKind::Button, "Open").at(10, 30, 40, 14),
        control(ControlKind::Button, "Close").at(60, 30, 40, 14),
    };
    return d;
}

// The procedure of the inner window: its own loop until Close.
void innerProcedure(String<10>& answer, std::vector<std::string>& log) {
    Window inner(twoButtons("Inner", answer));
    while (WindowEvent e = inner.accept()) {
        if (e.event == EventAccepted && e.control == 3) inner.close();
    }
    log.push_back("inner closed with " + answer.clipped());
}

}  // namespace

TEST(WindowNestingTest, AWindowCalledFromALoopRunsItsOwnLoopAndTheOuterResumes) {
    String<10> outerText, innerText;
    std::vector<std::string> log;
    Window outer(twoButtons("Outer", outerText));
    Robot robot;
    robot.waitForWindow("Outer")
        .press(2)
        .waitForWindow("Inner")
        .check("the outer window is blocked while the inner is open",
               [](Window&) { return Window::openWindows().size() == 2; })
        .type(1, "inside")
        .press(3)
        .waitForWindow("Outer")
        .type(1, "outside")
        .press(3)
        .start();
    std::vector<WindowEvent> events;
    while (WindowEvent e = outer.accept()) {
        events.push_back(e);
        if (e.event == EventAccepted && e.control == 2) innerProcedure(innerText, log);
        if (e.event == EventAccepted && e.control == 3) outer.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(log, (std::vector<std::string>{"inner closed with inside"}));
    // The outer window lost the focus to the inner one and got it back.
    EXPECT_TRUE(has(events, EventLoseFocus, 0));
    EXPECT_TRUE(has(events, EventGainFocus, 0));
    EXPECT_EQ(outerText.clipped(), "outside");
}

TEST(WindowNestingTest, AlertedKeysComeAsPreAlertThenAlertAndUnalertedKeysDoNot) {
    String<10> text;
    Window w(twoButtons("Keys", text));
    w.alert(F1Key + 1);                 // F2 on the whole window
    w.alert(keyFor('H') + KeyCtrl, 1);  // Ctrl+H on the entry only
    Robot robot;
    robot.waitForWindow("Keys")
        .key(F1Key + 1, 1)
        .key(keyFor('H') + KeyCtrl, 1)
        .key(keyFor('H') + KeyCtrl, 2)
        .press(3)
        .start();
    std::vector<WindowEvent> events;
    while (WindowEvent e = w.accept()) {
        events.push_back(e);
        if (e.event == EventAccepted && e.control == 3) w.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(has(events, EventPreAlertKey, 1, F1Key + 1));
    EXPECT_TRUE(has(events, EventAlertKey, 1, F1Key + 1));
    EXPECT_TRUE(has(events, EventAlertKey, 1, 584));
    EXPECT_FALSE(has(events, EventAlertKey, 2));
}

TEST(WindowNestingTest, ACycledPreAlertSkipsTheKeysOwnActionButStillAlerts) {
    String<10> text;
    Window w(twoButtons("Cycle", text));
    w.alert(MouseLeft, 2);
    Robot robot;
    robot.waitForWindow("Cycle").clickControl(2).press(3).start();
    std::vector<WindowEvent> events;
    while (WindowEvent e = w.accept()) {
        events.push_back(e);
        if (e.event == EventPreAlertKey) w.cycle();
        if (e.event == EventAccepted && e.control == 3) w.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(has(events, EventAlertKey, 2, MouseLeft));
    // The click itself never reached the button.
    EXPECT_FALSE(has(events, EventAccepted, 2));
}

TEST(WindowNestingTest, ControlsOnATabShowOnlyWhileItIsCurrentAndSelectBringsItForward) {
    String<10> a, b;
    WindowDeclaration d;
    d.caption = "Tabs";
    d.controls = {
        control(ControlKind::Sheet).at(4, 4, 150, 80),
        control(ControlKind::Tab, "General").in(1),
        control(ControlKind::Entry).at(10, 24, 60, 12).bind(a).in(2),
        control(ControlKind::Tab, "Notes").in(1),
        control(ControlKind::Entry).at(10, 24, 60, 12).bind(b).in(4),
        control(ControlKind::Button, "OK").at(10, 90, 40, 14),
    };
    Window w(d);
    w.open();
    EXPECT_EQ(w.property(3, Prop::Visible).number(), 1);
    EXPECT_EQ(w.property(5, Prop::Visible).number(), 0);
    w.select(5);
    EXPECT_EQ(w.property(1, Prop::Selected).number(), 2);
    EXPECT_EQ(w.property(3, Prop::Visible).number(), 0);
    EXPECT_EQ(w.property(5, Prop::Visible).number(), 1);
    // Hiding the sheet hides everything on it, whatever the tab.
    w.hide(1);
    EXPECT_EQ(w.property(5, Prop::Visible).number(), 0);
    w.unhide(1);
    EXPECT_EQ(w.property(5, Prop::Visible).number(), 1);
    w.setText(4, "Memo");
    EXPECT_EQ(w.text(4), "Memo");
    w.close();
}

TEST(WindowNestingTest, ControlsCreatedAtRunTimeNumberFrom100AndCanBeDestroyed) {
    String<10> text;
    Window w(twoButtons("Create", text));
    int region = w.create(control(ControlKind::Region).at(10, 10, 80, 12).with(FlagImmediate));
    int second = w.create(control(ControlKind::String, "hello").at(10, 50));
    EXPECT_EQ(region, 100);
    EXPECT_EQ(second, 101);
    EXPECT_EQ(w.property(100, Prop::Width).number(), 80);
    EXPECT_EQ(w.text(101), "hello");
    w.destroy(100);
    EXPECT_FALSE(w.exists(100));
    EXPECT_TRUE(w.exists(101));
    EXPECT_EQ(w.create(control(ControlKind::Box).at(0, 0, 5, 5)), 102);
}

TEST(WindowNestingTest, HiddenAndDisabledControlsCannotBeUsed) {
    String<10> text;
    Window w(twoButtons("Hide", text));
    w.disable(2);
    w.hide(3);
    EXPECT_EQ(w.property(2, Prop::Disable).number(), 1);
    EXPECT_EQ(w.property(3, Prop::Hide).number(), 1);
    Robot robot;
    robot.timeout(300).waitForWindow("Hide").press(2);
    w.open();
    EXPECT_FALSE(robot.runNow());
    EXPECT_NE(robot.failure().find("press button 2"), std::string::npos) << robot.failure();
    Window::TEST_resume();
}

TEST(WindowNestingTest, TheTimerPostsTimerEventsAndDrawingsStayUntilBlanked) {
    String<10> text;
    WindowDeclaration d = twoButtons("Timer", text);
    d.timer = 1;
    Window w(d);
    int timers = 0;
    while (WindowEvent e = w.accept()) {
        if (e.event == EventTimer && ++timers == 3) w.close();
    }
    EXPECT_EQ(timers, 3);
}

TEST(WindowNestingTest, StatusZonesCaptionAndMinimumSize) {
    String<10> text;
    WindowDeclaration d = twoButtons("Status", text);
    d.statusZones = {60, 40, -1};
    d.resizable = true;
    Window w(d);
    w.open();
    w.setStatusText(2, "today");
    EXPECT_EQ(w.statusText(2), "today");
    EXPECT_EQ(w.statusText(4), "");
    w.setCaption("Renamed");
    EXPECT_EQ(w.caption(), "Renamed");
    w.setMinimumSize(150, 100);
    w.resize(20, 20);
    EXPECT_GE(w.width(), 149);
    EXPECT_GE(w.height(), 99);
    w.close();
}

TEST(WindowNestingTest, AModelessWindowLeavesItsOwnerUsableAndIsPolled) {
    String<10> text;
    Window owner(twoButtons("Owner", text));
    WindowDeclaration box = twoButtons("Toolbox");
    box.modeless = true;
    box.timer = 1;
    std::unique_ptr<Window> toolbox;
    std::vector<int> fromToolbox;
    Robot robot;
    robot.waitForWindow("Toolbox").press(2).press(3).start();
    while (WindowEvent e = owner.accept()) {
        if (e.event == EventOpenWindow) {
            owner.setTimer(1);
            toolbox = std::make_unique<Window>(box);
            toolbox->open();
        }
        // The owner's timer is where the toolbox's events are taken.
        while (toolbox && toolbox->isOpen()) {
            WindowEvent t = toolbox->poll();
            if (!t) break;
            if (t.event != EventAccepted) continue;
            fromToolbox.push_back(t.control);
            if (t.control == 3) {
                toolbox->close();
                owner.close();
            }
        }
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(fromToolbox, (std::vector<int>{2, 3}));
}
