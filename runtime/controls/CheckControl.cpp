#include "runtime/controls/CheckControl.h"

#include <QCheckBox>

#include "runtime/controls/Events.h"

namespace rt {

QWidget* CheckControl::createWidget(QWidget* parent) {
    box_ = new QCheckBox(QString::fromStdString(decl_.text), parent);
    QObject::connect(box_, &QCheckBox::clicked, box_, [this] {
        update();
        post(EventAccepted);
    });
    return box_;
}

void CheckControl::display() {
    if (decl_.use.isNull()) return;
    box_->setChecked(decl_.use.get().truthy());
    rememberShown();
}

bool CheckControl::update() {
    if (decl_.use.isNull()) return true;
    decl_.use.set(Value(box_->isChecked() ? 1 : 0));
    rememberShown();
    return true;
}

}  // namespace rt
