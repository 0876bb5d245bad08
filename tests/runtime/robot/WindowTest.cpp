// A person's view of declared windows: what they type and press arrives in the
// bound variables and as the events the pulled accept() loop hands over.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "runtime/text/FixedText.h"
#include "runtime/robot/Robot.h"
#include "runtime/gui/Window.h"

using namespace rt;

namespace {

using Program = std::function<void(Window&, const WindowEvent&)>;

// Runs the window's loop to its end, handing every event to program.
std::vector<WindowEvent> runLoop(Window& w, const Program& program = {}) {
    std::vector<WindowEvent> seen;
    while (WindowEvent e = w.accept()) {
        seen.push_back(e);
        if (program) program(w, e);
    }
    return seen;
}

bool has(const std::vector<WindowEvent>& events, int event, int control, int key = -1) {
    return std::any_of(events.begin(), events.end(), [&](const WindowEvent& e) {
        return e.event == event && e.control == control && (key < 0 || e.key == key);
    });
}

size_t indexOf(const std::vector<WindowEvent>& events, int event, int control) {
    auto it = std::find_if(events.begin(), events.end(), [&](const WindowEvent& e) {
        return e.event == event && e.control == control;
    });
    return static_cast<size_t>(it - events.begin());
}

struct Person {
    String<20> name;
    std::int32_t age = 0;
};

enum { kName = 1, kAge = 2, kOk = 3, kCancel = 4 };

WindowDeclaration personForm(Person& p) {
    WindowDeclaration d;
    d.caption = "Person";
    d.width = 160;
    d.height = 70;
    d.controls = {
        control(ControlKind::Entry).at(40, 8, 100, 12).bind(p.name, "@s20"),
        control(ControlKind::Entry).at(40, 24, 30, 12).bind(p.age, "@n3"),
        control(ControlKind::Button, "&OK").at(40, 48, 45, 14).with(FlagDefault),
        control(ControlKind::Button, "&Cancel").at(95, 48, 45, 14),
    };
    return d;
}

// Closes on OK or Cancel, as a window procedure would.
void closeOnButtons(Window& w, const WindowEvent& e) {
    if (e.event == EventAccepted && (e.control == kOk || e.control == kCancel)) w.close();
}

}  // namespace

TEST(WindowTest, OpenWindowComesFirstAndControlsAreNumberedInOrder) {
    Person p;
    p.name = "Grace";
    p.age = 85;
    Window w(personForm(p));
    Robot robot;
    robot.waitForWindow("Person").press(kCancel).start();
    auto events = runLoop(w, closeOnButtons);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().event, EventOpenWindow);
    EXPECT_EQ(w.controls(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(w.text(kName), "Grace");
    EXPECT_EQ(w.text(kAge), " 85");  // @n3 right-aligns in three
    EXPECT_EQ(w.text(kOk), "&OK");
    EXPECT_EQ(w.property(kAge, Prop::Type).number(), static_cast<int>(ControlKind::Entry));
}

TEST(WindowTest, TypedTextReachesBoundVariablesWhenTheEntryIsLeft) {
    Person p;
    Window w(personForm(p));
    Robot robot;
    robot.waitForWindow("Person").type(kName, "Ada").type(kAge, "36").press(kOk).start();
    auto events = runLoop(w, closeOnButtons);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(p.name.clipped(), "Ada");
    EXPECT_EQ(p.age, 36);
    EXPECT_TRUE(has(events, EventSelected, kName));
    EXPECT_TRUE(has(events, EventAccepted, kName));
    EXPECT_TRUE(has(events, EventAccepted, kAge));
    // Leaving the age entry for the button comes before the button itself.
    EXPECT_LT(indexOf(events, EventAccepted, kAge), indexOf(events, EventAccepted, kOk));
}

TEST(WindowTest, EnterInAnEntryAcceptsItAndPressesTheDefaultButton) {
    Person p;
    Window w(personForm(p));
    Robot robot;
    robot.waitForWindow("Person").type(kName, "Linus").key(EnterKey).start();
    auto events = runLoop(w, closeOnButtons);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(p.name.clipped(), "Linus");
    EXPECT_TRUE(has(events, EventAccepted, kName, EnterKey));
    EXPECT_TRUE(has(events, EventAccepted, kOk, EnterKey));
}

TEST(WindowTest, VariablesChangedByTheProgramAreShownAtTheNextAccept) {
    Person p;
    Window w(personForm(p));
    Robot robot;
    robot.waitForWindow("Person")
        .check("the name shows what the program stored",
               [](Window& w) { return w.text(kName) == "Set"; })
        .press(kCancel)
        .start();
    runLoop(w, [&](Window& w, const WindowEvent& e) {
        if (e.event == EventOpenWindow) p.name = "Set";
        closeOnButtons(w, e);
    });
    EXPECT_TRUE(robot.runNow()) << robot.failure();
}

TEST(WindowTest, ClosingIsAnEventTheProgramMayRefuse) {
    Person p;
    Window w(personForm(p));
    Robot robot;
    robot.waitForWindow("Person").closeWindow().closeWindow().start();
    int closeRequests = 0;
    auto events = runLoop(w, [&](Window& w, const WindowEvent& e) {
        // The first request is refused: the window stays open.
        if (e.event == EventCloseWindow && ++closeRequests == 1) w.cycle();
    });
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(closeRequests, 2);
    EXPECT_FALSE(w.isOpen());
    EXPECT_EQ(w.accept().event, EventNone);
}

TEST(WindowTest, AcceptAllStopsAtABlankRequiredEntryAndCompletesOnceFilled) {
    Person p;
    WindowDeclaration d = personForm(p);
    d.controls[kName - 1].requiredMessage("You cannot have a blank name!");
    Window w(d);
    Robot robot;
    robot.waitForWindow("Person")
        .type(kAge, "7")
        .press(kOk)
        .check("the pass stopped on the name",
               [](Window& w) { return w.focus() == kName && !w.inAcceptAll(); })
        .type(kName, "Zed")
        .press(kOk)
        .start();
    int completed = 0;
    std::vector<int> acceptedInPass;
    auto events = runLoop(w, [&](Window& w, const WindowEvent& e) {
        if (e.event == EventAccepted && w.inAcceptAll()) acceptedInPass.push_back(e.control);
        if (e.event == EventAccepted && e.control == kOk) w.acceptAll();
        if (e.event == EventCompleted) {
            ++completed;
            w.close();
        }
    });
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(completed, 1);
    EXPECT_EQ(w.requiredMessage(), "");
    EXPECT_EQ(p.name.clipped(), "Zed");
    EXPECT_EQ(p.age, 7);
    // The second pass visited both entries before completing.
    EXPECT_EQ(acceptedInPass, (std::vector<int>{kName, kAge}));
}

TEST(WindowTest, AcceptAllKeepsTheRequiredMessageWhenItStops) {
    Person p;
    WindowDeclaration d = personForm(p);
    d.controls[kName - 1].requiredMessage("Name, please");
    Window w(d);
    Robot robot;
    std::string message;
    robot.waitForWindow("Person")
        .press(kOk)
        .check("the pass stopped",
               [&](Window& w) {
                   message = w.requiredMessage();
                   return !message.empty();
               })
        .press(kCancel)
        .start();
    bool completed = false;
    runLoop(w, [&](Window& w, const WindowEvent& e) {
        if (e.event == EventAccepted && e.control == kOk) w.acceptAll();
        if (e.event == EventCompleted) completed = true;
        if (e.event == EventAccepted && e.control == kCancel) w.close();
    });
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(message, "Name, please");
    EXPECT_FALSE(completed);
}

TEST(WindowTest, TextThePictureCannotReadIsRejectedAndStoresNothing) {
    Person p;
    p.age = 12;
    Window w(personForm(p));
    Robot robot;
    robot.waitForWindow("Person").type(kAge, "abc").press(kCancel).start();
    auto events = runLoop(w, closeOnButtons);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(has(events, EventRejected, kAge));
    EXPECT_FALSE(has(events, EventAccepted, kAge));
    EXPECT_EQ(p.age, 12);
}

TEST(WindowTest, AcceptAllRejectsUnreadableTextAndDoesNotComplete) {
    Person p;
    Window w(personForm(p));
    Robot robot;
    robot.waitForWindow("Person")
        .run("put unreadable text in the age", [](Window& w) { w.setText(kAge, "x9"); })
        .press(kOk)
        .check("the pass ended on the age", [](Window& w) { return !w.inAcceptAll(); })
        .press(kCancel)
        .start();
    bool completed = false;
    auto events = runLoop(w, [&](Window& w, const WindowEvent& e) {
        if (e.event == EventAccepted && e.control == kOk) w.acceptAll();
        if (e.event == EventCompleted) completed = true;
        if (e.event == EventAccepted && e.control == kCancel) w.close();
    });
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(has(events, EventRejected, kAge));
    EXPECT_FALSE(completed);
}

TEST(WindowTest, ControlsMayCarryNumbersOfTheirOwnAndCreatedOnesAvoidThem) {
    WindowDeclaration d;
    d.caption = "Numbered";
    d.controls = {
        control(ControlKind::String, "first").at(4, 4, 60, 10),
        control(ControlKind::Button, "Hundred").numbered(100).at(4, 20, 50, 14),
        control(ControlKind::Button, "Third").at(60, 20, 50, 14),
    };
    Window w(d);
    EXPECT_EQ(w.controls(), (std::vector<int>{1, 3, 100}));
    EXPECT_EQ(w.text(100), "Hundred");
    EXPECT_EQ(w.text(3), "Third");
    EXPECT_EQ(w.create(control(ControlKind::String, "made")), 101);
    EXPECT_EQ(w.create(control(ControlKind::String, "made too")), 102);
}

TEST(WindowTest, TheProgramMayMakeAnyButtonTheOneEnterPresses) {
    Person p;
    Window w(personForm(p));
    w.setProperty(kOk, Prop::Default, Value(0));
    w.setProperty(kCancel, Prop::Default, Value(1));
    EXPECT_EQ(w.property(kOk, Prop::Default).number(), 0);
    Robot robot;
    robot.waitForWindow("Person").type(kName, "Ken").key(EnterKey).start();
    auto events = runLoop(w, closeOnButtons);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(has(events, EventAccepted, kCancel, EnterKey));
    EXPECT_FALSE(has(events, EventAccepted, kOk));
}
