#pragma once
// Makes the control that has the input focus stand out: a coloured
// background and bold text on the control, and a box and an indicator
// character drawn on the window around and left of it; when the focus moves
// it undoes all that on the old control and applies it to the new one.
// Borrows the window given to Init, which must outlive the object. GUI thread.

#include <string>
#include <vector>

#include "errors/ErrorLevels.h"
#include "runtime/controls/Prop.h"
#include "window/WindowComponent.h"

namespace rt {
class Window;
}

class EnhancedFocusClassType : public WindowComponent {
  public:
    EnhancedFocusClassType();
    virtual ~EnhancedFocusClassType();
    EnhancedFocusClassType(const EnhancedFocusClassType&) = delete;
    EnhancedFocusClassType& operator=(const EnhancedFocusClassType&) = delete;

    // Colours are colour values (red in the low byte); sizes and offsets are
    // dialog units. pExcludeDropList is ignored: drop lists are always eligible.
    virtual void Init(rt::Window& window, bool pChangeColor, int pBackgroundColor,
                      bool pUseBoldText, bool pExcludeDropList, int pBackgroundColorRequired,
                      bool pDisplayBox, int pBoxFillColor, int pBoxBorderColor, int pBoxSize,
                      int pBoxFillColorRequired, int pBoxBorderColorRequired,
                      bool pDisplayIndicator, int pIndicatorColor,
                      const std::string& pIndicatorCharacter, int pIndicatorOffset);
    // Follows the focus and the window's size changes; always LevelBenign.
    ErrorLevel TakeEvent() override;
    // Takes the highlight off SCField, if any.
    virtual void EnhanceFocusUnSelect();
    // Highlights pControl, or nothing (SCField 0) when it is not allowed.
    virtual void EnhanceFocusSelect(int pControl);
    virtual bool ControlAllowed(int pControl);
    void DisableControlType(int pControlType);

    // As a window component: nothing to reset, update or kill.
    void Kill() override {}
    void Reset(bool force) override { (void)force; }
    bool ResetRequired() override { return false; }
    void SetAlerts() override {}
    void Update() override {}
    void UpdateWindow() override {}

    bool ChangeColor = false;
    int BackgroundColor = 0;
    bool UseBoldText = false;
    bool ExcludeDropList = false;
    int BackgroundColorRequired = 0;
    bool DisplayBox = false;
    int BoxFillColor = 0;
    int BoxBorderColor = 0;
    int BoxSize = 0;
    int BoxFillColorRequired = 0;
    int BoxBorderColorRequired = 0;
    bool DisplayIndicator = false;
    int IndicatorColor = 0;
    std::string IndicatorCharacter;  // at most two characters
    int IndicatorOffset = 0;
    int SCField = 0;  // the control highlighted now (0 = none)
    int SCColor = 0;  // its background and font weight before the highlight
    int SCStyle = 0;
    int SCX = 0, SCY = 0, SCW = 0, SCH = 0;  // its place when it was highlighted
    std::vector<int> ExcludedControlType;

  private:
    int propertyOf(int control, rt::Prop prop) const;
    bool recoloured(int control) const;
    void drawMarks(bool required);
    void eraseMarks();

    rt::Window* window_ = nullptr;
};
