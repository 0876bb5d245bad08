#include "runtime/EntryControl.h"

#include <QLineEdit>

#include "runtime/DisplayText.h"

namespace rt {

QWidget* EntryControl::createWidget(QWidget* parent) {
    edit_ = new QLineEdit(parent);
    if (decl_.flags & FlagMasked) edit_->setEchoMode(QLineEdit::Password);
    if (decl_.flags & FlagReadOnly) edit_->setReadOnly(true);
    if (decl_.use.type() == FieldType::Text)
        edit_->setMaxLength(static_cast<int>(decl_.use.size()));
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this] { edited_ = true; });
    return edit_;
}

QWidget* EntryControl::focusTarget() const {
    return edit_;
}

void EntryControl::update() {
    storeFromDisplay(decl_.use, text(), decl_.picture);
    rememberShown();
    edited_ = false;
}

bool EntryControl::commitEdit() {
    if (!edited_) return false;
    update();
    return true;
}

std::string EntryControl::text() const {
    return edit_->text().toStdString();
}

void EntryControl::setText(const std::string& text) {
    edit_->setText(QString::fromStdString(text));
    edit_->setCursorPosition(0);
    edited_ = false;
}

void EntryControl::setProperty(Prop prop, int index, const Value& value) {
    if (prop == Prop::ReadOnly) {
        edit_->setReadOnly(value.truthy());
        return;
    }
    Control::setProperty(prop, index, value);
}

}  // namespace rt
