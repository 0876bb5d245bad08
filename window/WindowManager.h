#pragma once
// The base of every window procedure: runs the window's life cycle, hands
// each event to a virtual handler and then to the registered components, and
// for record forms carries out the insert / change / delete / view request on
// the primary table (saved copy, questions before losing changes, writing,
// retries, the next record). Owns its lists; borrows the window, the
// components, the toolbar, the resizer, the managers and the record buffers
// it is given, all of which must outlive it. Used by the window's thread only.
//
// Life cycle:
//   created --Init--> initialised --Ask--> running (events until the window
//   closes or a handler answers LevelFatal) --Kill--> Dead
//   Run does all three; Kill on a Dead or never initialised manager is a no-op.
// No form navigation component and no translator exist in this program, so
// batch processing never steps on and Open hands the window to nobody.
// A record form's Request moves insert --save button--> save --> change ...,
// and Response moves from cancelled (whenever a write is tried) to completed.

#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "errors/ErrorClass.h"
#include "errors/ErrorLevels.h"
#include "runtime/text/FieldRef.h"
#include "window/Requests.h"
#include "window/WindowComponent.h"

namespace rt {
class Window;
}
class FileManager;
class RelationManager;
class ToolbarClass;
class WindowResizeClass;

// A record buffer seen as its fields in field-number order (field n is
// element n - 1): the live record and its saved copy for the ditto key.
using RecordFields = std::vector<rt::FieldRef>;

// What a record form does after a completed insert (InsertAction).
enum : std::uint8_t {
    InsertActionNone = 0,    // not primed for insertion; nothing follows
    InsertActionStay = 1,    // a form that inserts nothing (a view) stays
    InsertActionClose = 2,   // close with ResponseCompleted
    InsertActionRepeat = 3,  // prepare a fresh record and stay
    InsertActionAsk = 4,     // ask "Do you want to add another record?"
};
// What it does after a completed change (ChangeAction).
enum : std::uint8_t {
    ChangeActionStay = 1,   // any value but ChangeActionClose: stay open
    ChangeActionClose = 2,  // close after a successful change (not in batch processing)
};
// How it deletes (DeleteAction). With DeleteActionConfirm or
// DeleteActionSilent a form called for deletion deletes while it is set up
// and never shows its window.
enum : std::uint8_t {
    DeleteActionOnCompletion = 1,  // any other value: show the form, delete when it completes
    DeleteActionConfirm = 2,       // ask the confirmation question first
    DeleteActionSilent = 4,        // delete without the question
};
// Bits of CancelAction: what Cancel does with changed data.
enum : std::uint8_t {
    CancelActionSave = 1,  // changed data is saved rather than thrown away
    CancelActionAsk = 2,   // ask first
};

class WindowManager {
  public:
    struct ButtonEntry {
        std::int32_t Control = 0;
        std::uint8_t Action = 0;
    };
    struct ComponentEntry {
        std::int32_t Type = 0;  // always 0: a standard component
        WindowComponent* WC = nullptr;
    };
    struct FileEntry {
        FileManager* Manager = nullptr;
        std::uint16_t Saved = 0;
    };
    struct HistoryEntry {
        RecordFields* FRecord = nullptr;
        RecordFields* SRecord = nullptr;
        std::int32_t Control = 0;
        std::int32_t FieldNo = 0;
    };

    WindowManager();
    virtual ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // The replaceable operations, in their slot order. Handlers answer a
    // severity level: 0 lets the runtime's default handling go on,
    // LevelFatal ends the event loop, LevelNotify means fully handled.
    virtual ErrorLevel Ask();
    virtual ErrorLevel Init();
    virtual ErrorLevel Kill();
    virtual void Open();
    virtual void Open(rt::Window& window, rt::Window* owner = nullptr);
    virtual void PrimeFields();
    virtual ErrorLevel PrimeUpdate();
    virtual void Reset(bool force = false);
    virtual void RestoreField(int control);
    virtual std::uint8_t Run();
    virtual std::uint8_t Run(int number, std::uint8_t request);
    virtual void SetAlerts();
    virtual void SetResponse(std::uint8_t response);
    virtual ErrorLevel TakeAccepted();
    virtual ErrorLevel TakeCompleted();
    virtual ErrorLevel TakeCloseEvent();
    virtual ErrorLevel TakeEvent();
    virtual ErrorLevel TakeFieldEvent();
    virtual ErrorLevel TakeNewSelection();
    virtual ErrorLevel TakeNotify(int code, int thread, int parameter);
    virtual ErrorLevel TakeRejected();
    virtual ErrorLevel TakeSelected();
    virtual ErrorLevel TakeWindowEvent();
    virtual void Update();
    virtual void TakeDisableButton(int control, bool disable);
    // Completing an insert, a change and a delete. (Named apart from the
    // action settings they read.)
    virtual ErrorLevel TakeInsertAction();
    virtual ErrorLevel TakeChangeAction();
    virtual ErrorLevel TakeDeleteAction();
    virtual ErrorLevel SaveOnChangeAction();
    virtual ErrorLevel SaveOnInsertAction();

    // REQUIRES: Init has run (the lists exist), else an assertion.
    void AddItem(WindowComponent& component);
    void AddItem(ToolbarClass& toolbar);
    void AddItem(int control, std::uint8_t action);
    // A browse: its component, and its Selecting flag when picking a record.
    template <typename Browse>
    requires std::derived_from<Browse, WindowComponent> && requires(Browse& b) {
        b.Selecting = true;
    }
    void AddItem(Browse& browse) {
        AddItem(static_cast<WindowComponent&>(browse));
        if (Request == RequestSelect) browse.Selecting = true;
    }
    // The resizer: Kill kills it with the window.
    template <std::same_as<WindowResizeClass> Resizer>
    void AddItem(Resizer& resizer) {
        Resize = &resizer;
        killResizer_ = [&resizer] { resizer.Kill(); };
    }
    void RemoveItem(WindowComponent& component);
    void AddUpdateFile(FileManager& manager);
    // REQUIRES: record and saved have the same fields and outlive this.
    void AddHistoryFile(RecordFields& record, RecordFields& saved);
    void AddHistoryField(int control, int fieldNo);
    void PostCompleted();
    void ResetBuffers(bool force);
    void SaveHistory();
    void DisableCancelControls();
    void EnableCancelControls();
    // True while the form holds an insert or a change its user has not
    // saved: the record differs from the copy taken when it was read or last
    // saved (an edit still in the focused entry counts).
    bool HoldsUnsavedChanges();
    // Whether a window of the calling thread whose loop is running (its Ask
    // has not returned) holds unsaved changes.
    static bool UnsavedChangesOpen();

    // The fields, by their names.
    bool AutoRefresh = true;
    bool AutoToolbar = true;
    std::unique_ptr<std::vector<ButtonEntry>> Buttons;
    std::unique_ptr<std::vector<ComponentEntry>> CL;
    std::uint8_t CancelAction = CancelActionSave | CancelActionAsk;
    std::uint8_t ChangeAction = ChangeActionClose;
    bool Dead = false;
    std::uint8_t DeleteAction = DeleteActionConfirm;
    bool BatchProcessing = false;
    ErrorClass* Errors = nullptr;
    std::unique_ptr<std::vector<FileEntry>> Files;
    bool FilesOpened = false;
    std::int32_t FirstField = 0;
    bool ForcedReset = false;
    std::unique_ptr<std::vector<HistoryEntry>> History;
    std::int32_t HistoryKey = 0;
    std::uint8_t Inited = 0;  // 1: Open has run; 2: the first EventSized was seen
    std::uint8_t InsertAction = InsertActionClose;
    std::string LastInsertedPosition;  // up to 1024 characters
    std::int32_t OkControl = 0;
    std::int32_t SaveControl = 0;
    bool DisableCancelButton = false;
    bool Opened = false;
    std::uint8_t OriginalRequest = 0;
    bool RecordSaved = false;
    std::uint8_t BeforeSaveRequest = 0;
    RelationManager* Primary = nullptr;
    std::uint8_t Request = 0;
    bool ResetOnGainFocus = false;
    WindowResizeClass* Resize = nullptr;
    std::uint8_t Response = 0;
    std::uint16_t Saved = 0;
    ToolbarClass* Toolbar = nullptr;
    std::int32_t* VCRRequest = nullptr;
    rt::Window* MyWindow = nullptr;
    rt::Window* OwnerWindow = nullptr;

  protected:
    // The event the loop is handling now.
    int currentEvent() const;
    int currentControl() const;
    int currentKey() const;
    // The window's control type of control (0 when there is no such control).
    int controlType(int control) const;
    void selectFirstField();
    void redisplay();
    // The primary record buffer differs from the saved copy.
    bool recordChanged();
    // ChangeAction steps 1-4: writes a changed record, asking to retry.
    // Answers the write's result (0 = written or unchanged) and whether the
    // record had changed.
    ErrorLevel writeChange(bool& changed);
    // Leaves the form on a fresh primed record after an insert.
    ErrorLevel prepareNextRecord();
    void takeFreshSaved();
    ErrorLevel offerToComponents();
    void setBusy(bool busy);
    // Through Errors; without one, an assertion and the cautious answer.
    ErrorLevel throwError(ErrorId id);
    int askMessage(ErrorId id, int buttons, int defaultButton);

  private:
    bool initialised_ = false;
    // The buffer pair AddHistoryField gives its entries.
    RecordFields* historyRecord_ = nullptr;
    RecordFields* historySaved_ = nullptr;
    std::function<void()> killResizer_;
};
