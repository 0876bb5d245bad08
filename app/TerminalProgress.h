#pragma once
// Shows long operations of a run without windows (lockora --check) as one
// line on standard output: on a terminal the line is redrawn with the share
// done as it grows; elsewhere (a log, a pipe) it is written once, with its
// end. Installed for the calling thread while it lives; one thread.

#include <cstdio>
#include <string>

#include "runtime/host/Progress.h"

class TerminalProgress : public rt::ProgressReporter {
  public:
    explicit TerminalProgress(std::FILE* out = stdout);
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void begin(const std::string& text) override;
    void step() override {}
    void advance(double fraction) override;
    void end() override;

  private:
    void draw(int percent);

    std::FILE* out_;
    bool redraw_;
    rt::ProgressReporter* previous_;
    std::string text_;
    int shown_ = -1;  // the percentage on the line; -1 before any
};
