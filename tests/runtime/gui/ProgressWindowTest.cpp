// The progress window of long operations: shown only after its delay, with
// the operation's text, painted while the operation runs, gone when it ends;
// nested operations share one window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <thread>

#include "runtime/gui/ProgressWindow.h"
#include "runtime/host/Progress.h"

using namespace rt;

namespace {

// The progress window on screen, if any.
QWidget* shownProgress() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == ProgressWindow::Caption) return w;
    return nullptr;
}

class ProgressWindowTest : public ::testing::Test {
  protected:
    void TearDown() override { ProgressWindow::TEST_setDelay(500); }
};

}  // namespace

TEST_F(ProgressWindowTest, AQuickOperationShowsNothing) {
    int before = ProgressWindow::TEST_timesShown();
    {
        ProgressScope scope("Quick");
        for (int i = 0; i < 100; ++i) scope.step();
        EXPECT_EQ(shownProgress(), nullptr);
    }
    EXPECT_EQ(ProgressWindow::TEST_timesShown(), before);
}

TEST_F(ProgressWindowTest, ALongOperationShowsItsTextUntilItEnds) {
    ProgressWindow::TEST_setDelay(20);
    int before = ProgressWindow::TEST_timesShown();
    {
        ProgressScope scope("Building an index");
        scope.step();
        EXPECT_EQ(shownProgress(), nullptr) << "not before the delay";
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        scope.step();
        QWidget* shown = shownProgress();
        ASSERT_NE(shown, nullptr);
        EXPECT_FALSE(shown->accessibleName().isEmpty());
        {
            ProgressScope inner("Inner");
            inner.step();
        }
        EXPECT_EQ(shownProgress(), shown) << "a nested operation keeps the window";
    }
    EXPECT_EQ(shownProgress(), nullptr);
    EXPECT_EQ(ProgressWindow::TEST_timesShown(), before + 1);
    EXPECT_EQ(ProgressWindow::TEST_lastText(), "Building an index");
}

TEST_F(ProgressWindowTest, AThreadWithoutAReporterReportsToNobody) {
    ProgressWindow::TEST_setDelay(0);
    int before = ProgressWindow::TEST_timesShown();
    std::thread other([] {
        ProgressScope scope("Elsewhere");
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        scope.step();
    });
    other.join();
    EXPECT_EQ(ProgressWindow::TEST_timesShown(), before);
}
