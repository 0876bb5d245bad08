#include "runtime/gui/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <QString>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace rt {

namespace {

std::mutex hookMutex;
MessageBoxHook currentHook;

struct ButtonInfo {
    int bit;
    QMessageBox::StandardButton standard;
};

// In the order the buttons are offered.
constexpr std::array<ButtonInfo, 8> kButtons{{
    {ButtonOk, QMessageBox::Ok},
    {ButtonYes, QMessageBox::Yes},
    {ButtonNo, QMessageBox::No},
    {ButtonAbort, QMessageBox::Abort},
    {ButtonRetry, QMessageBox::Retry},
    {ButtonIgnore, QMessageBox::Ignore},
    {ButtonCancel, QMessageBox::Cancel},
    {ButtonHelp, QMessageBox::Help},
}};

QMessageBox::Icon toQtIcon(int icon) {
    switch (icon) {
        case IconHand:
            return QMessageBox::Critical;
        case IconQuestion:
            return QMessageBox::Question;
        case IconExclamation:
            return QMessageBox::Warning;
        case IconAsterisk:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// See LOCKORA_TEST_ANSWER_OK in MessageBox.h.
bool answeredFromOutside(const MessageBoxRequest& request) {
    const char* answer = std::getenv("LOCKORA_TEST_ANSWER_OK");
    if (!answer || !*answer || (request.buttons != ButtonOk && request.buttons != 0)) return false;
    std::fprintf(stderr, "%s: %s\n", request.caption.c_str(), request.text.c_str());
    return true;
}

int answerWhenClosed(const MessageBoxRequest& request) {
    return (request.buttons & ButtonCancel) ? ButtonCancel : request.defaultButton;
}

}  // namespace

std::string standardIconName(int icon) {
    switch (icon) {
        case IconHand:
            return "~hand.ico";
        case IconApplication:
            return "~application.ico";
        case IconQuestion:
            return "~question.ico";
        case IconExclamation:
            return "~exclamation.ico";
        case IconAsterisk:
            return "~asterisk.ico";
        default:
            return {};
    }
}

MessageBoxHook TEST_setMessageBoxHook(MessageBoxHook hook) {
    std::lock_guard lock(hookMutex);
    return std::exchange(currentHook, std::move(hook));
}

int messageBox(const MessageBoxRequest& request) {
    MessageBoxHook hook;
    {
        std::lock_guard lock(hookMutex);
        hook = currentHook;
    }
    if (hook) return hook(request);
    if (answeredFromOutside(request)) return ButtonOk;

    QMessageBox box(toQtIcon(request.icon), QString::fromStdString(request.caption),
                    QString::fromStdString(request.text).replace('|', '\n'));
    int buttons = request.buttons ? request.buttons : ButtonOk;
    for (const ButtonInfo& b : kButtons) {
        if (!(buttons & b.bit)) continue;
        QPushButton* button = box.addButton(b.standard);
        if (b.bit == request.defaultButton) box.setDefaultButton(button);
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked) return answerWhenClosed(request);
    QMessageBox::StandardButton pressed = box.standardButton(clicked);
    for (const ButtonInfo& b : kButtons)
        if (b.standard == pressed) return b.bit;
    return answerWhenClosed(request);
}

}  // namespace rt
