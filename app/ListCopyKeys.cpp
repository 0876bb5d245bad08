#include "app/ListCopyKeys.h"

#include "app/HostFacts.h"
#include "app/MainList.h"
#include "app/PasswordsFile.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Clipboard.h"
#include "runtime/gui/SecretClipboard.h"
#include "runtime/gui/Window.h"

namespace {

constexpr int kCopyPassword = rt::KeyCtrl + rt::keyFor('C');
constexpr int kCopyUserName = rt::KeyCtrl + rt::keyFor('B');
constexpr int kOpenLocation = rt::KeyCtrl + rt::keyFor('U');

}  // namespace

ListCopyKeys::ListCopyKeys(rt::Window& window, MainList& list, int listControl)
    : window_(window), list_(list), listControl_(listControl) {}

void ListCopyKeys::SetAlerts() {
    for (int key : {kCopyPassword, kCopyUserName, kOpenLocation}) window_.alert(key, listControl_);
    PopupClass* popup = list_.BRW1.Popup.get();
    if (!popup) return;
    popup->AddItem("-", "CopySeparator", "", 1);
    popup->AddItemKey("Copy &Password", kCopyPassword, listControl_);
    popup->AddItemKey("Copy &User Name", kCopyUserName, listControl_);
}

bool ListCopyKeys::TakeEvent() {
    const rt::WindowEvent& event = window_.current();
    if (event.event != rt::EventAlertKey || event.control != listControl_) return false;
    if (event.key != kCopyPassword && event.key != kCopyUserName && event.key != kOpenLocation)
        return false;
    if (list_.Queue_Browse_1.Records() == 0) return true;
    // The highlighted row, as the link line shows it.
    list_.BRW1.UpdateBuffer();
    if (event.key == kCopyPassword) {
        rt::copySecret(PAS.Password.clipped());
    } else if (event.key == kCopyUserName) {
        if (!PAS.UserName.blank()) rt::setClipboardText(PAS.UserName.clipped());
    } else {
        URLHandler(&window_, PAS.Location.clipped());
    }
    return true;
}
