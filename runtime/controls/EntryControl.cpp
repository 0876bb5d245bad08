#include "runtime/controls/EntryControl.h"

#include <QLineEdit>
#include <algorithm>

#include "runtime/picture/DisplayText.h"
#include "runtime/controls/Events.h"
#include "runtime/picture/Picture.h"

namespace rt {

QWidget* EntryControl::createWidget(QWidget* parent) {
    edit_ = new QLineEdit(parent);
    if (decl_.flags & FlagMasked) edit_->setEchoMode(QLineEdit::Password);
    if (decl_.flags & FlagReadOnly) edit_->setReadOnly(true);
    limitLength();
    QObject::connect(edit_, &QLineEdit::textEdited, edit_, [this] { edited_ = true; });
    return edit_;
}

// A text picture limits what can be typed, else the variable's size does.
void EntryControl::limitLength() {
    auto picture = Picture::compile(decl_.picture);
    int width = picture && picture->kind() == Picture::Kind::Text ? picture->width() : 0;
    if (width == 0 && decl_.use.type() == FieldType::Text)
        width = static_cast<int>(decl_.use.size());
    edit_->setMaxLength(width > 0 ? width : 32767);
}

void EntryControl::bind(FieldRef use, std::string picture) {
    decl_.use = use;
    decl_.picture = std::move(picture);
    limitLength();
    display();
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

Value EntryControl::property(Prop prop, int index) const {
    switch (prop) {
        case Prop::ReadOnly:
            return Value(edit_->isReadOnly() ? 1 : 0);
        case Prop::Password:
            return Value(edit_->echoMode() == QLineEdit::Normal ? 0 : 1);
        case Prop::SelStart:
            return Value(characterAt(edit_->hasSelectedText() ? edit_->selectionStart()
                                                              : edit_->cursorPosition()) +
                         1);
        case Prop::SelEnd:
            return Value(edit_->hasSelectedText() ? characterAt(edit_->selectionEnd()) : 0);
        default:
            return Control::property(prop, index);
    }
}

void EntryControl::setProperty(Prop prop, int index, const Value& value) {
    int n = static_cast<int>(value.number());
    switch (prop) {
        case Prop::ReadOnly:
            edit_->setReadOnly(value.truthy());
            return;
        case Prop::SelStart:
            select(n, property(Prop::SelEnd, 0).number());
            return;
        case Prop::SelEnd:
            select(property(Prop::SelStart, 0).number(), n);
            return;
        default:
            break;
    }
    Control::setProperty(prop, index, value);
}

int EntryControl::characterAt(int utf16Index) const {
    return static_cast<int>(edit_->text().left(utf16Index).toUcs4().size());
}

int EntryControl::utf16Index(int characters) const {
    QString text = edit_->text();
    int i = 0;
    for (; i < text.size() && characters > 0; --characters)
        i += text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
    return i;
}

// Characters start to end (1-based, inclusive); an end before the start
// leaves only the caret at start.
void EntryControl::select(int start, int end) {
    int from = utf16Index(std::max(start, 1) - 1);
    if (end < start) {
        edit_->setCursorPosition(from);
        return;
    }
    edit_->setSelection(from, utf16Index(end) - from);
}

}  // namespace rt
