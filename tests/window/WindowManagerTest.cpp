// The window manager's life cycle, event dispatch, components and buttons,
// driven through real windows by the robot.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "runtime/host/Assert.h"
#include "runtime/expr/Bindings.h"
#include "runtime/controls/Events.h"
#include "runtime/text/FixedText.h"
#include "runtime/robot/Robot.h"
#include "runtime/host/Thread.h"
#include "runtime/gui/Window.h"
#include "window/ToolbarClass.h"
#include "window/WindowManager.h"

namespace {

// Logs every call the manager makes; answers what the test sets.
class FakeComponent : public WindowComponent {
  public:
    FakeComponent(std::string name, std::vector<std::string>& log)
        : name_(std::move(name)), log_(log) {}
    void Kill() override { log_.push_back(name_ + " Kill"); }
    void Reset(bool force) override { log_.push_back(name_ + " Reset " + std::to_string(force)); }
    bool ResetRequired() override {
        bool answer = resetRequired;
        resetRequired = false;
        return answer;
    }
    void SetAlerts() override { log_.push_back(name_ + " SetAlerts"); }
    ErrorLevel TakeEvent() override {
        ++events;
        return answer;
    }
    void Update() override { log_.push_back(name_ + " Update"); }
    void UpdateWindow() override { log_.push_back(name_ + " UpdateWindow"); }

    bool resetRequired = false;
    ErrorLevel answer = LevelBenign;
    int events = 0;

  private:
    std::string name_;
    std::vector<std::string>& log_;
};

// A small window procedure: an entry, OK, Done (ends with completed), Quit
// (a handler answers LevelFatal) and Inner (calls a nested procedure).
class ProbeWindow : public WindowManager {
  public:
    explicit ProbeWindow(std::string caption, bool resizable = false) {
        declaration.caption = std::move(caption);
        declaration.resizable = resizable;
        declaration.controls = {
            rt::control(rt::ControlKind::Entry).at(10, 10, 80, 12).bind(text),
            rt::control(rt::ControlKind::Button, "OK").at(10, 30, 40, 14),
            rt::control(rt::ControlKind::Button, "Done").at(55, 30, 40, 14),
            rt::control(rt::ControlKind::Button, "Quit").at(100, 30, 40, 14),
            rt::control(rt::ControlKind::Button, "Inner").at(145, 30, 40, 14),
        };
    }

    ErrorLevel Init() override {
        Request = GlobalRequest;
        if (ErrorLevel level = WindowManager::Init()) return level;
        FirstField = 1;
        for (WindowComponent* c : components) AddItem(*c);
        AddItem(3, ResponseCompleted);
        window = std::make_unique<rt::Window>(declaration);
        Open(*window);
        SetAlerts();
        return LevelBenign;
    }
    ErrorLevel TakeAccepted() override {
        ErrorLevel result = WindowManager::TakeAccepted();
        if (currentControl() == 4) return LevelFatal;
        if (currentControl() == 5 && inner) {
            GlobalRequest = RequestView;
            inner->Run();
            innerResponse = GlobalResponse;
        }
        return result;
    }
    ErrorLevel TakeEvent() override {
        events.push_back(currentEvent());
        return WindowManager::TakeEvent();
    }
    ErrorLevel Kill() override {
        ErrorLevel level = WindowManager::Kill();
        GlobalResponse = Response;
        return level;
    }
    ErrorLevel TakeNotify(int code, int thread, int parameter) override {
        notified.push_back({code, thread, parameter});
        return code == 99 ? LevelFatal : LevelBenign;
    }

    rt::WindowDeclaration declaration;
    rt::String<20> text;
    std::unique_ptr<rt::Window> window;
    std::vector<WindowComponent*> components;
    std::vector<int> events;
    ProbeWindow* inner = nullptr;
    std::uint8_t innerResponse = 0;
    std::vector<std::vector<int>> notified;
    int focusAtOpen = 0;
};

class WindowManagerTest : public testing::Test {
  protected:
    void SetUp() override {
        GlobalRequest = GlobalResponse = 0;
        old_ = rt::setAssertHandler(
            [this](const std::string& m, const std::string&, int) { asserts.push_back(m); });
    }
    void TearDown() override { rt::setAssertHandler(old_); }

    bool saw(const std::vector<int>& events, int event) {
        return std::find(events.begin(), events.end(), event) != events.end();
    }

    std::vector<std::string> asserts;
    std::vector<std::string> log;

  private:
    rt::AssertHandler old_;
};

}  // namespace

TEST_F(WindowManagerTest, RunOpensResetsAndAButtonWithAnActionEndsWithThatResponse) {
    FakeComponent first("first", log), second("second", log);
    ProbeWindow probe("Probe");
    probe.components = {&first, &second};
    std::size_t depth = rt::Bindings::current().depth();
    int focus = 0;
    rt::Robot robot;
    robot.waitForWindow("Probe")
        .run("note the focus", [&](rt::Window& w) { focus = w.focus(); })
        .press(3)
        .start();
    EXPECT_EQ(probe.Run(), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(focus, 1);
    EXPECT_TRUE(probe.Dead);
    EXPECT_EQ(rt::Bindings::current().depth(), depth);
    // Open resets every component, then lets each update its window; Kill
    // goes from the first component on. (Focus coming in resets again.)
    std::vector<std::string> opening{"first SetAlerts",    "second SetAlerts",
                                     "first Reset 0",      "second Reset 0",
                                     "first UpdateWindow", "second UpdateWindow"};
    ASSERT_GE(log.size(), 8u);
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 6), opening);
    EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()),
              (std::vector<std::string>{"first Kill", "second Kill"}));
    EXPECT_GT(second.events, 0);
    EXPECT_EQ(probe.Kill(), LevelNotify);
    EXPECT_TRUE(asserts.empty());
}

TEST_F(WindowManagerTest, AHandledEventStopsAtThatComponentAndAResetFollowsOnlyWhenAsked) {
    FakeComponent first("first", log), second("second", log);
    ProbeWindow probe("Components");
    probe.components = {&first, &second};
    rt::Robot robot;
    int secondBefore = 0;
    robot.waitForWindow("Components")
        .run("let the first component take events",
             [&](rt::Window&) {
                 first.answer = LevelNotify;
                 secondBefore = second.events;
             })
        .key(rt::TabKey, 1)
        .run("count and ask for a reset",
             [&](rt::Window&) {
                 EXPECT_GT(first.events, 0);
                 EXPECT_EQ(second.events, secondBefore);
                 first.answer = LevelBenign;
                 second.resetRequired = true;
                 log.clear();
             })
        .key(rt::TabKey, 2)
        .check("a reset ran", [&](rt::Window&) { return !log.empty(); })
        .press(3)
        .start();
    probe.Run();
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    ASSERT_GE(log.size(), 4u);
    EXPECT_EQ(log[0], "first Reset 0");
    EXPECT_EQ(log[1], "second Reset 0");
    EXPECT_EQ(log[2], "first UpdateWindow");
}

TEST_F(WindowManagerTest, AHandlerAnsweringFatalEndsTheLoopAndNoResponseMeansCancelled) {
    ProbeWindow probe("Fatal");
    rt::Robot robot;
    robot.waitForWindow("Fatal").press(4).start();
    EXPECT_EQ(probe.Run(), ResponseCancelled);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_FALSE(probe.window->isOpen());
    EXPECT_EQ(probe.Response, 0);
}

TEST_F(WindowManagerTest, AWindowCalledFromInsideAnotherRunsNestedAndHandsBackItsResponse) {
    ProbeWindow outer("Outer"), inner("Inner");
    outer.inner = &inner;
    rt::Robot robot;
    robot.waitForWindow("Outer")
        .press(5)
        .waitForWindow("Inner")
        .check("the outer window waits underneath",
               [](rt::Window&) { return rt::Window::openWindows().size() == 2; })
        .type(1, "nested")
        .press(3)
        .waitForWindow("Outer")
        .check("the outer window is usable again", [](rt::Window& w) { return w.focus() != 0; })
        .press(3)
        .start();
    EXPECT_EQ(outer.Run(), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(inner.OriginalRequest, RequestView);
    EXPECT_EQ(outer.innerResponse, ResponseCompleted);
    EXPECT_EQ(inner.text.clipped(), "nested");
    // The outer window saw focus come back after the inner one closed.
    EXPECT_TRUE(saw(outer.events, rt::EventGainFocus));
}

TEST_F(WindowManagerTest, ResizingPostsTheResizeCueAndResetsAfterTheFirstSize) {
    FakeComponent part("part", log);
    ProbeWindow probe("Sizes", true);
    probe.components = {&part};
    rt::Robot robot;
    robot.waitForWindow("Sizes")
        .run("resize",
             [&](rt::Window& w) {
                 log.clear();
                 w.resize(300, 200);
             })
        .check("the cue arrived",
               [&](rt::Window&) { return saw(probe.events, rt::EventResizeCue); })
        .run("resize again", [](rt::Window& w) { w.resize(250, 150); })
        .check("a reset followed",
               [&](rt::Window&) { return std::count(log.begin(), log.end(), "part Reset 0") >= 1; })
        .press(3)
        .start();
    probe.Run();
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(probe.Inited & 2);
}

TEST_F(WindowManagerTest, CancelControlsAreDisabledOnlyWhenTheSettingAsksForIt) {
    ProbeWindow probe("Cancel");
    rt::Robot robot;
    bool disabledWithoutSetting = true, disabled = false, enabledAgain = false;
    robot.waitForWindow("Cancel")
        .run("disable without the setting",
             [&](rt::Window& w) {
                 probe.AddItem(2, ResponseCancelled);
                 probe.DisableCancelControls();
                 disabledWithoutSetting = w.property(2, rt::Prop::Disable).number() == 1;
                 probe.DisableCancelButton = true;
                 probe.DisableCancelControls();
                 disabled = w.property(2, rt::Prop::Disable).number() == 1;
                 // Done answers completed, not cancelled: it stays usable.
                 EXPECT_EQ(w.property(3, rt::Prop::Disable).number(), 0);
             })
        .type(1, "accepted input enables them again")
        .key(rt::TabKey, 1)
        .run("read",
             [&](rt::Window& w) { enabledAgain = w.property(2, rt::Prop::Disable).number() == 0; })
        .press(3)
        .start();
    probe.Run();
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_FALSE(disabledWithoutSetting);
    EXPECT_TRUE(disabled);
    EXPECT_TRUE(enabledAgain);
}

TEST_F(WindowManagerTest, MisuseAssertsAndKillWithoutInitIsANoOp) {
    WindowManager manager;
    FakeComponent part("part", log);
    manager.AddItem(part);
    manager.AddItem(3, ResponseCancelled);
    EXPECT_EQ(asserts.size(), 2u);
    EXPECT_EQ(manager.PrimeUpdate(), LevelFatal);
    EXPECT_EQ(asserts.size(), 3u);
    EXPECT_EQ(manager.Kill(), LevelNotify);
    EXPECT_EQ(manager.Run(1, RequestInsert), ResponseCancelled);
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowManagerTest, TheToolbarSeesAcceptedEventsAndACancelResponseClearsNavigation) {
    ProbeWindow probe("Toolbar");
    ToolbarClass toolbar;
    std::int32_t navigation = VcrForward;
    rt::Robot robot;
    robot.waitForWindow("Toolbar")
        .run("add a toolbar",
             [&](rt::Window&) {
                 probe.VCRRequest = &navigation;
                 probe.AddItem(toolbar);
                 probe.AddItem(2, ResponseCancelled);
             })
        .press(2)
        .start();
    EXPECT_EQ(probe.Run(), ResponseCancelled);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(navigation, VcrNone);
    EXPECT_FALSE(toolbar.List);  // killed with the window
}

TEST_F(WindowManagerTest, RegainingFocusResetsWithoutLosingWhatIsBeingTyped) {
    FakeComponent part("part", log);
    ProbeWindow probe("Typing");
    probe.components = {&part};
    probe.ResetOnGainFocus = true;
    rt::Robot robot;
    robot.waitForWindow("Typing")
        .type(1, "half typed")
        .run("switch away and back",
             [&](rt::Window& w) {
                 log.clear();
                 w.post(rt::EventLoseFocus);
                 w.post(rt::EventGainFocus);
             })
        .check("a forced reset ran",
               [&](rt::Window&) {
                   return std::find(log.begin(), log.end(), "part Reset 1") != log.end();
               })
        .check("the text is still there", [](rt::Window& w) { return w.text(1) == "half typed"; })
        .press(3)
        .start();
    probe.Run();
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(probe.text.clipped(), "half typed");
}

TEST_F(WindowManagerTest, ANewTabOnASheetResetsAndRetargetsTheToolbar) {
    class Client : public ToolbarClient {
      public:
        void DisplayButtons() override {}
        void Activate() override {}
        bool CanActivate() override { return true; }
        void TakeEvent(std::int32_t&, WindowManager&) override {}
    } client;
    FakeComponent part("part", log);
    ProbeWindow probe("Sheet");
    probe.components = {&part};
    probe.declaration.controls.push_back(rt::control(rt::ControlKind::Sheet).at(10, 50, 150, 60));
    probe.declaration.controls.push_back(rt::control(rt::ControlKind::Tab, "One").in(6));
    probe.declaration.controls.push_back(rt::control(rt::ControlKind::Tab, "Two").in(6));
    ToolbarClass toolbar;
    rt::Robot robot;
    robot.waitForWindow("Sheet")
        .run("add a toolbar client",
             [&](rt::Window&) {
                 probe.AddItem(toolbar);
                 toolbar.AddTarget(client, 9);
                 log.clear();
             })
        .key(rt::TabKey + rt::KeyCtrl, 6)
        .check("the user changed the tab",
               [](rt::Window& w) { return w.property(6, rt::Prop::Selected).number() == 2; })
        .check("the toolbar follows", [&](rt::Window&) { return toolbar.CurrentId() == 9; })
        .press(3)
        .start();
    probe.Run();
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), "part Reset 0");
}

TEST_F(WindowManagerTest, NotificationsReachTakeNotifyWhichCanEndTheLoop) {
    ProbeWindow probe("Notified");
    rt::Robot robot;
    robot.waitForWindow("Notified")
        .run("notify twice",
             [](rt::Window&) {
                 rt::Window::notify(rt::threadNumber(), 7, 70);
                 rt::Window::notify(rt::threadNumber(), 99, 0);
             })
        .start();
    EXPECT_EQ(probe.Run(), ResponseCancelled);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    std::vector<std::vector<int>> expected{{7, rt::threadNumber(), 70},
                                           {99, rt::threadNumber(), 0}};
    EXPECT_EQ(probe.notified, expected);
}

TEST_F(WindowManagerTest, ABrowseAddedToAWindowCalledToSelectIsToldSo) {
    struct FakeBrowse : FakeComponent {
        using FakeComponent::FakeComponent;
        bool Selecting = false;
    };
    for (std::uint8_t request : {RequestSelect, RequestChange}) {
        FakeBrowse browse("browse", log);
        WindowManager manager;
        manager.Request = request;
        manager.Init();
        manager.AddItem(browse);
        EXPECT_EQ(browse.Selecting, request == RequestSelect);
        ASSERT_EQ(manager.CL->size(), 1u);
        manager.RemoveItem(browse);
        EXPECT_TRUE(manager.CL->empty());
        manager.Kill();
    }
    // Removed before Kill: never killed.
    EXPECT_TRUE(log.empty());
}
