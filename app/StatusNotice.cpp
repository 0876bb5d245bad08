#include "app/StatusNotice.h"

#include "runtime/gui/SecretClipboard.h"
#include "runtime/gui/Window.h"

namespace {
constexpr int kZone = 1;
}

StatusNotice::~StatusNotice() {
    Kill();
}

void StatusNotice::Init(rt::Window& window) {
    window_ = &window;
    rt::onSecretCountdown([this](int left) { show(left); });
    show(rt::secretSecondsLeft());
}

void StatusNotice::Kill() {
    if (!window_) return;
    rt::onSecretCountdown(nullptr);
    window_ = nullptr;
}

void StatusNotice::SetStanding(const std::string& text) {
    standing_ = text;
    if (window_) show(rt::secretSecondsLeft());
}

void StatusNotice::show(int secondsLeft) {
    if (!window_) return;
    if (secondsLeft > 0)
        window_->setStatusText(kZone,
                               "Password copied; clears in " + std::to_string(secondsLeft) + " s");
    else
        window_->setStatusText(kZone, standing_);
}
