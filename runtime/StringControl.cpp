#include "runtime/StringControl.h"

#include <QLabel>

namespace rt {

QWidget* StringControl::createWidget(QWidget* parent) {
    label_ = new QLabel(QString::fromStdString(boundText()), parent);
    label_->setTextFormat(Qt::PlainText);
    return label_;
}

std::string StringControl::text() const {
    return label_->text().toStdString();
}

void StringControl::setText(const std::string& text) {
    Control::setText(text);
    label_->setText(QString::fromStdString(text));
}

}  // namespace rt
