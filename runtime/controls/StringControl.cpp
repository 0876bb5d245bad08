#include "runtime/controls/StringControl.h"

#include <QLabel>

namespace rt {

QWidget* StringControl::createWidget(QWidget* parent) {
    label_ = new QLabel(QString::fromStdString(boundText()), parent);
    label_->setTextFormat(Qt::PlainText);
    return label_;
}

void StringControl::setBuddy(QWidget* buddy) {
    label_->setTextFormat(Qt::AutoText);
    label_->setBuddy(buddy);
}

std::string StringControl::text() const {
    return label_->text().toStdString();
}

void StringControl::setText(const std::string& text) {
    Control::setText(text);
    label_->setText(QString::fromStdString(text));
}

}  // namespace rt
