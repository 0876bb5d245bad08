#include "app/SystemForm.h"

#include "app/Dictionary.h"
#include "app/GlobalData.h"
#include "app/GlobalErrors.h"
#include "app/ProcedureWindow.h"
#include "app/ReadSystemRecord.h"
#include "app/SystemHistory.h"
#include "errors/ErrorIds.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/Window.h"
#include "window/WindowResizeClass.h"

namespace {

using namespace SystemControl;

constexpr int kRed = 255;
constexpr const char* kKeyChangeRefused =
    "The master password cannot be changed while Lockora has the data file open "
    "elsewhere.|Close Lockora everywhere else, then change it again. The master "
    "password stays as it was.";
constexpr int CtrlH = rt::keyFor('H') + rt::KeyCtrl;

class ThisWindow : public ProcedureWindow {
  public:
    ThisWindow() : ProcedureWindow("SystemForm") {}
    ErrorLevel Init() override;
    ErrorLevel Ask() override;
    ErrorLevel TakeAccepted() override;
    ErrorLevel TakeCompleted() override;
    std::uint8_t Run() override;

    void CloseFiles() override;

  private:
    rt::WindowDeclaration declaration();
    void addHistoryFields();
    void setActions();
    bool keyChangeRefused();

    std::string ActionMessage;
    rt::String<20> stored_;  // the master password as the file holds it
    SystemHistory history_;
    WindowResizeClass Resizer;
};

// An entry of the General System tab with its prompt, one row each.
void addEntry(rt::WindowDeclaration& d, int number, const char* prompt, int y, int width,
              rt::FixedText& field, const char* picture) {
    using rt::ControlKind;
    d.controls.push_back(
        rt::control(ControlKind::Prompt, prompt).numbered(number - 1).at(12, y + 2).in(GeneralTab));
    d.controls.push_back(rt::control(ControlKind::Entry)
                             .numbered(number)
                             .at(84, y, width, 12)
                             .bind(field, picture)
                             .in(GeneralTab));
}

// A display-only line of the System Info tab with its prompt.
void addFact(rt::WindowDeclaration& d, int number, const char* prompt, int y, rt::FixedText& value,
             const char* picture) {
    using rt::ControlKind;
    d.controls.push_back(
        rt::control(ControlKind::Prompt, prompt).numbered(number - 1).at(12, y).in(InfoTab));
    d.controls.push_back(rt::control(ControlKind::String)
                             .numbered(number)
                             .at(90, y, 198, 10)
                             .bind(value, picture)
                             .in(InfoTab));
}

rt::WindowDeclaration ThisWindow::declaration() {
    using rt::ControlKind;
    rt::WindowDeclaration d;
    d.caption = "System";
    d.width = 300;
    d.height = 204;
    d.icon = "folder document2.ico";
    d.resizable = true;
    d.controls = {
        rt::control(ControlKind::Sheet).numbered(SheetControl).at(4, 4, 292, 176),
        rt::control(ControlKind::Tab, "General System").numbered(GeneralTab).in(SheetControl),
    };
    addEntry(d, NameEntry, "Name", 22, 140, SYS.CompanyName, "@s35");
    addEntry(d, AddressEntry, "Address:", 37, 200, SYS.Address, "@s50");
    addEntry(d, CityEntry, "City:", 52, 100, SYS.City, "@s20");
    addEntry(d, StateEntry, "State:", 67, 20, SYS.State, "@s2");
    addEntry(d, ZipEntry, "Zip:", 82, 36, SYS.Zip, "@s5");
    addEntry(d, PhoneEntry, "Phone:", 97, 70, SYS.Phone, "@s13");
    addEntry(d, FaxEntry, "Fax:", 112, 70, SYS.Fax, "@s13");
    // The e-mail entry stands beside the short state entry; the master
    // password has the last row, its warning underneath.
    d.controls.push_back(rt::control(ControlKind::Prompt, "WebSite:")
                             .numbered(WebSiteEntry - 1)
                             .at(12, 129)
                             .in(GeneralTab));
    d.controls.push_back(rt::control(ControlKind::Entry)
                             .numbered(WebSiteEntry)
                             .at(84, 127, 200, 12)
                             .bind(SYS.WebSite, "@s65")
                             .in(GeneralTab));
    d.controls.push_back(rt::control(ControlKind::Prompt, "email:")
                             .numbered(EmailEntry - 1)
                             .at(166, 69)
                             .in(GeneralTab));
    d.controls.push_back(rt::control(ControlKind::Entry)
                             .numbered(EmailEntry)
                             .at(196, 67, 88, 12)
                             .bind(SYS.Email, "@s35")
                             .in(GeneralTab));
    d.controls.push_back(rt::control(ControlKind::Prompt, "Master Password:")
                             .numbered(MasterPasswordEntry - 1)
                             .at(12, 148)
                             .in(GeneralTab));
    d.controls.push_back(rt::control(ControlKind::Entry)
                             .numbered(MasterPasswordEntry)
                             .at(84, 146, 100, 12)
                             .bind(SYS.MasterPassword, "@s20")
                             .requiredMessage("You cannot have a blank password!")
                             .tipText("Please enter a password")
                             .in(GeneralTab));
    d.controls.push_back(rt::control(ControlKind::String, "You MUST enter a Master Password")
                             .numbered(MasterWarningString)
                             .at(84, 161, 204, 14)
                             .font("Arial", 12, kRed)
                             .in(GeneralTab));
    d.controls.push_back(
        rt::control(ControlKind::Tab, "System Info").numbered(InfoTab).in(SheetControl));
    addFact(d, UserString, "User Name:", 24, GLO.User, "@s65");
    addFact(d, OsString, "Operating System:", 40, GLO.OS, "@s65");
    addFact(d, ComputerString, "Computer Name:", 56, GLO.ComputerName, "@s65");
    addFact(d, FileLocationString, "Data File Location:", 72, GLO.FileLocation, "@s253");
    d.controls.push_back(rt::control(ControlKind::Button, "&OK")
                             .numbered(OkButton)
                             .at(196, 186, 46, 14)
                             .with(rt::FlagDefault)
                             .tipText("Accept data and close the window"));
    d.controls.push_back(rt::control(ControlKind::Button, "&Cancel")
                             .numbered(CancelButton)
                             .at(248, 186, 46, 14)
                             .tipText("Cancel operation"));
    return d;
}

// Ctrl+H restores the focused entry from the saved record: field n of the
// record for control 2n.
void ThisWindow::addHistoryFields() {
    HistoryKey = CtrlH;
    AddHistoryFile(history_.Live, history_.Saved);
    for (int field = 2; field <= 11; ++field) AddHistoryField(2 * field, field);
}

void ThisWindow::setActions() {
    if (Request == RequestView && !BatchProcessing) {
        InsertAction = InsertActionStay;
        DeleteAction = DeleteActionOnCompletion;
        ChangeAction = ChangeActionStay;
        CancelAction = 0;
        return;
    }
    DeleteAction = DeleteActionOnCompletion;
    ChangeAction = ChangeActionClose;
    CancelAction = CancelActionAsk;
    OkControl = OkButton;
}

ErrorLevel ThisWindow::Init() {
    // The first control is the name's prompt; selecting a prompt means its
    // entry, which is the control that can hold the focus.
    if (ErrorLevel level = BeginInit(NameEntry)) return level;
    addHistoryFields();
    AddUpdateFile(*Access_System);
    AddItem(CancelButton, ResponseCancelled);
    Relate_System->Open();
    FilesOpened = true;
    Request = OriginalRequest = ReadSystemRecord();
    if (Request == 0) return LevelFatal;  // reported; nothing to edit
    Primary = Relate_System;
    stored_ = SYS.MasterPassword;
    setActions();
    if (OkControl && PrimeUpdate()) return LevelNotify;
    OpenQuickWindow(declaration());
    Resizer.Init(*QuickWindow, 2, true, false);
    AddItem(Resizer);
    AddItem(static_cast<WindowComponent&>(Resizer));
    AttachCompanions();
    VSClipboardMgr.SetSecret(MasterPasswordEntry);
    return LevelBenign;
}

ErrorLevel ThisWindow::Ask() {
    switch (Request) {
        case RequestView:
            ActionMessage = "View Record";
            break;
        case RequestInsert:
            ActionMessage = "Record Will Be Added";
            break;
        case RequestChange:
            ActionMessage = "Record Will Be Changed";
            break;
        case RequestDelete:
            GlobalErrors.Throw(ErrDeleteNotAllowed);
            return LevelBenign;
    }
    std::string caption = ActionMessage;
    // The stored name keeps its padding: all 35 characters stand before ")".
    if (Request == RequestChange) caption += "  (" + SYS.CompanyName.str() + ")";
    if (Request == RequestInsert) caption += "  (New)";
    if (MyWindow) MyWindow->setCaption(caption);
    return WindowManager::Ask();
}

ErrorLevel ThisWindow::TakeAccepted() {
    ErrorLevel result = WindowManager::TakeAccepted();
    if (currentControl() == OkButton) {
        MyWindow->update();
        if (Request == RequestView && !BatchProcessing) MyWindow->post(rt::EventCloseWindow);
    }
    return result;
}

ErrorLevel ThisWindow::TakeCompleted() {
    if (keyChangeRefused()) return LevelNotify;
    return WindowManager::TakeCompleted();
}

// The master password keys the data file, and another station that has it
// open would lose it the moment the key changes: the change waits until this
// station is the only one, and the stored password stays meanwhile.
bool ThisWindow::keyChangeRefused() {
    if (SYS.MasterPassword == stored_ || !SYS.File.openedByOtherStations()) return false;
    GlobalErrors.Msg(kKeyChangeRefused, "Master Password Not Changed", rt::IconExclamation,
                     rt::ButtonOk, rt::ButtonOk, 0);
    SYS.MasterPassword = stored_;
    MyWindow->display(MasterPasswordEntry);
    MyWindow->select(MasterPasswordEntry);
    return true;
}

std::uint8_t ThisWindow::Run() {
    std::uint8_t response = WindowManager::Run();
    return Request == RequestView ? std::uint8_t{ResponseCancelled} : response;
}

void ThisWindow::CloseFiles() {
    stored_.wipe();
    SYS.MasterPassword.wipe();
    Relate_System->Close();
}

}  // namespace

void SystemForm() {
    ThisWindow window;
    GlobalResponse = window.Run();
}
