#include "runtime/gui/HiddenWindows.h"

#include <QApplication>
#include <QRect>
#include <algorithm>
#include <vector>

#include "runtime/gui/WindowImpl.h"
#include "runtime/gui/WindowRegistry.h"

namespace rt {

struct HiddenWindows::Away {
    struct Entry {
        Window* window;
        bool shown;
        QRect geometry;
    };
    std::vector<Entry> windows;  // oldest first
    Window* active = nullptr;
};

HiddenWindows::HiddenWindows() : away_(std::make_unique<Away>()) {
    QWidget* active = QApplication::activeWindow();
    for (Window* w : WindowRegistry::all()) {
        Window::Impl& impl = *w->impl_;
        QWidget* frame = impl.frame_.get();
        if (frame == active) away_->active = w;
        away_->windows.push_back({w, frame->isVisible(), frame->geometry()});
        impl.away_ = true;
        frame->hide();
    }
}

HiddenWindows::~HiddenWindows() {
    restore();
}

// Oldest first, so that each comes back above the one it was above.
void HiddenWindows::restore() {
    std::vector<Window*> open = WindowRegistry::all();
    auto stillOpen = [&](Window* w) {
        return std::find(open.begin(), open.end(), w) != open.end();
    };
    for (const Away::Entry& entry : away_->windows) {
        if (!stillOpen(entry.window)) continue;
        Window::Impl& impl = *entry.window->impl_;
        impl.away_ = false;
        if (!entry.shown) continue;
        impl.frame_->show();
        impl.frame_->setGeometry(entry.geometry);
    }
    Window* active = away_->active;
    if (active && stillOpen(active)) {
        QWidget* frame = active->impl_->frame_.get();
        frame->activateWindow();
        QApplication::setActiveWindow(frame);
    }
    away_->windows.clear();
}

// Newest first, as the loops would have ended one inside the other.
void HiddenWindows::closeAll() {
    std::vector<Window*> open = WindowRegistry::all();
    for (auto it = away_->windows.rbegin(); it != away_->windows.rend(); ++it)
        if (std::find(open.begin(), open.end(), it->window) != open.end()) it->window->close();
    away_->windows.clear();
}

}  // namespace rt
