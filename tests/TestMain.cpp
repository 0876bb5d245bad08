// Every test executable runs with one GUI application object on Qt's
// offscreen platform unless QT_QPA_PLATFORM names another, so no display is
// ever needed. A process a test started for a task of its own
// (ChildProcess.h) runs that task instead. No test hears the desktop's
// buses.
#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/gui/Application.h"
#include "tests/support/ChildProcess.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The desktop's buses are not the tests': a screen locked while they run
    // must not lock the program under test. A test that wants a bus starts
    // its own.
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/lockora-test-session-bus", 1);
    setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/lockora-test-system-bus", 1);
    // A process started as another station runs its task, not the tests.
    if (int code = 0; testsupport::runChildTaskIfAsked(&code)) return code;
    testing::InitGoogleTest(&argc, argv);
    rt::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
