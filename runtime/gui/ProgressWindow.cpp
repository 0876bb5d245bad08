#include "runtime/gui/ProgressWindow.h"

#include <QApplication>
#include <QProgressDialog>

namespace rt {

namespace {

int delayMs = 500;
int timesShown = 0;
bool inPaint = false;
std::string lastText;

// How often a shown window gets its events while the operation runs.
constexpr auto kRepaintEvery = std::chrono::milliseconds(50);

}  // namespace

struct ProgressWindow::Dialog {
    QProgressDialog window;
};

ProgressWindow::ProgressWindow() = default;
ProgressWindow::~ProgressWindow() = default;

bool ProgressWindow::painting() {
    return inPaint;
}

int ProgressWindow::TEST_setDelay(int milliseconds) {
    int previous = delayMs;
    delayMs = milliseconds;
    return previous;
}

int ProgressWindow::TEST_timesShown() {
    return timesShown;
}

std::string ProgressWindow::TEST_lastText() {
    return lastText;
}

void ProgressWindow::begin(const std::string& text) {
    if (depth_++ > 0) return;
    text_ = text;
    started_ = Clock::now();
}

void ProgressWindow::step() {
    if (depth_ == 0) return;
    Clock::time_point now = Clock::now();
    if (!dialog_) {
        if (now - started_ < std::chrono::milliseconds(delayMs)) return;
        show();
    } else if (now - painted_ < kRepaintEvery) {
        return;
    }
    painted_ = now;
    // Paint and window-system events only: the user's input waits, and the
    // operation (a database call) must not be re-entered by the program.
    inPaint = true;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    inPaint = false;
}

void ProgressWindow::show() {
    dialog_ = std::make_unique<Dialog>();
    QProgressDialog& w = dialog_->window;
    w.setWindowTitle(QString::fromUtf8(Caption));
    w.setLabelText(QString::fromStdString(text_));
    w.setAccessibleName(QString::fromStdString(text_));
    w.setCancelButton(nullptr);
    w.setRange(0, 0);  // a busy bar: the operation cannot say how far it is
    w.setMinimumDuration(0);
    w.setWindowModality(Qt::ApplicationModal);
    w.show();
    ++timesShown;
    lastText = text_;
}

void ProgressWindow::end() {
    if (depth_ == 0 || --depth_ > 0) return;
    dialog_.reset();
}

}  // namespace rt
