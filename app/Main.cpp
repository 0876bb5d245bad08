#include "app/Main.h"

#include <memory>

#include "app/AboutWindow.h"
#include "app/DailyBackup.h"
#include "app/Dictionary.h"
#include "app/ExpiringEntries.h"
#include "app/GetPasswordWindow.h"
#include "app/GlobalData.h"
#include "app/HostFacts.h"
#include "app/INIMgrClass.h"
#include "app/IdleLock.h"
#include "app/LinkRegion.h"
#include "app/ListCopyKeys.h"
#include "app/MainList.h"
#include "app/Options.h"
#include "app/ProcedureWindow.h"
#include "app/StatusNotice.h"
#include "app/SystemForm.h"
#include "app/UpdatePassword.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/SecretClipboard.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Halt.h"
#include "runtime/picture/Picture.h"
#include "runtime/text/Date.h"
#include "window/WindowResizeClass.h"

namespace {

using namespace MainControl;

enum : int { DateZone = 2, TimeZone = 3 };

constexpr const char* kListFormat =
    "150L(2)|M~Title~@s80@150L(2)|M~Location/URL~@s254@123L(2)|M~User Name~@s65@"
    "69L(2)|M~Password~@s10@";
constexpr int kLinkBlue = 0xCC0000;

class ThisWindow : public ProcedureWindow {
  public:
    ThisWindow() : ProcedureWindow("Main") {}
    ErrorLevel Init() override;
    ErrorLevel Ask() override;
    ErrorLevel TakeAccepted() override;
    ErrorLevel TakeWindowEvent() override;
    // The header sort sees every event first; what it takes goes no further.
    ErrorLevel TakeEvent() override;
    void SetAlerts() override;
    // The list's update procedure: the credential form.
    std::uint8_t Run(int number, std::uint8_t request) override;
    using ProcedureWindow::Run;

    void CloseFiles() override;
    void TakeOwnFieldEvent() override;

  private:
    rt::WindowDeclaration declaration();
    // The login gate; false when the process was halted.
    bool passedLogin();
    void CreateILControls();
    void InternetLinkEvents();
    void showClock();
    void showExpiryReminder();

    int linkRegion_ = 0;
    WindowResizeClass Resizer;
    MainList List;
    std::unique_ptr<ListCopyKeys> CopyKeys;
    StatusNotice Notice;
    IdleLock Lock;
};

rt::ControlDeclaration rowButton(const char* text, int slot, const char* icon) {
    return rt::control(rt::ControlKind::Button, text).at(8 + slot * 77, 8, 73, 29).iconName(icon);
}

rt::WindowDeclaration ThisWindow::declaration() {
    using rt::ControlKind;
    rt::WindowDeclaration d;
    d.caption = "Password Lockora";
    d.width = 512;
    d.height = 262;
    d.icon = "safe.ico";
    d.resizable = true;
    d.statusZones = {262, 150, -1};
    d.timer = 100;
    d.controls = {
        rt::control(ControlKind::Group).numbered(ButtonRowGroup).at(4, 2, 504, 40),
        rowButton("&Add", 0, "Add.ico").numbered(InsertButton).tipText("Insert a Record"),
        rowButton("&Change", 1, "Refresh.ico").numbered(ChangeButton).tipText("Change the Record"),
        rowButton("&Delete", 2, "delete.ico").numbered(DeleteButton).tipText("Delete the Record"),
        rowButton("System", 3, "Settings.ico").numbered(SystemButton),
        rowButton("&Exit", 4, "Log Out.ico").numbered(ExitButton).tipText("Close Window"),
        rowButton("About", 5, "lockora-logo.svg").numbered(AboutButton),
        rt::control(ControlKind::List, "Password List")
            .numbered(PasswordList)
            .at(4, 46, 504, 184)
            .listFormat(kListFormat)
            .with(rt::FlagVScroll | rt::FlagPageLoaded),
        rt::control(ControlKind::Group).numbered(LinkGroup).at(4, 234, 504, 24),
        rt::control(ControlKind::Prompt, "Click to go to web site:")
            .numbered(LinkPrompt)
            .at(10, 243, 84, 10),
        rt::control(ControlKind::String)
            .numbered(LocationString)
            .at(96, 243, 384, 10)
            .bind(PAS.Location, "@s254")
            .font("", 0, kLinkBlue),
        rt::control(ControlKind::Button)
            .numbered(LinkButton)
            .at(486, 240, 18, 15)
            .iconName("hyperlink_green.ico")
            .tipText("Go to the web site"),
    };
    return d;
}

bool ThisWindow::passedLogin() {
    GetPasswordWindow();
    if (GLO.PasswordVerified == 0) {
        // The exit runs the static objects' clean-up, which would save them.
        INIMgr.Abandon();
        rt::halt(0);
        return false;
    }
    if (SYS.MasterPassword.blank()) SystemForm();
    // After a first run's settings, so that its copy holds them.
    MakeDailyBackup();
    // Checked and, if need be, set: nothing in this window needs it again,
    // and the settings form reads it anew from the file.
    SYS.MasterPassword.wipe();
    return true;
}

ErrorLevel ThisWindow::Init() {
    if (ErrorLevel level = BeginInit(PasswordList)) return level;
    AddItem(ExitButton, Request == RequestSelect ? ResponseCancelled : ResponseCompleted);
    ReadHostFacts();
    Relate_Passwords->Open();
    Relate_System->Open();
    FilesOpened = true;
    List.Init(PasswordList, *Relate_Passwords, *this);
    OpenQuickWindow(declaration());
    if (!passedLogin()) {
        // Only a halt handler that returns gets here: the window goes the
        // way every window ends, closed before it is destroyed.
        QuickWindow->close();
        return LevelFatal;
    }
    Lock.Arm();
    CreateILControls();
    rt::setSecretClearSeconds(Options::ClearClipboardSeconds());
    Notice.Init(*QuickWindow);
    showExpiryReminder();
    CopyKeys = std::make_unique<ListCopyKeys>(*QuickWindow, List, PasswordList);
    List.SetUp();
    Resizer.Init(*QuickWindow, 2, true, false);
    AddItem(Resizer);
    AddItem(static_cast<WindowComponent&>(Resizer));
    List.BRW1.AskProcedure = 1;
    // Before the alerts are set, so that the header sort's are among them.
    List.InitSortHeader(*QuickWindow, "Main");
    AttachCompanions();
    return LevelBenign;
}

ErrorLevel ThisWindow::TakeEvent() {
    if (List.BRW1_SortHeader.TakeEvents()) return LevelNotify;
    if (CopyKeys && CopyKeys->TakeEvent()) return LevelNotify;
    return ProcedureWindow::TakeEvent();
}

void ThisWindow::SetAlerts() {
    ProcedureWindow::SetAlerts();
    List.BRW1_SortHeader.SetAlerts();
    if (CopyKeys) CopyKeys->SetAlerts();
}

// Before the list's first page: counting reads through the record buffer.
void ThisWindow::showExpiryReminder() {
    int days = Options::ExpiryWarningDays();
    if (days <= 0) return;
    Notice.SetStanding(ExpiryReminderText(CountEntriesExpiringBy(rt::today() + days), days));
}

std::uint8_t ThisWindow::Run(int number, std::uint8_t request) {
    WindowManager::Run(number, request);
    if (OriginalRequest == RequestView) return ResponseCancelled;
    GlobalRequest = request;
    UpdatePassword();
    return GlobalResponse;
}

void ThisWindow::showClock() {
    MyWindow->setStatusText(DateZone, rt::format(rt::Value(rt::today()), "@D4"));
    MyWindow->setStatusText(TimeZone, rt::format(rt::Value(rt::clockNow()), "@T6"));
}

ErrorLevel ThisWindow::Ask() {
    if (MyWindow) showClock();
    return WindowManager::Ask();
}

ErrorLevel ThisWindow::TakeWindowEvent() {
    ErrorLevel result = WindowManager::TakeWindowEvent();
    if (currentEvent() == rt::EventTimer) showClock();
    return result;
}

void ThisWindow::TakeOwnFieldEvent() {
    InternetLinkEvents();
}

ErrorLevel ThisWindow::TakeAccepted() {
    ErrorLevel result = WindowManager::TakeAccepted();
    switch (currentControl()) {
        case SystemButton:
            MyWindow->update();
            SystemForm();
            Reset(true);
            break;
        case AboutButton:
            MyWindow->update();
            AboutWindow();
            Reset(true);
            break;
        case LinkButton:
            MyWindow->update();
            URLHandler(MyWindow, PAS.Location.clipped());
            break;
    }
    return result;
}

// The region lies exactly over the location line, so a click anywhere on
// the text opens it.
void ThisWindow::CreateILControls() {
    linkRegion_ = CreateLinkRegion(*QuickWindow, LocationString);
}

void ThisWindow::InternetLinkEvents() {
    if (currentControl() == linkRegion_ && currentEvent() == rt::EventMouseDown)
        URLHandler(MyWindow, PAS.Location.clipped());
}

void ThisWindow::CloseFiles() {
    Notice.Kill();
    Relate_Passwords->Close();
    Relate_System->Close();
    List.BRW1_SortHeader.Kill();
}

}  // namespace

void Main() {
    ThisWindow window;
    GlobalResponse = window.Run();
}
