#pragma once
// Mouse and keyboard input made up for a widget, delivered through the same
// path as a person's input (event filters included). Used by the robot.
// GUI thread only.

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

namespace rt {

void sendClick(QWidget* target, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
void sendDoubleClick(QWidget* target, QPoint at);
// The left button's press, a move while it is held, and its release, each on
// its own, for dragging.
void sendPress(QWidget* target, QPoint at, Qt::KeyboardModifiers modifiers);
void sendDrag(QWidget* target, QPoint at);
void sendRelease(QWidget* target, QPoint at, Qt::KeyboardModifiers modifiers);
// The mouse comes into target and moves to at; or leaves it.
void sendHover(QWidget* target, QPoint at);
void sendLeave(QWidget* target);
// Turns the wheel by notches (positive: away from the user, up).
void sendWheel(QWidget* target, QPoint at, int notches);
void sendKey(QWidget* target, int qtKey, Qt::KeyboardModifiers modifiers, const QString& text = {});
void sendText(QWidget* target, const QString& text);

}  // namespace rt
