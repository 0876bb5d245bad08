#pragma once
// The progress window of long operations (rt::ProgressScope): shown only
// once an operation has run for half a second, with what it does and a busy
// bar, and kept painted while it runs; input to the program's windows waits
// until it ends. The application installs one for its GUI thread. Owns the
// window while it is shown. GUI thread only.

#include <chrono>
#include <memory>
#include <string>

#include "runtime/host/Progress.h"

namespace rt {

class ProgressWindow : public ProgressReporter {
  public:
    ProgressWindow();
    ~ProgressWindow() override;
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void begin(const std::string& text) override;
    void step() override;
    void end() override;

    // True while a shown window is being painted inside an operation: the
    // program's own code must wait (modeless windows hold their events).
    static bool painting();

    // The caption of the window.
    static constexpr const char* Caption = "Please wait";

    // Milliseconds an operation runs before the window shows (500 unless a
    // test changes it); answers the previous value.
    static int TEST_setDelay(int milliseconds);
    // How many times a window was shown since the program started.
    static int TEST_timesShown();
    // The text of the window shown last.
    static std::string TEST_lastText();

  private:
    using Clock = std::chrono::steady_clock;
    void show();

    struct Dialog;
    std::unique_ptr<Dialog> dialog_;
    std::string text_;
    Clock::time_point started_;
    Clock::time_point painted_;
    int depth_ = 0;  // nested operations share one window
};

}  // namespace rt
