#include "runtime/controls/ShapeControl.h"

#include <QFrame>

namespace rt {

QWidget* ShapeControl::createWidget(QWidget* parent) {
    auto* frame = new QFrame(parent);
    if (kind() == ControlKind::Box) {
        frame->setFrameShape(QFrame::Box);
    } else {
        frame->setFrameShape(decl_.width >= decl_.height ? QFrame::HLine : QFrame::VLine);
    }
    frame->setFrameShadow(QFrame::Sunken);
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

}  // namespace rt
