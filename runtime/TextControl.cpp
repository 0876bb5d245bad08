#include "runtime/TextControl.h"

#include <QPlainTextEdit>

#include "runtime/DisplayText.h"

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

void TextControl::update() {
    std::string t = text();
    // A bounded variable keeps only what fits, as assignment cuts.
    if (decl_.use.type() == FieldType::Text && t.size() > decl_.use.size())
        t.resize(decl_.use.size());
    storeFromDisplay(decl_.use, t, decl_.picture);
    rememberShown();
    edited_ = false;
}

bool TextControl::commitEdit() {
    if (!edited_) return false;
    update();
    return true;
}

std::string TextControl::text() const {
    return edit_->toPlainText().toStdString();
}

void TextControl::setText(const std::string& text) {
    edit_->setPlainText(QString::fromStdString(text));
    edited_ = false;
}

}  // namespace rt
