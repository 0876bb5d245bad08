#include "app/UpdatePassword.h"

#include <cassert>
#include <string>

#include "app/Dictionary.h"
#include "app/GlobalErrors.h"
#include "app/HostFacts.h"
#include "app/LinkRegion.h"
#include "app/PasswordsHistory.h"
#include "app/ProcedureWindow.h"
#include "app/UpdatePasswordWindow.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"
#include "window/CalendarClass.h"
#include "window/WindowResizeClass.h"

using namespace PasswordControl;

namespace {

constexpr int CtrlH = rt::keyFor('H') + rt::KeyCtrl;
constexpr const char* kPickerTitle = "Select a Date";

class ThisWindow : public ProcedureWindow {
  public:
    ThisWindow() : ProcedureWindow("UpdatePassword") {}
    ErrorLevel Init() override;
    ErrorLevel Ask() override;
    ErrorLevel TakeAccepted() override;
    std::uint8_t Run() override;

    void CloseFiles() override;
    void TakeOwnFieldEvent() override;

  private:
    void addHistoryFields();
    void setActions();
    void CreateILControls();
    void InternetLinkEvents();
    // Shows picker on the field's date and stores the day chosen in it.
    void pickDate(CalendarClass& picker, rt::StoredDate& field, int entry);

    std::string ActionMessage;  // up to 40 characters
    CalendarClass DateLongPicker;
    CalendarClass DateCreatedPicker;
    CalendarClass DateExpiresPicker;
    WindowResizeClass Resizer;
    int linkRegion_ = 0;
};

// Ctrl+H recalls the focused field from the record saved last.
void ThisWindow::addHistoryFields() {
    static constexpr struct {
        int control, field;
    } kDitto[] = {{TitleEntry, 2},        {LocationEntry, 3},  {UserNameEntry, 4},
                  {PasswordEntry, 5},     {PinEntry, 6},       {SecurityCodeEntry, 7},
                  {DateLongEntry, 8},     {DateShortEntry, 9}, {DateCreatedEntry, 10},
                  {DateExpiresEntry, 11}, {NotesText, 12}};
    PasswordsHistory& history = PasswordsHistory::Current();
    HistoryKey = CtrlH;
    AddHistoryFile(history.Live, history.Saved);
    for (const auto& ditto : kDitto) AddHistoryField(ditto.control, ditto.field);
}

void ThisWindow::setActions() {
    if (Request == RequestView && !BatchProcessing) {
        InsertAction = InsertActionStay;
        DeleteAction = DeleteActionOnCompletion;
        ChangeAction = ChangeActionStay;
        CancelAction = 0;
        return;
    }
    // DeleteAction keeps its default: a delete request asks and deletes
    // without showing the form.
    ChangeAction = ChangeActionClose;
    CancelAction = CancelActionAsk;
    OkControl = OkButton;
}

ErrorLevel ThisWindow::Init() {
    // Selecting the title's prompt means its entry, the control that can
    // hold the focus.
    if (ErrorLevel level = BeginInit(TitleEntry)) return level;
    addHistoryFields();
    AddUpdateFile(*Access_Passwords);
    AddItem(CancelButton, ResponseCancelled);
    Relate_Passwords->Open();
    Relate_System->Open();
    FilesOpened = true;
    Primary = Relate_Passwords;
    setActions();
    if (OkControl && PrimeUpdate()) return LevelNotify;
    OpenQuickWindow(UpdatePasswordWindow());
    CreateILControls();
    Resizer.Init(*QuickWindow, 2, true, false);
    AddItem(Resizer);
    AddItem(static_cast<WindowComponent&>(Resizer));
    AttachCompanions();
    for (int secret : {PasswordEntry, PinEntry, SecurityCodeEntry})
        VSClipboardMgr.SetSecret(secret);
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
    }
    if (MyWindow) MyWindow->setCaption(ActionMessage);
    return WindowManager::Ask();
}

ErrorLevel ThisWindow::TakeAccepted() {
    ErrorLevel result = WindowManager::TakeAccepted();
    switch (currentControl()) {
        case DateLongButton:
            pickDate(DateLongPicker, PAS.DateLong, DateLongEntry);
            break;
        case DateCreatedButton:
            pickDate(DateCreatedPicker, PAS.DateCreated, DateCreatedEntry);
            break;
        case DateExpiresButton:
            pickDate(DateExpiresPicker, PAS.DateExpires, DateExpiresEntry);
            break;
        case OkButton:
            MyWindow->update();
            if (Request == RequestView && !BatchProcessing) MyWindow->post(rt::EventCloseWindow);
            break;
    }
    return result;
}

void ThisWindow::pickDate(CalendarClass& picker, rt::StoredDate& field, int entry) {
    MyWindow->update();
    picker.SelectOnClose = 1;
    picker.Ask(kPickerTitle, rt::fromStored(field));
    if (picker.Response == ResponseCompleted) {
        field = rt::toStored(picker.SelectedDate);
        MyWindow->display(entry);
    }
    Reset(true);
}

std::uint8_t ThisWindow::Run() {
    std::uint8_t response = WindowManager::Run();
    return Request == RequestView ? std::uint8_t{ResponseCancelled} : response;
}

// The link image opens the location. (No region lies over the location
// entry itself: it would take the clicks that place the caret.)
void ThisWindow::CreateILControls() {
    linkRegion_ = CreateLinkRegion(*QuickWindow, LinkImage);
    assert(linkRegion_ == LinkRegion);
}

void ThisWindow::TakeOwnFieldEvent() {
    InternetLinkEvents();
}

// The location as the record buffer holds it: an edit still in the entry
// counts once it has been taken into the buffer.
void ThisWindow::InternetLinkEvents() {
    if (currentControl() == linkRegion_ && currentEvent() == rt::EventMouseDown)
        URLHandler(MyWindow, PAS.Location.clipped());
}

void ThisWindow::CloseFiles() {
    Relate_Passwords->Close();
    Relate_System->Close();
}

}  // namespace

void UpdatePassword() {
    ThisWindow window;
    GlobalResponse = window.Run();
}
