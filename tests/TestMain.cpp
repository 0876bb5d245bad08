// Every test executable runs with one GUI application object on Qt's
// offscreen platform unless QT_QPA_PLATFORM names another, so no display is
// ever needed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/gui/Application.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    rt::Application app(argc, argv);
    return RUN_ALL_TESTS();
}
