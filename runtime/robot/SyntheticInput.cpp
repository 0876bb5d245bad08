#include "runtime/robot/SyntheticInput.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>

namespace rt {

namespace {

// Each made-up event gets its own time so that the windows' filters never
// take two of them for one event seen twice.
quint64 nextTimestamp() {
    static quint64 t = 1000;
    return ++t;
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held, Qt::KeyboardModifiers modifiers) {
    QMouseEvent e(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, modifiers);
    e.setTimestamp(nextTimestamp());
    QApplication::sendEvent(target, &e);
}

}  // namespace

void sendClick(QWidget* target, QPoint at, Qt::MouseButton button,
               Qt::KeyboardModifiers modifiers) {
    QPointer<QWidget> guard(target);
    sendMouse(target, QEvent::MouseButtonPress, at, button, button, modifiers);
    // As on the desktop, a right press also asks for the context menu.
    if (guard && button == Qt::RightButton) {
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, target->mapToGlobal(at), modifiers);
        QApplication::sendEvent(target, &menu);
    }
    // The press may have closed the widget's window or destroyed the widget.
    if (guard) sendMouse(target, QEvent::MouseButtonRelease, at, button, Qt::NoButton, modifiers);
}

void sendDoubleClick(QWidget* target, QPoint at) {
    QPointer<QWidget> guard(target);
    sendClick(target, at, Qt::LeftButton, Qt::NoModifier);
    if (guard)
        sendMouse(target, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton, {});
    if (guard) sendMouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, {});
}

void sendPress(QWidget* target, QPoint at, Qt::KeyboardModifiers modifiers) {
    sendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton, modifiers);
}

void sendDrag(QWidget* target, QPoint at) {
    sendMouse(target, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, {});
}

void sendRelease(QWidget* target, QPoint at, Qt::KeyboardModifiers modifiers) {
    sendMouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton, modifiers);
}

void sendHover(QWidget* target, QPoint at) {
    QPointer<QWidget> guard(target);
    QEnterEvent enter{QPointF(at), QPointF(at), QPointF(target->mapToGlobal(at))};
    QApplication::sendEvent(target, &enter);
    if (guard) sendMouse(target, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton, {});
}

void sendLeave(QWidget* target) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(target, &leave);
}

void sendWheel(QWidget* target, QPoint at, int notches) {
    QWheelEvent e(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, notches * 120),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    e.setTimestamp(nextTimestamp());
    QApplication::sendEvent(target, &e);
}

void sendKey(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers, const QString& text) {
    QPointer<QWidget> guard(target);
    QKeyEvent press(QEvent::KeyPress, qtKey, modifiers, text);
    press.setTimestamp(nextTimestamp());
    QApplication::sendEvent(target, &press);
    if (!guard) return;
    QKeyEvent release(QEvent::KeyRelease, qtKey, modifiers, text);
    release.setTimestamp(nextTimestamp());
    QApplication::sendEvent(target, &release);
}

void sendText(QWidget* target, const QString& text) {
    for (QChar c : text) {
        int key = c.isLetter() ? Qt::Key_A + (c.toUpper().unicode() - 'A') : c.unicode();
        if (c.isLetter() && (c.toUpper().unicode() < 'A' || c.toUpper().unicode() > 'Z'))
            key = Qt::Key_unknown;
        Qt::KeyboardModifiers m = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
        sendKey(target, key, m, QString(c));
    }
}

}  // namespace rt
