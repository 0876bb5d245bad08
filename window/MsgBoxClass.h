#pragma once
// A message window with up to eight standard buttons, an icon and a list:
// runs the window "ERRORWINDOW" (ErrorWindow.h) for the error history.
// Borrows the window, the error manager and the history handler given to
// Init, which must outlive it; owns its copy of the caption. GUI thread.
//
// Life: Init(window, ...) --Run: Init, Ask, Kill--> the answer in MsgRVal,
// the button pressed, or the default button when the window was closed.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "errors/ErrorClass.h"
#include "window/WindowComponent.h"
#include "window/WindowManager.h"

class MsgBoxClass : public WindowManager {
  public:
    // Stores what the box shows; MsgRVal starts as defaultButton.
    void Init(rt::Window& window, ErrorClass& errors, std::string_view caption, int icon,
              int buttons, int defaultButton, int style);
    // Run's set-up: opens the window and shows the offered buttons.
    ErrorLevel Init() override;
    ErrorLevel Kill() override;
    // A shown button ends the window with its value.
    ErrorLevel TakeAccepted() override;
    // Shows the icon.
    virtual void SetupAdditionalFeqs();

    std::int32_t ButtonTypes = 0;
    std::string Caption;  // empty: the window keeps its own caption
    ErrorClass* Err = nullptr;
    std::int32_t Icon = 0;  // 0: the exclamation icon
    WindowComponent* HistoryHandler = nullptr;
    std::int32_t MsgButtons = 0;
    std::array<std::int32_t, 8> MsgButtonID{};  // values, in the order shown
    std::int32_t MsgRVal = 0;
    std::int32_t Style = 0;
    rt::Window* Win = nullptr;

  private:
    void showButton(int bit);
};

// A button value's caption ("O&k", "&Yes", ... "&Help"); empty for others.
std::string MsgBoxButtonCaption(int button);
