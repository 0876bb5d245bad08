// The input side of Window::Impl: mouse, keys and focus of the window's
// widgets become key codes, events and alerts.
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cstdlib>

#include "runtime/controls/KeyCodes.h"
#include "runtime/controls/RegionControl.h"
#include "runtime/gui/WindowImpl.h"

namespace rt {

namespace {

char32_t typedCharacter(const QKeyEvent* ke) {
    if (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
    QList<uint> code = ke->text().toUcs4();
    if (code.size() != 1 || !QChar::isPrint(code[0])) return 0;
    return static_cast<char32_t>(code[0]);
}

}  // namespace

bool Window::Impl::eventFilter(QObject* watched, QEvent* event) {
    if (replaying_ || closed_) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
            return takeMouse(watched, event);
        case QEvent::KeyPress:
            return takeKey(watched, event);
        case QEvent::Wheel:
            return takeWheel(watched, event);
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            return takeFocus(watched, event);
        case QEvent::ContextMenu:
            // A control that alerts the right button shows the program's own
            // menu, never the toolkit's as well.
            return isAlerted(MouseRight, ownerOf(watched)) ||
                   isAlerted(MouseRightUp, ownerOf(watched));
        default:
            return false;
    }
}

bool Window::Impl::isAlerted(int key, int control) const {
    if (windowAlerts_.count(key)) return true;
    Control* c = controlAt(control);
    return c && c->alerts().count(key);
}

bool Window::Impl::takeMouse(QObject* watched, QEvent* event) {
    auto* me = static_cast<QMouseEvent*>(event);
    Seen seen{event->type(), me->globalPosition(), me->timestamp()};
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || seen == lastInput_) return false;
    lastInput_ = seen;
    mouse_ = client_->mapFromGlobal(widget->mapToGlobal(me->position().toPoint()));
    int control = ownerOf(watched);
    if (Control* c = controlAt(control)) c->noteMouse(watched, me->position());
    trackPress(event->type(), me->button());
    if (event->type() == QEvent::MouseMove) return false;
    bool release = event->type() == QEvent::MouseButtonRelease;
    // A left release keeps the click's code in force for the events it makes.
    if (release && me->button() == Qt::LeftButton) return false;
    int key = mouseKeyCode(me->button(), me->modifiers(),
                           event->type() == QEvent::MouseButtonDblClick, release);
    if (key == 0) return false;
    keyCode_ = key;
    keyChar_ = 0;
    if (!isAlerted(key, control)) return false;
    holdForPreAlert(watched, event, control);
    return true;
}

bool Window::Impl::takeKey(QObject* watched, QEvent* event) {
    auto* ke = static_cast<QKeyEvent*>(event);
    Seen seen{event->type(), QPointF(ke->key(), static_cast<double>(ke->modifiers())),
              ke->timestamp()};
    int key = keyCodeFromQt(ke->key(), ke->modifiers());
    char32_t typed = typedCharacter(ke);
    // A key without a code of its own still counts when it types something.
    if ((key == 0 && typed == 0) || seen == lastInput_) return false;
    lastInput_ = seen;
    int control = ownerOf(watched);
    keyCode_ = key;
    keyChar_ = typed;
    if (isAlerted(key, control)) {
        holdForPreAlert(watched, event, control);
        return true;
    }
    Control* c = controlAt(control);
    if (c && c->takeKey(key)) return true;
    if ((key & 0xFF) != EnterKey || (c && c->kind() == ControlKind::Text)) return false;
    if (c && c->kind() == ControlKind::Button) {
        postFromUser(EventAccepted, control);
        return true;
    }
    int made = c ? c->commitEdit() : 0;
    if (made) postFromUser(made, control);
    // Text that does not read keeps the user in the entry.
    if (made != EventRejected) pressDefault();
    return true;
}

// A wheel turn over a control that reports its own scrolling is one row up
// or down per notch.
bool Window::Impl::takeWheel(QObject* watched, QEvent* event) {
    auto* we = static_cast<QWheelEvent*>(event);
    Control* c = controlAt(ownerOf(watched));
    int notches = we->angleDelta().y() / 120;
    if (!c || notches == 0) return false;
    bool taken = false;
    for (int i = 0; i < std::abs(notches); ++i) taken = c->takeKey(notches > 0 ? UpKey : DownKey);
    return taken;
}

bool Window::Impl::takeFocus(QObject* watched, QEvent* event) {
    auto* fe = static_cast<QFocusEvent*>(event);
    Control* c = controlAt(ownerOf(watched));
    if (!c || watched != c->focusTarget()) return false;
    if (event->type() == QEvent::FocusIn) {
        if (opened_) postFromUser(EventSelected, c->number());
        return false;
    }
    // Focus that leaves for another window or a menu comes back; the entry
    // has not been left.
    bool away = fe->reason() == Qt::ActiveWindowFocusReason || fe->reason() == Qt::PopupFocusReason;
    if (int made = away ? 0 : c->commitEdit()) postFromUser(made, c->number());
    return false;
}

void Window::Impl::trackPress(QEvent::Type type, Qt::MouseButton button) {
    if (type == QEvent::MouseButtonPress && button == Qt::LeftButton) {
        pressOpen_ = true;
        releasePending_ = false;
        capture_ = 0;
    } else if (type == QEvent::MouseMove && capture_) {
        bool inside = insideControl(capture_);
        if (inside != captureInside_) {
            postFromUser(inside ? EventMouseIn : EventMouseOut, capture_);
        } else if (auto* region = dynamic_cast<RegionControl*>(controlAt(capture_));
                   inside && region && region->immediate()) {
            postFromUser(EventMouseMove, capture_);
        }
        captureInside_ = inside;
    } else if (type == QEvent::MouseButtonRelease && button == Qt::LeftButton && pressOpen_) {
        pressOpen_ = false;
        if (capture_ && controlAt(capture_)) {
            postFromUser(EventMouseUp, capture_);
        } else {
            releasePending_ = true;
        }
        capture_ = 0;
    }
}

bool Window::Impl::insideControl(int control) const {
    Control* c = controlAt(control);
    if (!c || !c->widget()) return false;
    QRect area(c->widget()->mapTo(client_, QPoint(0, 0)), c->widget()->size());
    return area.contains(mouse_);
}

void Window::Impl::regionShown(int control) {
    if (!(pressOpen_ || releasePending_) || !insideControl(control)) return;
    if (releasePending_) {
        releasePending_ = false;
        postFromUser(EventMouseUp, control);
        return;
    }
    capture_ = control;
    captureInside_ = true;
}

void Window::Impl::forgetStaleRelease() {
    if (queue_.empty()) releasePending_ = false;
}

void Window::Impl::holdForPreAlert(QObject* target, QEvent* event, int control) {
    heldInput_.reset(event->clone());
    heldTarget_ = target;
    postFromUser(EventPreAlertKey, control);
}

}  // namespace rt
