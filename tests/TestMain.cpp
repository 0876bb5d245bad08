// Every test executable runs with one GUI application object on Qt's
// offscreen platform unless QT_QPA_PLATFORM names another, so no display is
// ever needed. A process a test started for a task of its own
// (ChildProcess.h) runs that task instead.
#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/gui/Application.h"
#include "tests/support/ChildProcess.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // A process started as another station runs its task, not the tests.
    if (int code = 0; testsupport::runChildTaskIfAsked(&code)) return code;
    testing::InitGoogleTest(&argc, argv);
    rt::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
