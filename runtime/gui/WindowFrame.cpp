#include "runtime/gui/WindowFrame.h"

#include <QAccessibleWidget>
#include <QCloseEvent>

namespace rt {

namespace {

// A screen reader says "window" for a frame; a plain top-level widget would
// read as an unnamed filler.
QAccessibleInterface* frameAccessible(const QString& className, QObject* object) {
    (void)className;
    auto* frame = dynamic_cast<WindowFrame*>(object);
    return frame ? new QAccessibleWidget(frame, QAccessible::Window) : nullptr;
}

}  // namespace

WindowFrame::WindowFrame(Notices notices) : notices_(std::move(notices)) {
    static const bool installed = (QAccessible::installFactory(&frameAccessible), true);
    (void)installed;
}

void WindowFrame::closeEvent(QCloseEvent* event) {
    // The program decides whether the window really closes: the request
    // becomes an event, and the loop's default action closes it.
    if (notices_.closeRequested()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void WindowFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    notices_.resized();
}

void WindowFrame::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) notices_.activation(isActiveWindow());
}

}  // namespace rt
