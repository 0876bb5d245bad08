#include "app/TerminalProgress.h"

#include <unistd.h>

TerminalProgress::TerminalProgress(std::FILE* out)
    : out_(out), redraw_(isatty(fileno(out)) != 0), previous_(rt::setProgressReporter(this)) {}

TerminalProgress::~TerminalProgress() {
    rt::setProgressReporter(previous_);
}

void TerminalProgress::begin(const std::string& text) {
    text_ = text;
    shown_ = -1;
    draw(0);
}

void TerminalProgress::advance(double fraction) {
    int percent = static_cast<int>(fraction * 100);
    if (percent > shown_) draw(percent);
}

void TerminalProgress::end() {
    if (shown_ < 100) draw(100);
    std::fputc('\n', out_);
    std::fflush(out_);
}

// Off a terminal only the line's start and its end are written, so a log
// holds one readable line.
void TerminalProgress::draw(int percent) {
    if (redraw_)
        std::fprintf(out_, "\r%s %3d%%", text_.c_str(), percent);
    else if (shown_ < 0)
        std::fputs(text_.c_str(), out_);
    else if (percent == 100)
        std::fputs(" 100%", out_);
    shown_ = percent;
    std::fflush(out_);
}
