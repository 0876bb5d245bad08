#include "app/GetPasswordWindow.h"

#include "app/Dictionary.h"
#include "app/GlobalData.h"
#include "app/ProcedureWindow.h"
#include "app/ReadSystemRecord.h"
#include "app/SystemHistory.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"
#include "window/WindowResizeClass.h"

namespace {

using namespace LoginControl;

constexpr int kRed = 255;
constexpr int CtrlH = rt::keyFor('H') + rt::KeyCtrl;

class ThisWindow : public ProcedureWindow {
  public:
    ThisWindow() : ProcedureWindow("GetPasswordWindow") {}
    ErrorLevel Init() override;
    ErrorLevel Ask() override;
    ErrorLevel TakeAccepted() override;
    std::uint8_t Run() override;

    void CloseFiles() override;

  private:
    rt::WindowDeclaration declaration();
    void CheckPassword();

    struct {
        rt::String<20> PasswordEntered;
        rt::String<50> LoginMessage{"'Incorrect Password'"};
    } LOC;
    std::string ActionMessage;
    SystemHistory history_;
    WindowResizeClass Resizer;
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
        rt::control(ControlKind::Prompt, "&Password:").at(10, 12, 44, 10).numbered(PasswordPrompt),
        rt::control(ControlKind::Entry)
            .numbered(PasswordEntry)
            .at(58, 10, 132, 12)
            .bind(LOC.PasswordEntered, "@s20")
            .with(rt::FlagMasked),
        rt::control(ControlKind::String, "Note: Passwords are case sensitive")
            .numbered(NoteString)
            .at(58, 26, 132, 10),
        rt::control(ControlKind::String)
            .numbered(LoginMessageString)
            .at(10, 40, 180, 16)
            .bind(LOC.LoginMessage, "@s50")
            .font("Arial", 14, kRed)
            .with(rt::FlagHidden),
        rt::control(ControlKind::Button, "Login")
            .numbered(LoginButton)
            .at(100, 62, 42, 14)
            .with(rt::FlagDefault),
        rt::control(ControlKind::Button, "&OK")
            .numbered(OkButton)
            .at(100, 62, 42, 14)
            .tipText("Accept data and close the window")
            .with(rt::FlagHidden),
        rt::control(ControlKind::Button, "&Cancel")
            .numbered(CancelButton)
            .at(148, 62, 42, 14)
            .tipText("Cancel operation"),
    };
    return d;
}

ErrorLevel ThisWindow::Init() {
    // The window's first control is the entry's prompt; selecting a prompt
    // means its entry, which is the control that can hold the focus.
    if (ErrorLevel level = BeginInit(PasswordEntry)) return level;
    HistoryKey = CtrlH;
    AddHistoryFile(history_.Live, history_.Saved);
    AddUpdateFile(*Access_System);
    AddItem(CancelButton, ResponseCancelled);
    Relate_System->Open();
    FilesOpened = true;
    Request = OriginalRequest = ReadSystemRecord();
    Primary = Relate_System;
    if (Request == RequestView && !BatchProcessing) {
        InsertAction = InsertActionStay;
        DeleteAction = DeleteActionOnCompletion;
        ChangeAction = ChangeActionStay;
        CancelAction = 0;
    } else {
        ChangeAction = ChangeActionClose;
        CancelAction = CancelActionAsk;
        OkControl = OkButton;
        if (PrimeUpdate()) return LevelNotify;
    }
    OpenQuickWindow(declaration());
    Resizer.Init(*QuickWindow, 2, true, false);
    AddItem(Resizer);
    AddItem(static_cast<WindowComponent&>(Resizer));
    AttachCompanions();
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

std::uint8_t ThisWindow::Run() {
    std::uint8_t response = WindowManager::Run();
    return Request == RequestView ? std::uint8_t{ResponseCancelled} : response;
}

void ThisWindow::CloseFiles() {
    Relate_System->Close();
}

}  // namespace

void GetPasswordWindow() {
    ThisWindow window;
    GlobalResponse = window.Run();
}
