#include "runtime/EntryControl.h"

#include <QLineEdit>

#include "runtime/DisplayText.h"
#include "runtime/Events.h"
#include "runtime/Picture.h"

namespace rt {

QWidget* EntryControl::createWidget(QWidget* parent) {
    edit_ = new QLineEdit(parent);
    if (decl_.flags & FlagMasked) edit_->setEchoMode(QLineEdit::Password);
    if (decl_.flags & FlagReadOnly) edit_->setReadOnly(true);
    // A text picture limits what can be typed, else the variable's size does.
    auto picture = Picture::compile(decl_.picture);
    int width = picture && picture->kind() == Picture::Kind::Text ? picture->width() : 0;
    if (width == 0 && decl_.use.type() == FieldType::Text)
        width = static_cast<int>(decl_.use.size());
    if (width > 0) edit_->setMaxLength(width);
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this] { edited_ = true; });
    return edit_;
}

QWidget* EntryControl::focusTarget() const {
    return edit_;
}

bool EntryControl::update() {
    if (!storeFromDisplay(decl_.use, text(), decl_.picture)) return false;
    rememberShown();
    edited_ = false;
    return true;
}

int EntryControl::commitEdit() {
    if (!edited_) return 0;
    return update() ? EventAccepted : EventRejected;
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
