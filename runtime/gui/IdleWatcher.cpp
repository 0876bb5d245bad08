#include "runtime/gui/IdleWatcher.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <cassert>

#include "runtime/gui/ScreenLockListener.h"
#include "runtime/text/Date.h"

namespace rt {

namespace {

// Seconds by the runtime clock, across midnight.
std::int64_t clockSeconds() {
    return std::int64_t{today()} * 86400 + (clockNow() - 1) / 100;
}

bool isInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
            return true;
        default:
            return false;
    }
}

}  // namespace

class IdleWatcher::Impl : public QObject {
  public:
    explicit Impl(std::function<bool()> handler) : handler_(std::move(handler)) {
        qApp->installEventFilter(this);
        // A loop waits for events: this one wakes it often enough to see the
        // limit pass (the clock may be a test's, moved on in a jump).
        wake_.setInterval(1000);
        wake_.start();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (isInput(event->type())) lastInput_ = clockSeconds();
        return QObject::eventFilter(watched, event);
    }

    bool quietMoment() {
        ++looks_;
        if (running_) return false;
        std::int64_t now = clockSeconds();
        // A clock set back (summer time ended, a test's) counts from now.
        if (now < lastInput_) lastInput_ = now;
        if (limit_ > 0 && now - lastInput_ >= limit_) owed_ = true;
        if (!owed_) return false;
        running_ = true;
        bool done = handler_();
        running_ = false;
        if (!done) return false;
        owed_ = false;
        lastInput_ = clockSeconds();
        return true;
    }

    std::function<bool()> handler_;
    QTimer wake_;
    std::unique_ptr<ScreenLockListener> screen_;
    std::int64_t limit_ = 0;
    std::int64_t lastInput_ = clockSeconds();
    bool owed_ = false;
    bool running_ = false;
    std::int64_t looks_ = 0;
};

namespace {

IdleWatcher* gWatcher = nullptr;

}  // namespace

IdleWatcher::IdleWatcher(std::function<bool()> handler)
    : impl_(std::make_unique<Impl>(std::move(handler))) {
    assert(!gWatcher);
    gWatcher = this;
}

IdleWatcher::~IdleWatcher() {
    gWatcher = nullptr;
}

void IdleWatcher::setIdleLimit(std::int64_t seconds) {
    impl_->limit_ = seconds;
}

void IdleWatcher::followScreenLock() {
    if (impl_->screen_) return;
    Impl* impl = impl_.get();
    // A lock that comes while the handler runs is the one it is dealing with.
    impl_->screen_ = std::make_unique<ScreenLockListener>([impl] {
        if (!impl->running_) impl->owed_ = true;
    });
}

bool IdleWatcher::atQuietMoment() {
    return gWatcher && gWatcher->impl_->quietMoment();
}

std::int64_t IdleWatcher::TEST_looks() {
    return gWatcher ? gWatcher->impl_->looks_ : 0;
}

}  // namespace rt
