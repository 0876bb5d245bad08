#pragma once
// The standard message box: text ("|" breaks lines), caption, icon, buttons,
// default button and style; answers the button pressed. Tests give the answer
// through the answer hook instead of a person. GUI thread only.

#include <functional>
#include <string>
#include <string_view>

namespace rt {

// Button bit values.
enum : int {
    ButtonOk = 1,
    ButtonYes = 2,
    ButtonNo = 4,
    ButtonAbort = 8,
    ButtonRetry = 16,
    ButtonIgnore = 32,
    ButtonCancel = 64,
    ButtonHelp = 128,
};

// Standard icon codes (stored as the four bytes FF 01 nn 7F by callers).
enum : int {
    IconNone = 0,
    IconHand = 1,
    IconApplication = 2,
    IconQuestion = 3,
    IconExclamation = 4,
    IconAsterisk = 5,
};

// The name an image control shows a standard icon by ("~exclamation.ico");
// empty for IconNone and codes that name no standard icon.
std::string standardIconName(int icon);

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    int icon = IconNone;
    int buttons = ButtonOk;
    int defaultButton = ButtonOk;
    int style = 0;
};

// Answers the pressed button; closing the box without a button answers the
// cancel button when offered, else the default button.
//
// While the environment variable LOCKORA_TEST_ANSWER_OK is set, a box that
// offers OK alone is not shown: its caption and text go to standard error
// and it answers OK. Tests of the real program use it to see a message that
// ends the program; questions are always shown.
int messageBox(const MessageBoxRequest& request);

// While set, messageBox() calls the hook instead of showing a box; the hook
// sees the request and answers the button. Answers the previous hook.
using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;
MessageBoxHook TEST_setMessageBoxHook(MessageBoxHook hook);

}  // namespace rt
