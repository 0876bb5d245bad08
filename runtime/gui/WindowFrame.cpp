#include "runtime/gui/WindowFrame.h"

#include <QCloseEvent>

namespace rt {

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
