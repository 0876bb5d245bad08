#include "runtime/controls/Control.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

#include "runtime/controls/AccessibleName.h"
#include "runtime/picture/DisplayText.h"
#include "runtime/picture/Picture.h"

namespace rt {

QColor colorFromValue(int value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int valueFromColor(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

int systemGrayTextColor() {
    return valueFromColor(QApplication::palette().color(QPalette::Disabled, QPalette::Text));
}

int fontStyleOf(const QFont& font) {
    int style = font.weight() >= QFont::Bold ? FontWeightBold : FontWeightNormal;
    if (font.italic()) style |= FontItalic;
    if (font.underline()) style |= FontUnderline;
    if (font.strikeOut()) style |= FontStrikeOut;
    return style;
}

QFont withFontStyle(QFont font, int style) {
    font.setWeight((style & kFontWeightMask) >= FontWeightBold ? QFont::Bold : QFont::Normal);
    font.setItalic((style & FontItalic) != 0);
    font.setUnderline((style & FontUnderline) != 0);
    font.setStrikeOut((style & FontStrikeOut) != 0);
    return font;
}

Control::Control(int number, ControlDeclaration decl, ControlHost& host)
    : decl_(std::move(decl)), number_(number), host_(host) {}

Control::~Control() {
    delete widget_.data();
}

void Control::build(QWidget* parent) {
    widget_ = createWidget(parent);
    // Looks first: a control of natural size is measured in its own font.
    applyLooks();
    applyGeometry();
    if (!decl_.tip.empty()) widget_->setToolTip(QString::fromStdString(decl_.tip));
    refreshAccessibleName();
    hidden_ = (decl_.flags & FlagHidden) != 0;
    enabled_ = (decl_.flags & FlagDisabled) == 0;
    widget_->setEnabled(enabled_);
    refreshShown();
    display();
}

void Control::applyGeometry() {
    const DialogUnits& u = host_.units();
    QSize natural = widget_->sizeHint();
    int w = decl_.width > 0 ? u.toPixelsX(decl_.width) : natural.width();
    int h = decl_.height > 0 ? u.toPixelsY(decl_.height) : natural.height();
    widget_->setGeometry(u.toPixelsX(decl_.x), u.toPixelsY(decl_.y), w, h);
}

void Control::applyLooks() {
    if (!decl_.fontFamily.empty() || decl_.fontSize > 0) {
        QFont f = widget_->font();
        if (!decl_.fontFamily.empty()) f.setFamily(QString::fromStdString(decl_.fontFamily));
        if (decl_.fontSize > 0) f.setPointSize(decl_.fontSize);
        widget_->setFont(f);
    }
    if (decl_.fontColor != ColorNone) setProperty(Prop::FontColor, 0, decl_.fontColor);
    if (decl_.background != ColorNone) setProperty(Prop::Color, 0, decl_.background);
}

void Control::refreshShown() {
    if (widget_) widget_->setVisible(isVisible());
}

void Control::setHidden(bool hidden) {
    hidden_ = hidden;
    refreshShown();
}

void Control::setTabShown(bool shown) {
    tabShown_ = shown;
    refreshShown();
}

void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (widget_) widget_->setEnabled(enabled);
}

std::string Control::boundText() const {
    if (decl_.use.isNull()) return decl_.text;
    return formatForDisplay(decl_.use.get(), decl_.picture);
}

void Control::rememberShown() {
    if (!decl_.use.isNull()) shown_ = decl_.use.get();
}

bool Control::variableChanged() const {
    if (decl_.use.isNull()) return false;
    Value now = decl_.use.get();
    return now.isText() != shown_.isText() || compareValues(now, shown_) != 0 ||
           now.text() != shown_.text();
}

void Control::bind(FieldRef use, std::string picture) {
    decl_.use = use;
    decl_.picture = std::move(picture);
    display();
}

void Control::display() {
    if (decl_.use.isNull()) return;
    setText(boundText());
    rememberShown();
}

std::string Control::text() const {
    return decl_.text;
}

void Control::setText(const std::string& text) {
    decl_.text = text;
    refreshAccessibleName();
}

std::string Control::accessibleName() const {
    std::string tip = widget_ ? widget_->toolTip().toStdString() : decl_.tip;
    return accessibleNameFrom(promptText_, ownLabel(), tip);
}

void Control::setPromptText(const std::string& text) {
    promptText_ = text;
    refreshAccessibleName();
}

void Control::refreshAccessibleName() {
    if (widget_) applyAccessibleName(QString::fromStdString(accessibleName()));
}

void Control::applyAccessibleName(const QString& name) {
    if (QWidget* target = focusTarget()) target->setAccessibleName(name);
}

std::string Control::refusalMessage() const {
    auto picture = Picture::compile(decl_.picture);
    if (picture && picture->kind() != Picture::Kind::None) return picture->refusalMessage();
    return decl_.use.isNull() || decl_.use.isText() ? std::string() : "Type a number";
}

bool Control::isBlank() const {
    return text().find_first_not_of(' ') == std::string::npos;
}

Value Control::property(Prop prop, int index) const {
    (void)index;
    const DialogUnits& u = host_.units();
    QRect g = widget_ ? widget_->geometry() : QRect();
    switch (prop) {
        case Prop::Text:
            return Value(text());
        case Prop::Hide:
            return Value(hidden_ ? 1 : 0);
        case Prop::Disable:
            return Value(enabled_ ? 0 : 1);
        case Prop::XPos:
            return Value(u.fromPixelsX(g.x()));
        case Prop::YPos:
            return Value(u.fromPixelsY(g.y()));
        case Prop::Width:
            return Value(u.fromPixelsX(g.width()));
        case Prop::Height:
            return Value(u.fromPixelsY(g.height()));
        case Prop::Type:
            return Value(static_cast<int>(decl_.kind));
        case Prop::Required:
            return Value((decl_.flags & FlagRequired) ? 1 : 0);
        case Prop::ReadOnly:
            return Value((decl_.flags & FlagReadOnly) ? 1 : 0);
        case Prop::FontColor:
            return Value(valueFromColor(widget_->palette().color(QPalette::Text)));
        case Prop::FontStyle:
            return Value(fontStyleOf(widget_->font()));
        case Prop::FontSize:
            return Value(widget_->font().pointSize());
        case Prop::Color:
            return Value(colorSet_ ? valueFromColor(widget_->palette().color(QPalette::Base))
                                   : ColorNone);
        case Prop::Tip:
            return Value(widget_->toolTip().toStdString());
        case Prop::Icon:
            return Value(decl_.icon);
        case Prop::Visible:
            return Value(isVisible() ? 1 : 0);
        case Prop::Parent:
            return Value(decl_.parent);
        case Prop::Default:
            return Value((decl_.flags & FlagDefault) ? 1 : 0);
        case Prop::NoLayout:
            return Value(noLayout_ ? 1 : 0);
        default:
            return Value(0);
    }
}

void Control::setProperty(Prop prop, int index, const Value& value) {
    (void)index;
    const DialogUnits& u = host_.units();
    QRect g = widget_->geometry();
    int n = static_cast<int>(value.number());
    switch (prop) {
        case Prop::Text:
            setText(value.text());
            break;
        case Prop::Hide:
            setHidden(n != 0);
            break;
        case Prop::Disable:
            setEnabled(n == 0);
            break;
        case Prop::XPos:
            g.moveLeft(u.toPixelsX(n));
            break;
        case Prop::YPos:
            g.moveTop(u.toPixelsY(n));
            break;
        case Prop::Width:
            g.setWidth(u.toPixelsX(n));
            break;
        case Prop::Height:
            g.setHeight(u.toPixelsY(n));
            break;
        case Prop::Required:
            decl_.flags = n ? (decl_.flags | FlagRequired) : (decl_.flags & ~FlagRequired);
            break;
        case Prop::Default:
            decl_.flags = n ? (decl_.flags | FlagDefault) : (decl_.flags & ~FlagDefault);
            break;
        case Prop::FontColor: {
            QPalette p = widget_->palette();
            p.setColor(QPalette::Text, colorFromValue(n));
            p.setColor(QPalette::WindowText, colorFromValue(n));
            p.setColor(QPalette::ButtonText, colorFromValue(n));
            widget_->setPalette(p);
            break;
        }
        case Prop::FontStyle:
            widget_->setFont(withFontStyle(widget_->font(), n));
            break;
        case Prop::FontSize: {
            QFont f = widget_->font();
            if (n > 0) f.setPointSize(n);
            widget_->setFont(f);
            break;
        }
        case Prop::Color:
            setBackground(n);
            break;
        case Prop::Tip:
            widget_->setToolTip(QString::fromStdString(value.text()));
            refreshAccessibleName();
            break;
        case Prop::Icon:
            decl_.icon = value.text();
            break;
        case Prop::NoLayout:
            noLayout_ = n != 0;
            break;
        default:
            break;
    }
    if (g != widget_->geometry()) widget_->setGeometry(g);
}

// Buttons and check boxes paint their background in the button role, the
// others in the window role; ColorNone gives the widget its default colours
// back, so a colour saved and restored leaves no trace.
void Control::setBackground(int color) {
    QPalette p = widget_->palette();
    QPalette plain = QApplication::palette(widget_);
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Window, widget_->backgroundRole()}) {
        if (color == ColorNone) {
            p.setBrush(role, plain.brush(role));
        } else {
            p.setColor(role, colorFromValue(color));
        }
    }
    widget_->setPalette(p);
    widget_->setAutoFillBackground(color != ColorNone);
    colorSet_ = color != ColorNone;
}

}  // namespace rt
