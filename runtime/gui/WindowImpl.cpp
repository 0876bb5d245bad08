#include "runtime/gui/WindowImpl.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <cassert>

#include "runtime/controls/ControlFactory.h"
#include "runtime/controls/IconLibrary.h"
#include "runtime/controls/SheetControl.h"
#include "runtime/controls/StringControl.h"
#include "runtime/gui/IdleWatcher.h"
#include "runtime/gui/ProgressWindow.h"
#include "runtime/gui/WindowRegistry.h"
#include "runtime/host/Thread.h"

namespace rt {

Window::Impl::Impl(Window& self, const WindowDeclaration& declaration)
    : self_(self),
      decl_(declaration),
      units_(DialogUnits::forFont(declaration.fontFamily, declaration.fontSize)),
      thread_(threadNumber()) {
    buildFrame();
    for (int place = 1; place <= static_cast<int>(decl_.controls.size()); ++place)
        addControl(controlNumberAt(decl_, place), decl_.controls[static_cast<size_t>(place - 1)]);
    linkPrompts();
    refreshTabVisibility();
    timer_.callOnTimeout([this] {
        bool pending = std::any_of(queue_.begin(), queue_.end(),
                                   [](const WindowEvent& e) { return e.event == EventTimer; });
        if (!pending) queue_.push_back({EventTimer, 0, keyCode_});
    });
    if (decl_.timer > 0) timer_.setInterval(decl_.timer * 10);
    // Nothing tells a modeless window that its queue filled, so it looks
    // often enough for a person not to notice.
    drain_.setInterval(20);
    drain_.callOnTimeout([this] { deliver(); });
}

Window::Impl::~Impl() {
    // Destroying a focused widget moves the focus and sends events to the
    // filter while controls_ is half cleared: from here on it takes none.
    closed_ = true;
    WindowRegistry::remove(&self_);
    controls_.clear();
}

void Window::Impl::buildFrame() {
    frame_ = std::make_unique<WindowFrame>(
        WindowFrame::Notices{[this] {
                                 if (closed_) return true;
                                 queue_.push_back({EventCloseWindow, 0, keyCode_});
                                 return false;
                             },
                             [this] {
                                 if (opened_) post({EventSized, 0, keyCode_});
                             },
                             [this](bool gained) {
                                 if (opened_ && current_.event != EventNone)
                                     post({gained ? EventGainFocus : EventLoseFocus, 0, keyCode_});
                             }});
    frame_->setWindowTitle(QString::fromStdString(decl_.caption));
    frame_->setFont(QFont(QString::fromStdString(decl_.fontFamily), decl_.fontSize));
    if (!decl_.icon.empty()) frame_->setWindowIcon(iconByName(decl_.icon));
    auto* layout = new QVBoxLayout(frame_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    client_ = new ClientArea(frame_.get(),
                             QSize(units_.toPixelsX(decl_.width), units_.toPixelsY(decl_.height)));
    layout->addWidget(client_, 1);
    if (!decl_.statusZones.empty()) {
        auto* bar = new QStatusBar(frame_.get());
        bar->setSizeGripEnabled(decl_.resizable);
        for (int w : decl_.statusZones) {
            auto* zone = new QLabel(bar);
            if (w > 0) zone->setMinimumWidth(units_.toPixelsX(w));
            bar->addWidget(zone, w < 0 ? 1 : 0);
            zones_.push_back(zone);
        }
        layout->addWidget(bar);
    }
    // The declared size, whatever the screen: adjustSize() would cap it.
    frame_->resize(frame_->sizeHint());
    if (!decl_.resizable) frame_->setFixedSize(frame_->sizeHint());
    watch(frame_.get());
}

int Window::Impl::addControl(int number, const ControlDeclaration& d) {
    auto control = makeControl(number, d, *this);
    Control* c = control.get();
    controls_[number] = std::move(control);
    c->build(client_);
    c->widget()->raise();
    watch(c->widget());
    for (QWidget* child : c->widget()->findChildren<QWidget*>()) watch(child);
    return number;
}

// A prompt labels the control declared after it.
void Window::Impl::linkPrompts() {
    for (int place = 1; place < static_cast<int>(decl_.controls.size()); ++place) {
        Control* c = controlAt(controlNumberAt(decl_, place));
        auto* prompt = dynamic_cast<StringControl*>(c);
        Control* next = controlAt(controlNumberAt(decl_, place + 1));
        if (prompt && c->kind() == ControlKind::Prompt && next && next->takesFocus()) {
            prompt->setBuddy(next->focusTarget());
            next->setPromptText(prompt->text());
        }
    }
}

void Window::Impl::watch(QWidget* widget) {
    widget->installEventFilter(this);
}

Control* Window::Impl::controlAt(int number) const {
    auto it = controls_.find(number);
    return it == controls_.end() ? nullptr : it->second.get();
}

void Window::Impl::postFromUser(int event, int control) {
    if (event == EventRejected) tellRefusal(control);
    queue_.push_back({event, control, keyCode_, keyChar_});
}

// The user hears what the picture expects, not only the beep.
void Window::Impl::tellRefusal(int control) {
    Control* c = controlAt(control);
    if (!c) return;
    refusalMessage_ = c->refusalMessage();
    tell(*c, refusalMessage_);
}

void Window::Impl::tell(Control& c, const std::string& message) {
    if (!zones_.empty()) {
        setStatus(1, message);
    } else if (!message.empty()) {
        QWidget* w = c.widget();
        QToolTip::showText(w->mapToGlobal(QPoint(0, w->height())), QString::fromStdString(message),
                           w);
    }
}

void Window::Impl::open() {
    if (opened_) return;
    // Invariant: every control has a number of its own, so code and tests
    // that address a control by the name its header gives reach that one.
    assert(clashingControl(decl_) == 0);
    opened_ = true;
    // A window opened while others are open belongs to the newest of them
    // and blocks input to all of them until it closes.
    // A modeless window floats over its owner and blocks nothing.
    if (Window* owner = newestModal()) {
        // Owned for stacking only: each window keeps its own widgets, so
        // either may be destroyed first.
        auto* ownerFrame = static_cast<QWidget*>(owner->TEST_widget());
        if (decl_.modeless) frame_->setWindowFlag(Qt::Tool);
        frame_->winId();
        if (frame_->windowHandle() && ownerFrame->windowHandle())
            frame_->windowHandle()->setTransientParent(ownerFrame->windowHandle());
        if (!decl_.modeless) frame_->setWindowModality(Qt::ApplicationModal);
    }
    WindowRegistry::add(&self_);
    queue_.push_front({EventOpenWindow, 0, keyCode_});
    frame_->show();
    frame_->activateWindow();
    if (decl_.timer > 0) timer_.start();
    if (handler_) drain_.start();
}

// Modeless windows own no one: a window opened beside them belongs to the
// window they float over. Nor do windows away while the program is locked.
Window* Window::Impl::newestModal() {
    std::vector<Window*> open = WindowRegistry::all();
    for (auto it = open.rbegin(); it != open.rend(); ++it)
        if (!(*it)->impl_->decl_.modeless && !(*it)->impl_->away_) return *it;
    return nullptr;
}

void Window::Impl::deliver() {
    // A handler that runs a loop of its own (a menu, a message box) must not
    // see the next event before it has finished with this one; nor may the
    // program run while a long operation only lets its progress be painted.
    if (delivering_ || ProgressWindow::painting()) return;
    delivering_ = true;
    while (!queue_.empty() && !closed_) {
        handler_(takeNext());
        finishCurrent();
    }
    delivering_ = false;
}

void Window::Impl::closeNow() {
    if (closed_) return;
    // Invariant: life cycle declared -> opened -> closed, never back; only an
    // opened window is ever closed.
    assert(opened_);
    closed_ = true;
    timer_.stop();
    drain_.stop();
    queue_.clear();
    WindowRegistry::remove(&self_);
    frame_->hide();
    // The window underneath takes over the keyboard again (one away for a
    // lock comes back active when the lock ends).
    if (Window* below = WindowRegistry::newest(); below && !below->impl_->away_) {
        auto* frame = static_cast<QWidget*>(below->TEST_widget());
        frame->activateWindow();
        QApplication::setActiveWindow(frame);
    }
}

WindowEvent Window::Impl::accept() {
    if (!opened_) open();
    finishCurrent();
    redisplayChanged();
    while (!closed_ && !WindowRegistry::abandoned()) {
        if (!queue_.empty()) return takeNext();
        if (acceptAll_ && stepAcceptAll()) continue;
        forgetStaleRelease();
        // The program waits for its user here: the moment a lock may come.
        if (IdleWatcher::atQuietMoment()) continue;
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    closeNow();
    current_ = {};
    return current_;
}

WindowEvent Window::Impl::poll() {
    if (!opened_) open();
    finishCurrent();
    redisplayChanged();
    forgetStaleRelease();
    QApplication::processEvents();
    if (acceptAll_ && queue_.empty()) stepAcceptAll();
    if (WindowRegistry::abandoned()) closeNow();
    if (closed_ || queue_.empty()) {
        current_ = {};
        return current_;
    }
    return takeNext();
}

WindowEvent Window::Impl::takeNext() {
    // Invariant: a closed window hands out no events.
    assert(!closed_ && !queue_.empty());
    current_ = queue_.front();
    queue_.pop_front();
    keyCode_ = current_.key;
    keyChar_ = current_.character;
    cycled_ = false;
    return current_;
}

// The default action of the event the program just had, unless it cycled.
void Window::Impl::finishCurrent() {
    WindowEvent done = current_;
    bool handled = cycled_;
    cycled_ = true;
    if (done.event == EventPreAlertKey) {
        if (!handled && heldInput_ && heldTarget_) {
            replaying_ = true;
            QApplication::sendEvent(heldTarget_, heldInput_.get());
            replaying_ = false;
        }
        heldInput_.reset();
        queue_.push_front({EventAlertKey, done.control, done.key, done.character});
        return;
    }
    if (handled) return;
    if (done.event == EventCloseWindow || done.event == EventCloseDown) closeNow();
}

void Window::Impl::redisplayChanged() {
    for (auto& [number, c] : controls_)
        if (c->variableChanged()) c->display();
}

void Window::Impl::select(int control) {
    acceptAll_ = false;
    Control* c = controlAt(control);
    if (!c) return;
    // A control on a tab behind others brings its tab to the front first.
    for (Control* p = controlAt(c->declaration().parent); p;
         p = controlAt(p->declaration().parent)) {
        if (p->kind() != ControlKind::Tab) continue;
        if (auto* sheet = dynamic_cast<SheetControl*>(controlAt(p->declaration().parent)))
            sheet->setCurrentTab(p->number());
    }
    if (c->focusTarget()) c->focusTarget()->setFocus(Qt::OtherFocusReason);
}

int Window::Impl::focus() const {
    QWidget* f = QApplication::focusWidget();
    if (!f) f = frame_->focusWidget();
    return f ? ownerOf(f) : 0;
}

void Window::Impl::display(int control) {
    if (control != 0) {
        if (Control* c = controlAt(control)) c->display();
        return;
    }
    for (auto& [number, c] : controls_) c->display();
}

void Window::Impl::update(int control) {
    if (control != 0) {
        if (Control* c = controlAt(control)) c->update();
        return;
    }
    for (auto& [number, c] : controls_) c->update();
}

void Window::Impl::acceptAll() {
    acceptAll_ = true;
    requiredMessage_.clear();
    controlsToVisit_.clear();
    for (auto& [number, c] : controls_) controlsToVisit_.push_back(number);
    nextToVisit_ = 0;
}

// Hands over the next control of the pass as EventAccepted, or ends the
// pass; answers false when a required blank entry stopped it.
bool Window::Impl::stepAcceptAll() {
    while (nextToVisit_ < controlsToVisit_.size()) {
        Control* c = controlAt(controlsToVisit_[nextToVisit_++]);
        if (!c || !c->takesInput() || c->hiddenFlag() || !c->isEnabled()) continue;
        if (!c->update()) {
            acceptAll_ = false;
            select(c->number());
            postFromUser(EventRejected, c->number());
            return true;
        }
        if (stopAtBlankRequired(*c)) return false;
        queue_.push_back({EventAccepted, c->number(), keyCode_});
        return true;
    }
    acceptAll_ = false;
    queue_.push_back({EventCompleted, 0, keyCode_});
    return true;
}

bool Window::Impl::stopAtBlankRequired(Control& c) {
    if (!(c.declaration().flags & FlagRequired) || !c.isBlank()) return false;
    select(c.number());
    acceptAll_ = false;
    requiredMessage_ = c.declaration().message;
    tell(c, requiredMessage_);
    return true;
}

void Window::Impl::pressDefault() {
    for (auto& [number, c] : controls_) {
        if (c->kind() == ControlKind::Button && (c->declaration().flags & FlagDefault) &&
            c->isVisible() && c->isEnabled()) {
            queue_.push_back({EventAccepted, number, keyCode_});
            return;
        }
    }
}

bool Window::Impl::tabShown(const Control& c) const {
    const Control* parent = controlAt(c.declaration().parent);
    if (!parent) return true;
    if (parent->hiddenFlag() || !tabShown(*parent)) return false;
    if (parent->kind() != ControlKind::Tab) return true;
    auto* sheet = dynamic_cast<const SheetControl*>(controlAt(parent->declaration().parent));
    return !sheet || sheet->currentTab() == parent->number();
}

void Window::Impl::tabChanged(int) {
    refreshTabVisibility();
}

void Window::Impl::refreshTabVisibility() {
    for (auto& [number, c] : controls_) c->setTabShown(tabShown(*c));
}

void Window::Impl::setStatus(int zone, const std::string& text) {
    if (zone >= 1 && zone <= static_cast<int>(zones_.size()))
        zones_[static_cast<size_t>(zone - 1)]->setText(QString::fromStdString(text));
}

std::string Window::Impl::status(int zone) const {
    if (zone < 1 || zone > static_cast<int>(zones_.size())) return {};
    return zones_[static_cast<size_t>(zone - 1)]->text().toStdString();
}

int Window::Impl::ownerOf(QObject* object) const {
    for (QObject* o = object; o && o != frame_.get(); o = o->parent()) {
        for (auto& [number, c] : controls_)
            if (c->widget() == o) return number;
    }
    return 0;
}

}  // namespace rt
