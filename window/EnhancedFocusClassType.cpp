#include "window/EnhancedFocusClassType.h"

#include <algorithm>
#include <initializer_list>

#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"

namespace {

// Never highlighted: texts and prompts, images, regions, shapes, groups,
// sheets and tabs, buttons, menus and the window itself.
constexpr std::initializer_list<int> kNeverHighlighted = {
    1, 2, 3, 4, 5, 6, 7, 10, 13, 18, 25, 32, 35, 270, 128, 19, 20, 22, 24, 37, 38, 39, 9};

// A list shows its own selection colours; it only gets the box and indicator.
bool keepsOwnColours(int type) {
    return type == 14 || type == 33 || type == 40;
}

// Trailing spaces go; at most two characters stay, whatever their encoding.
std::string indicatorText(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        bool starts = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (starts && ++characters > 2) return text.substr(0, i);
    }
    return text;
}

// A line of the window's font is eight vertical dialog units high.
constexpr int kLineHeight = 8;

}  // namespace

EnhancedFocusClassType::EnhancedFocusClassType() = default;
EnhancedFocusClassType::~EnhancedFocusClassType() = default;

void EnhancedFocusClassType::Init(rt::Window& window, bool pChangeColor, int pBackgroundColor,
                                  bool pUseBoldText, bool pExcludeDropList,
                                  int pBackgroundColorRequired, bool pDisplayBox, int pBoxFillColor,
                                  int pBoxBorderColor, int pBoxSize, int pBoxFillColorRequired,
                                  int pBoxBorderColorRequired, bool pDisplayIndicator,
                                  int pIndicatorColor, const std::string& pIndicatorCharacter,
                                  int pIndicatorOffset) {
    (void)pExcludeDropList;
    window_ = &window;
    ChangeColor = pChangeColor;
    BackgroundColor = pBackgroundColor;
    UseBoldText = pUseBoldText;
    ExcludeDropList = false;
    BackgroundColorRequired = pBackgroundColorRequired;
    DisplayBox = pDisplayBox;
    BoxFillColor = pBoxFillColor;
    BoxBorderColor = pBoxBorderColor;
    BoxSize = pBoxSize;
    BoxFillColorRequired = pBoxFillColorRequired;
    BoxBorderColorRequired = pBoxBorderColorRequired;
    DisplayIndicator = pDisplayIndicator;
    IndicatorColor = pIndicatorColor;
    IndicatorCharacter = indicatorText(pIndicatorCharacter);
    IndicatorOffset = pIndicatorOffset;
    for (int type : kNeverHighlighted) DisableControlType(type);
}

void EnhancedFocusClassType::DisableControlType(int pControlType) {
    ExcludedControlType.push_back(pControlType);
}

ErrorLevel EnhancedFocusClassType::TakeEvent() {
    if (!window_) return LevelBenign;
    switch (window_->current().event) {
        case rt::EventSelected:
            EnhanceFocusUnSelect();
            EnhanceFocusSelect(window_->focus());
            break;
        case rt::EventSized:
        case rt::EventResizeCue:
            // Drawn again where the control is now.
            EnhanceFocusUnSelect();
            EnhanceFocusSelect(SCField);
            break;
        default:
            break;
    }
    return LevelBenign;
}

bool EnhancedFocusClassType::ControlAllowed(int pControl) {
    if (pControl == 0 || !window_ || !window_->exists(pControl)) return false;
    if (propertyOf(pControl, rt::Prop::NoLayout) == 1) return false;
    if (propertyOf(pControl, rt::Prop::Visible) != 1) return false;
    int type = propertyOf(pControl, rt::Prop::Type);
    return std::find(ExcludedControlType.begin(), ExcludedControlType.end(), type) ==
           ExcludedControlType.end();
}

void EnhancedFocusClassType::EnhanceFocusSelect(int pControl) {
    if (!ControlAllowed(pControl)) {
        SCField = 0;
        return;
    }
    SCField = pControl;
    SCStyle = propertyOf(pControl, rt::Prop::FontStyle);
    SCColor = propertyOf(pControl, rt::Prop::Color);
    const bool required = propertyOf(pControl, rt::Prop::Required) == 1;
    if (recoloured(pControl)) {
        if (UseBoldText) window_->setProperty(pControl, rt::Prop::FontStyle, 700);
        window_->setProperty(pControl, rt::Prop::Color,
                             required ? BackgroundColorRequired : BackgroundColor);
    }
    if (DisplayBox || DisplayIndicator) {
        SCX = propertyOf(pControl, rt::Prop::XPos);
        SCY = propertyOf(pControl, rt::Prop::YPos);
        SCW = propertyOf(pControl, rt::Prop::Width);
        SCH = propertyOf(pControl, rt::Prop::Height);
    }
    drawMarks(required);
}

void EnhancedFocusClassType::drawMarks(bool required) {
    if (DisplayBox) {
        window_->drawBox(SCX - BoxSize, SCY - BoxSize, SCW + 2 * BoxSize, SCH + 2 * BoxSize,
                         required ? BoxFillColorRequired : BoxFillColor,
                         required ? BoxBorderColorRequired : BoxBorderColor);
    }
    if (DisplayIndicator)
        window_->drawText(SCX - IndicatorOffset, SCY, IndicatorCharacter, IndicatorColor);
}

void EnhancedFocusClassType::EnhanceFocusUnSelect() {
    if (SCField == 0 || !window_) return;
    // The control may have been destroyed since; the drawings are still there.
    if (window_->exists(SCField) && recoloured(SCField)) {
        window_->setProperty(SCField, rt::Prop::Color, SCColor);
        if (UseBoldText) window_->setProperty(SCField, rt::Prop::FontStyle, SCStyle);
    }
    eraseMarks();
}

void EnhancedFocusClassType::eraseMarks() {
    if (DisplayBox && DisplayIndicator && IndicatorOffset > BoxSize) {
        window_->blank(SCX - IndicatorOffset, SCY - BoxSize, SCW + 2 * IndicatorOffset,
                       SCH + 2 * BoxSize);
    } else if (DisplayBox) {
        window_->blank(SCX - BoxSize, SCY - BoxSize, SCW + 2 * BoxSize, SCH + 2 * BoxSize);
    } else if (DisplayIndicator) {
        window_->blank(SCX - IndicatorOffset, SCY, IndicatorOffset, std::max(SCH, kLineHeight));
    }
}

bool EnhancedFocusClassType::recoloured(int control) const {
    return ChangeColor && !keepsOwnColours(propertyOf(control, rt::Prop::Type));
}

int EnhancedFocusClassType::propertyOf(int control, rt::Prop prop) const {
    return static_cast<int>(window_->property(control, prop).number());
}
