#include "runtime/controls/TextControl.h"

#include <QPlainTextEdit>

#include "runtime/picture/DisplayText.h"
#include "runtime/controls/Events.h"

namespace rt {

QWidget* TextControl::createWidget(QWidget* parent) {
    edit_ = new QPlainTextEdit(parent);
    edit_->setReadOnly((decl_.flags & FlagReadOnly) != 0);
    edit_->setTabChangesFocus(true);
    QObject::connect(edit_, &QPlainTextEdit::textChanged, edit_, [this] { edited_ = true; });
    return edit_;
}

QWidget* TextControl::focusTarget() const {
    return edit_;
}

bool TextControl::update() {
    if (!storeFromDisplay(decl_.use, text(), decl_.picture)) return false;
    rememberShown();
    edited_ = false;
    return true;
}

int TextControl::commitEdit() {
    if (!edited_) return 0;
    return update() ? EventAccepted : EventRejected;
}

std::string TextControl::text() const {
    return edit_->toPlainText().toStdString();
}

void TextControl::setText(const std::string& text) {
    edit_->setPlainText(QString::fromStdString(text));
    edited_ = false;
}

}  // namespace rt
