#pragma once
// Runs the program on a data file with a master password and entries, on a
// test clock that the test moves on instead of waiting, and looks at the
// program's windows as the screen shows them: on it or off it, where, and
// which one is active.

#include <QApplication>
#include <QRect>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "app/UpdatePassword.h"
#include "runtime/gui/IdleWatcher.h"
#include "runtime/text/Date.h"
#include "tests/app/ListFixture.h"
#include "tests/support/TempDir.h"

class IdleLockFixture : public ListFixture {
  protected:
    void SetUp() override {
        ListFixture::SetUp();
        rt::TEST_setClock(kStartDay, kStartTime);
    }
    void TearDown() override {
        rt::TEST_resetClock();
        ListFixture::TearDown();
    }

    // The test clock, `seconds` after the start (past midnight included).
    static void clockAt(std::int64_t seconds) {
        std::int64_t total = kStartTime / 100 + seconds;
        rt::TEST_setClock(kStartDay + static_cast<rt::DateSerial>(total / 86400),
                          static_cast<rt::TimeValue>(total % 86400 * 100 + 1));
    }

    // Robot steps: the clock moves to `seconds` after the start, and the idle
    // watcher has looked at it at least once since.
    static rt::Robot& clockMovesTo(rt::Robot& robot, std::int64_t seconds) {
        auto looks = std::make_shared<std::int64_t>();
        return robot
            .run("the clock moves on",
                 [=](rt::Window&) {
                     clockAt(seconds);
                     *looks = rt::IdleWatcher::TEST_looks();
                 })
            .check("the idle watcher has seen the clock",
                   [=](rt::Window&) { return rt::IdleWatcher::TEST_looks() > *looks + 1; });
    }

    // Robot steps: no lock a second before `seconds` after the start, the
    // login at `seconds`.
    static rt::Robot& locksAt(rt::Robot& robot, std::int64_t seconds) {
        return clockMovesTo(robot, seconds - 1)
            .check("no lock a second before",
                   [](rt::Window& w) { return w.caption() == program::kMainCaption; })
            .run("the time is up", [=](rt::Window&) { clockAt(seconds); })
            .waitForWindow(program::kLoginCaption);
    }

    // Robot steps: the master password typed into the lock's login.
    static rt::Robot& unlock(rt::Robot& robot) {
        return robot.waitForWindow(program::kLoginCaption)
            .type(program::LoginEntry, program::kMaster)
            .press(program::LoginButton);
    }

    void writeOptions(const std::string& lines) {
        testsupport::writeFile(dir.file("Lockora.INI"), "[Options]\n" + lines);
    }

    static rt::Window* windowCaptioned(const std::string& caption) {
        for (rt::Window* w : rt::Window::openWindows())
            if (w->caption().rfind(caption, 0) == 0) return w;
        return nullptr;
    }
    static QWidget* frame(rt::Window* w) { return static_cast<QWidget*>(w->TEST_widget()); }
    static bool onScreen(rt::Window* w) { return w && frame(w)->isVisible(); }
    static bool active(rt::Window* w) { return w && QApplication::activeWindow() == frame(w); }
    static bool loginShown() { return onScreen(windowCaptioned(program::kLoginCaption)); }

    // 09:00 on a day well inside the calendar, so that an hour's jump stays
    // on the same day and a day's jump is plain.
    static constexpr rt::TimeValue kStartTime = 9 * 3600 * 100 + 1;
    static inline const rt::DateSerial kStartDay = rt::dateFromParts(3, 10, 2027);
};
