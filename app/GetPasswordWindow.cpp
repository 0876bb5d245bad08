#include "app/GetPasswordWindow.h"

#include <memory>

#include "app/Dictionary.h"
#include "app/FocusDefaults.h"
#include "app/GlobalData.h"
#include "app/GlobalErrors.h"
#include "app/ReadSystemRecord.h"
#include "app/SystemHistory.h"
#include "runtime/Events.h"
#include "runtime/Window.h"
#include "util/VSClipboardClass.h"
#include "window/EnhancedFocusClassType.h"
#include "window/ToolbarClass.h"
#include "window/WindowManager.h"
#include "window/WindowResizeClass.h"

namespace {

// Control numbers.
enum : int {
    PasswordEntry = 2,
    LoginMessageString = 4,
    LoginButton = 5,
    OkButton = 6,
    CancelButton = 7,
};

constexpr int kRed = 255;
constexpr int CtrlH = rt::keyFor('H') + rt::KeyCtrl;

class ThisWindow : public WindowManager {
  public:
    ErrorLevel Init() override;
    ErrorLevel Ask() override;
    ErrorLevel Kill() override;
    ErrorLevel TakeAccepted() override;
    ErrorLevel TakeEvent() override;
    ErrorLevel TakeFieldEvent() override;
    std::uint8_t Run() override;

  private:
    rt::WindowDeclaration declaration();
    void CheckPassword();

    struct {
        rt::String<20> PasswordEntered;
        rt::String<50> LoginMessage{"'Incorrect Password'"};
    } LOC;
    std::string ActionMessage;
    SystemHistory history_;
    ToolbarClass Toolbar;
    WindowResizeClass Resizer;
    EnhancedFocusClassType EnhancedFocusManager;
    VSClipboardClass VSClipboardMgr;
    std::unique_ptr<rt::Window> QuickWindow;
};

rt::WindowDeclaration ThisWindow::declaration() {
    using rt::ControlKind;
    rt::WindowDeclaration d;
    d.caption = "Enter Master Password";
    d.width = 200;
    d.height = 84;
    d.icon = "Key.ico";
    d.resizable = true;
    d.controls = {
        rt::control(ControlKind::Prompt, "&Password:").at(10, 12, 44, 10),
        rt::control(ControlKind::Entry)
            .at(58, 10, 132, 12)
            .bind(LOC.PasswordEntered, "@s20")
            .with(rt::FlagMasked),
        rt::control(ControlKind::String, "Note: Passwords are case sensitive").at(58, 26, 132, 10),
        rt::control(ControlKind::String)
            .at(10, 40, 180, 16)
            .bind(LOC.LoginMessage, "@s50")
            .font("Arial", 14, kRed)
            .with(rt::FlagHidden),
        rt::control(ControlKind::Button, "Login").at(100, 62, 42, 14).with(rt::FlagDefault),
        rt::control(ControlKind::Button, "&OK")
            .at(100, 62, 42, 14)
            .tipText("Accept data and close the window")
            .with(rt::FlagHidden),
        rt::control(ControlKind::Button, "&Cancel").at(148, 62, 42, 14).tipText("Cancel operation"),
    };
    return d;
}

ErrorLevel ThisWindow::Init() {
    GlobalErrors.SetProcedureName("GetPasswordWindow");
    Request = GlobalRequest;
    if (ErrorLevel level = WindowManager::Init()) return level;
    // The window's first control is the entry's prompt; selecting a prompt
    // means its entry, which is the control that can hold the focus.
    FirstField = PasswordEntry;
    VCRRequest = &::VCRRequest;
    Errors = &GlobalErrors;
    AddItem(Toolbar);
    GlobalRequest = GlobalResponse = 0;
    HistoryKey = CtrlH;
    AddHistoryFile(history_.Live, history_.Saved);
    AddUpdateFile(*Access_System);
    AddItem(CancelButton, ResponseCancelled);
    Relate_System->Open();
    FilesOpened = true;
    Request = OriginalRequest = ReadSystemRecord();
    Primary = Relate_System;
    if (Request == RequestView && !BatchProcessing) {
        InsertAction = DeleteAction = ChangeAction = 1;
        CancelAction = 0;
    } else {
        ChangeAction = 2;
        CancelAction = CancelActionAsk;
        OkControl = OkButton;
        if (PrimeUpdate()) return LevelNotify;
    }
    QuickWindow = std::make_unique<rt::Window>(declaration());
    Open(*QuickWindow);
    Resizer.Init(*QuickWindow, 2, true, false);
    AddItem(Resizer);
    AddItem(static_cast<WindowComponent&>(Resizer));
    SetAlerts();
    VSClipboardMgr.Init(*QuickWindow);
    InitFocusDefaults(EnhancedFocusManager, *QuickWindow);
    return LevelBenign;
}

ErrorLevel ThisWindow::Ask() {
    ActionMessage = Request == RequestView ? "View Record" : "Enter the Master Password";
    if (MyWindow) MyWindow->setCaption(ActionMessage);
    return WindowManager::Ask();
}

ErrorLevel ThisWindow::TakeAccepted() {
    ErrorLevel result = WindowManager::TakeAccepted();
    switch (currentControl()) {
        case LoginButton:
            MyWindow->update();
            CheckPassword();
            break;
        case OkButton:
            MyWindow->update();
            if (Request == RequestView && !BatchProcessing) MyWindow->post(rt::EventCloseWindow);
            break;
    }
    return result;
}

// Case counts; trailing spaces do not. A miss leaves the message up for the
// rest of the window's life and empties the entry for the next try.
void ThisWindow::CheckPassword() {
    GLO.PasswordVerified = 0;
    if (LOC.PasswordEntered.clipped() != SYS.MasterPassword.clipped()) {
        MyWindow->unhide(LoginMessageString);
        LOC.PasswordEntered.clear();
        MyWindow->display(PasswordEntry);
        MyWindow->select(PasswordEntry);
        return;
    }
    GLO.PasswordVerified = 1;
    MyWindow->post(rt::EventCloseWindow);
}

ErrorLevel ThisWindow::TakeFieldEvent() {
    if (VSClipboardMgr.TakeEvent()) return LevelBenign;
    return WindowManager::TakeFieldEvent();
}

ErrorLevel ThisWindow::TakeEvent() {
    EnhancedFocusManager.TakeEvent();
    return WindowManager::TakeEvent();
}

std::uint8_t ThisWindow::Run() {
    std::uint8_t response = WindowManager::Run();
    return Request == RequestView ? std::uint8_t{ResponseCancelled} : response;
}

ErrorLevel ThisWindow::Kill() {
    VSClipboardMgr.Kill();
    if (ErrorLevel level = WindowManager::Kill()) return level;
    if (FilesOpened) Relate_System->Close();
    FilesOpened = false;
    GlobalErrors.SetProcedureName();
    GlobalResponse = Response;
    return LevelBenign;
}

}  // namespace

void GetPasswordWindow() {
    ThisWindow window;
    GlobalResponse = window.Run();
}
