#include "runtime/controls/GroupControl.h"

#include <QGroupBox>

namespace rt {

QWidget* GroupControl::createWidget(QWidget* parent) {
    box_ = new QGroupBox(QString::fromStdString(decl_.text), parent);
    return box_;
}

std::string GroupControl::text() const {
    return box_->title().toStdString();
}

void GroupControl::setText(const std::string& text) {
    Control::setText(text);
    box_->setTitle(QString::fromStdString(text));
}

}  // namespace rt
