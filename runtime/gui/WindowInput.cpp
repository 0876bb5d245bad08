// The input side of Window::Impl: mouse, keys and focus of the window's
// widgets become key codes, events and alerts.
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cstdlib>

#include "runtime/controls/KeyCodes.h"
#include "runtime/gui/WindowImpl.h"

namespace rt {

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
    if (event->type() == QEvent::MouseMove) return false;
    bool release = event->type() == QEvent::MouseButtonRelease;
    // A left release keeps the click's code in force for the events it makes.
    if (release && me->button() == Qt::LeftButton) return false;
    int key = mouseKeyCode(me->button(), me->modifiers(),
                           event->type() == QEvent::MouseButtonDblClick, release);
    if (key == 0) return false;
    keyCode_ = key;
    if (!isAlerted(key, control)) return false;
    holdForPreAlert(watched, event, control);
    return true;
}

bool Window::Impl::takeKey(QObject* watched, QEvent* event) {
    auto* ke = static_cast<QKeyEvent*>(event);
    Seen seen{event->type(), QPointF(ke->key(), static_cast<double>(ke->modifiers())),
              ke->timestamp()};
    int key = keyCodeFromQt(ke->key(), ke->modifiers());
    if (key == 0 || seen == lastInput_) return false;
    lastInput_ = seen;
    int control = ownerOf(watched);
    keyCode_ = key;
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

void Window::Impl::holdForPreAlert(QObject* target, QEvent* event, int control) {
    heldInput_.reset(event->clone());
    heldTarget_ = target;
    postFromUser(EventPreAlertKey, control);
}

}  // namespace rt
