// The smaller services of a window: regions, check boxes, images, drawing,
// tabs chosen by a click, thumb drags, notifications and posts from threads.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>

#include "runtime/text/FixedText.h"
#include "runtime/robot/Robot.h"
#include "runtime/host/Thread.h"
#include "runtime/gui/Window.h"

using namespace rt;

namespace {

bool has(const std::vector<WindowEvent>& events, int event, int control, int key = -1) {
    return std::any_of(events.begin(), events.end(), [&](const WindowEvent& e) {
        return e.event == event && e.control == control && (key < 0 || e.key == key);
    });
}

constexpr int kDone = 1;

WindowDeclaration withDone(const std::string& caption, std::vector<ControlDeclaration> more) {
    WindowDeclaration d;
    d.caption = caption;
    d.width = 200;
    d.height = 120;
    d.controls = {control(ControlKind::Button, "Done").at(150, 100, 40, 14)};
    for (auto& c : more) d.controls.push_back(c);
    return d;
}

std::vector<WindowEvent> runUntilDone(Window& w) {
    std::vector<WindowEvent> events;
    while (WindowEvent e = w.accept()) {
        events.push_back(e);
        if (e.event == EventAccepted && e.control == kDone) w.close();
    }
    return events;
}

}  // namespace

TEST(WindowServicesTest, RegionsReportTheMouseComingMovingPressingAndGoing) {
    Window w(
        withDone("Region", {control(ControlKind::Region).at(10, 10, 60, 20).with(FlagImmediate)}));
    Robot robot;
    robot.waitForWindow("Region").hover(2).clickControl(2).leave(2).press(kDone).start();
    std::vector<WindowEvent> events;
    int upX = -1, upY = -1;
    while (WindowEvent e = w.accept()) {
        events.push_back(e);
        if (e.event == EventMouseUp) upX = w.mouseX(), upY = w.mouseY();
        if (e.event == EventAccepted && e.control == kDone) w.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    for (int e : {EventMouseIn, EventMouseMove, EventMouseDown, EventMouseUp, EventMouseOut})
        EXPECT_TRUE(has(events, e, 2)) << e;
    // The button went up at the region's centre, in the window's units.
    EXPECT_NEAR(upX, 40, 2);
    EXPECT_NEAR(upY, 20, 2);
    w.setProperty(2, Prop::Bevel, -1);
    EXPECT_EQ(w.property(2, Prop::Bevel).number(), -1);
}

TEST(WindowServicesTest, CheckBoxesAndImagesAcceptAClick) {
    std::uint8_t flag = 0;
    Window w(
        withDone("Check", {control(ControlKind::Check, "Remember").at(10, 10, 80, 12).bind(flag),
                           control(ControlKind::Image).at(10, 30, 20, 20).iconName("safe.ico")}));
    Robot robot;
    robot.waitForWindow("Check").clickControl(2).clickControl(3).press(kDone).start();
    auto events = runUntilDone(w);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(flag, 1);
    EXPECT_TRUE(has(events, EventAccepted, 2));
    EXPECT_TRUE(has(events, EventAccepted, 3));
}

TEST(WindowServicesTest, ChoosingATabIsANewSelectionOfItsSheet) {
    Window w(withDone(
        "Sheet", {control(ControlKind::Sheet).at(4, 4, 140, 90),
                  control(ControlKind::Tab, "One").in(2), control(ControlKind::Tab, "Two").in(2)}));
    Robot robot;
    robot.waitForWindow("Sheet").chooseTab(4).press(kDone).start();
    auto events = runUntilDone(w);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(has(events, EventNewSelection, 2));
    EXPECT_EQ(w.property(2, Prop::Selected).number(), 2);
}

TEST(WindowServicesTest, DraggingThePageLoadedThumbReportsItsPosition) {
    Window w(withDone("Thumb", {control(ControlKind::List)
                                    .at(4, 4, 140, 90)
                                    .listFormat("100L~Name~@s20@")
                                    .with(FlagVScroll | FlagPageLoaded)}));
    Robot robot;
    robot.waitForWindow("Thumb").dragThumb(2, 70).press(kDone).start();
    int position = -1;
    while (WindowEvent e = w.accept()) {
        if (e.event == EventScrollDrag)
            position = static_cast<int>(w.property(2, Prop::ScrollPos).number());
        if (e.event == EventAccepted && e.control == kDone) w.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(position, 70);
}

TEST(WindowServicesTest, NotificationsAndPostsArriveFromOtherThreads) {
    Window w(withDone("Notify", {}));
    std::atomic<int> otherThread{0};
    std::vector<std::tuple<int, int, int>> notes;
    bool posted = false;
    while (WindowEvent e = w.accept()) {
        if (e.event == EventOpenWindow) {
            Window::notify(threadNumber(), 7, 42);
            startThread([&] {
                otherThread = threadNumber();
                Window::notify(1, 8, 43);
                Window::postToThread(1, EventAccepted, 99);
            });
        }
        int code, thread, parameter;
        if (e.event == EventNotify && w.takeNotification(code, thread, parameter))
            notes.emplace_back(code, thread, parameter);
        if (e.event == EventAccepted && e.control == 99) {
            posted = true;
            w.close();
        }
    }
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0], std::make_tuple(7, 1, 42));
    EXPECT_EQ(notes[1], std::make_tuple(8, otherThread.load(), 43));
    EXPECT_TRUE(posted);
    EXPECT_FALSE(Window::notify(12345, 1, 1));
}

TEST(WindowServicesTest, BoxesAndCharactersAreDrawnBeneathTheControlsUntilBlanked) {
    Window w(withDone("Draw", {}));
    w.open();
    const int yellow = 65535;
    w.drawBox(10, 10, 40, 20, yellow, 0);
    w.drawText(60, 10, "\xC2\xBB", 8421504);
    EXPECT_EQ(w.TEST_pixel(30, 20), yellow);
    EXPECT_NE(w.TEST_pixel(120, 60), yellow);
    // Blanking an area that does not hold the whole box leaves it.
    w.blank(0, 0, 20, 20);
    EXPECT_EQ(w.TEST_pixel(30, 20), yellow);
    w.blank(0, 0, 100, 40);
    EXPECT_NE(w.TEST_pixel(30, 20), yellow);
    w.close();
}

TEST(WindowServicesTest, MultiLineTextReadOnlyAndMaskedEntries) {
    std::string notes;
    String<10> fixed("locked"), secret;
    Window w(withDone(
        "Texts", {control(ControlKind::Text).at(10, 10, 120, 40).bind(notes),
                  control(ControlKind::Entry).at(10, 60, 60, 12).bind(fixed).with(FlagReadOnly),
                  control(ControlKind::Entry).at(10, 76, 60, 12).bind(secret).with(FlagMasked)}));
    Robot robot;
    robot.waitForWindow("Texts")
        .type(2, "first line")
        .key(EnterKey)
        .type(3, "changed")
        .type(4, "hidden")
        .press(kDone)
        .start();
    auto events = runUntilDone(w);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    // Enter in a multi-line text is a new line, not the default button.
    EXPECT_EQ(notes, "first line\n");
    EXPECT_TRUE(has(events, EventAccepted, 2));
    EXPECT_EQ(fixed.clipped(), "locked");
    EXPECT_EQ(w.property(3, Prop::ReadOnly).number(), 1);
    EXPECT_EQ(secret.clipped(), "hidden");
}

TEST(WindowServicesTest, ResizingAnOpenWindowIsASizedEvent) {
    WindowDeclaration d = withDone("Sized", {});
    d.resizable = true;
    Window w(d);
    Robot robot;
    robot.waitForWindow("Sized")
        .run("resize", [](Window& w) { w.resize(260, 160); })
        .press(kDone)
        .start();
    auto events = runUntilDone(w);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(has(events, EventSized, 0));
    EXPECT_EQ(w.width(), 260);
}

TEST(WindowServicesTest, TheBusyCursorNestsAndAnExtraRestoreIsHarmless) {
    showBusyCursor(true);
    showBusyCursor(true);
    showBusyCursor(false);
    EXPECT_TRUE(busyCursorShown());
    showBusyCursor(false);
    EXPECT_FALSE(busyCursorShown());
    showBusyCursor(false);
    EXPECT_FALSE(busyCursorShown());
}
