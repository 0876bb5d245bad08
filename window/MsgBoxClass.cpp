#include "window/MsgBoxClass.h"

#include "runtime/gui/MessageBox.h"
#include "runtime/gui/Window.h"
#include "window/ErrorWindow.h"

std::string MsgBoxButtonCaption(int button) {
    switch (button) {
        case rt::ButtonOk:
            return "O&k";
        case rt::ButtonYes:
            return "&Yes";
        case rt::ButtonNo:
            return "&No";
        case rt::ButtonAbort:
            return "&Abort";
        case rt::ButtonRetry:
            return "&Retry";
        case rt::ButtonIgnore:
            return "&Ignore";
        case rt::ButtonCancel:
            return "&Cancel";
        case rt::ButtonHelp:
            return "&Help";
        default:
            return {};
    }
}

void MsgBoxClass::Init(rt::Window& window, ErrorClass& errors, std::string_view caption, int icon,
                       int buttons, int defaultButton, int style) {
    Win = &window;
    Err = &errors;
    Caption = caption;
    Icon = icon;
    ButtonTypes = buttons;
    MsgRVal = defaultButton;
    Style = style;
}

ErrorLevel MsgBoxClass::Init() {
    if (ErrorLevel level = WindowManager::Init()) return level;
    Errors = Err;
    if (HistoryHandler) AddItem(*HistoryHandler);
    Open(*Win);
    if (!Caption.empty()) Win->setCaption(Caption);
    MsgButtons = 0;
    for (int bit = rt::ButtonHelp; bit >= rt::ButtonOk; bit >>= 1)
        if (ButtonTypes & bit) showButton(bit);
    SetupAdditionalFeqs();
    return LevelBenign;
}

// The buttons take the controls in turn, from the highest bit down.
void MsgBoxClass::showButton(int bit) {
    const int control = ErrorWindowFirstButton + MsgButtons;
    Win->setText(control, MsgBoxButtonCaption(bit));
    MsgButtonID[static_cast<std::size_t>(MsgButtons)] = bit;
    // Shown first: a hidden control cannot take the focus.
    Win->unhide(control);
    if (bit == MsgRVal) {
        Win->setProperty(control, rt::Prop::Default, rt::Value(1));
        Win->select(control);
    }
    ++MsgButtons;
}

void MsgBoxClass::SetupAdditionalFeqs() {
    Win->setProperty(ErrorWindowImage, rt::Prop::Icon,
                     rt::Value(rt::standardIconName(Icon == 0 ? rt::IconExclamation : Icon)));
}

ErrorLevel MsgBoxClass::TakeAccepted() {
    if (ErrorLevel level = WindowManager::TakeAccepted()) return level;
    const int shown = currentControl() - ErrorWindowFirstButton;
    if (shown < 0 || shown >= MsgButtons) return LevelBenign;
    MsgRVal = MsgButtonID[static_cast<std::size_t>(shown)];
    return LevelFatal;  // ends the window
}

ErrorLevel MsgBoxClass::Kill() {
    if (ErrorLevel level = WindowManager::Kill()) return level;
    Caption.clear();
    if (Win) Win->close();
    Opened = false;
    return LevelBenign;
}
