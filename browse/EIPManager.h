#pragma once
// Edit-in-place: insert, change and delete inside a list, with an editor laid
// over the cell being edited. The user moves between the editable columns of
// the row with Tab and Shift+Tab, completes with Enter, abandons with Esc and
// may go straight on to the next or previous row with Down and Up. Each
// request runs one nested event loop of this window manager on the list's own
// window. Borrows the browse, its field pairs and edit queue, the action
// settings, the error manager and the navigation request, all of which must
// outlive it; the editors it makes go into the edit queue, which disposes of
// them. GUI thread only.
//
// One request:
//   Run --Init--> editing (an editor on column Column of the row)
//   editing --Tab/Shift+Tab/click on the row--> editing (another column)
//   editing --completion that clears Again: Enter, Esc, Up, Down, Tab on the
//     last column, a click elsewhere, a close request--> Kill
//   editing --completion that leaves Again (failed save, a refused or empty
//     required column, Cancel to the save question)--> editing
// Kill posts again what ended the loop from outside (a click, a close).

#include <cstdint>

#include "browse/EditQueue.h"
#include "window/WindowManager.h"

class BrowseClass;
class EditClass;
class FieldPairsClass;

// Action settings: the bytes Arrow, Enter, Tab and FocusLoss refer to.
// clang-format off
enum : std::uint8_t {
    EIPActionDefault    = 0,   // save; Tab asks
    EIPActionSave       = 1,
    EIPActionAbandon    = 2,
    EIPActionAsk        = 3,
    EIPActionHow        = 7,   // the bits that say what completing does
    EIPActionContinue   = 8,   // then go on with the next row (Up: the previous)
    EIPActionSameColumn = 16,  // arrows: edit the same column on that row
};
// Where a new row goes (Insert); any other value: after the highlighted row.
enum : std::uint8_t {
    EIPInsertAfter  = 0,
    EIPInsertBefore = 9,   // before the highlighted row
    EIPInsertAtEnd  = 10,  // after the last record (the last page is shown first)
};
// How a delete is confirmed (DeleteKeyAction); any other value: no question.
enum : std::uint8_t {
    EIPDeleteNoQuestion = 0,
    EIPDeleteNever      = 2,  // nothing is deleted, the request is cancelled
    EIPDeleteConfirm    = 4,  // the relation manager asks first
};
// What TakeCompleted is told to do: the message-box buttons of the question.
enum : int {
    EIPForceAsk     = 0,
    EIPForceSave    = 2,  // Yes
    EIPForceAbandon = 4,  // No
};
// clang-format on

class EIPManager : public WindowManager {
  public:
    EIPManager() = default;
    ~EIPManager() override;

    // Runs one request (insert, change or delete) on BC's highlighted row;
    // answers the response.
    std::uint8_t Run(std::uint8_t request);
    using WindowManager::Run;

    // WindowManager slots replaced.
    // The nested loop: it ends the edit, never the window.
    ErrorLevel Ask() override;
    ErrorLevel Init() override;
    ErrorLevel Kill() override;
    ErrorLevel TakeEvent() override;
    ErrorLevel TakeFieldEvent() override;

    // The manager's own operations, in slot order.
    // Takes the editor off its cell.
    virtual void ClearColumn();
    // An editor for every column of the list (an entry where the edit queue
    // has none), each bound to its queue field.
    virtual void InitControls();
    // The edit queue entry of the editable column nearest Column in the
    // SeekForward direction; Column becomes that column. Null (an
    // assertion) when the row has none.
    virtual EditQueueEntry* GetEdit();
    // Lays the editor of the chosen column over its cell and focuses it.
    virtual void ResetColumn();
    // Takes every editor's value; answers true when a column refused or a
    // required one is empty, which then becomes the edited column.
    virtual bool TakeAcceptAll();
    virtual void TakeAction(int action);
    // force: EIPForceAsk, EIPForceSave or EIPForceAbandon.
    virtual void TakeCompleted(int force);
    using WindowManager::TakeCompleted;
    virtual void TakeFocusLoss();

    // An editor (null: the column is not edited) for the column showing
    // queue field `field`; freeUp hands the editor to the edit queue.
    // REQUIRES: EQ is set.
    void AddControl(EditClass* editor, int field, bool freeUp);

    // The fields, by their names.
    bool Again = false;
    std::uint8_t* Arrow = nullptr;
    std::int32_t Column = 0;
    std::uint8_t* Enter = nullptr;
    EditQueue* EQ = nullptr;
    FieldPairsClass* Fields = nullptr;  // left: file field, right: queue field
    std::uint8_t* FocusLoss = nullptr;
    std::uint8_t Insert = EIPInsertAfter;
    std::int32_t ListControl = 0;
    std::int32_t LastColumn = 0;
    std::int32_t Repost = 0;
    std::int32_t RepostField = 0;
    std::uint8_t Req = 0;
    bool SeekForward = false;
    std::uint8_t* Tab = nullptr;
    std::uint8_t MouseLeftIndex = 0;  // 1: the list's left-click alert was taken off
    bool WasPrimed = false;
    std::uint8_t DeleteKeyAction = EIPDeleteNoQuestion;
    BrowseClass* BC = nullptr;

  protected:
    // The entry of list column `column`, null when it has none.
    EditQueueEntry* entryFor(int column);
    // The editor whose control is `control`, null when none is.
    EditQueueEntry* entryOfControl(int control);
    // The next column from `from` on (step +1 or -1) that has an editor
    // and is shown; 0 when there is none.
    int editableColumn(int from, int step);
    int columnCount() const;
    // What completing with a setting does; tab: the Tab setting's default.
    static int forceFor(const std::uint8_t* setting, bool tab);
    static bool continues(const std::uint8_t* setting, std::uint8_t bit);
    void moveColumn(int step);
    // Completes by setting; with its Continue bit the browse goes on to the
    // row vcr names, and an arrow's SameColumn bit keeps the column.
    void completeRow(const std::uint8_t* setting, bool tab, std::int32_t vcr, bool arrow = false);
};
