#include "runtime/controls/ButtonControl.h"

#include <QPushButton>

#include "runtime/controls/Events.h"
#include "runtime/controls/IconLibrary.h"

namespace rt {

QWidget* ButtonControl::createWidget(QWidget* parent) {
    button_ = new QPushButton(QString::fromStdString(decl_.text), parent);
    button_->setIcon(iconByName(decl_.icon));
    button_->setAutoDefault(false);
    button_->setDefault((decl_.flags & FlagDefault) != 0);
    button_->setFlat((decl_.flags & FlagFlat) != 0);
    QObject::connect(button_, &QPushButton::clicked, button_, [this] { post(EventAccepted); });
    return button_;
}

std::string ButtonControl::text() const {
    return button_->text().toStdString();
}

void ButtonControl::setText(const std::string& text) {
    Control::setText(text);
    button_->setText(QString::fromStdString(text));
}

void ButtonControl::setProperty(Prop prop, int index, const Value& value) {
    Control::setProperty(prop, index, value);
    if (prop == Prop::Icon) button_->setIcon(iconByName(value.text()));
    if (prop == Prop::Default) button_->setDefault((decl_.flags & FlagDefault) != 0);
}

}  // namespace rt
