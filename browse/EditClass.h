#pragma once
// Edits one list column in place: the control laid over the column's cell,
// bound to the column's queue field under the column's picture, and the keys
// alerted on it turned into edit actions for the edit-in-place manager. The
// base makes no control; EditEntryClass makes an entry. Owns the control it
// made (destroyed by Kill); borrows the window and the variable, which must
// outlive it. GUI thread only.

#include <cstdint>

#include "runtime/text/FieldRef.h"

namespace rt {
class Window;
}

// What an editor asks the edit-in-place manager to do (TakeEvent,
// TakeAccepted).
// clang-format off
enum EditAction : int {
    EditActionNone     = 0,
    EditActionForward  = 1,  // Tab: the next column
    EditActionBackward = 2,  // Shift+Tab: the previous column
    EditActionComplete = 3,  // Enter: complete the row
    EditActionCancel   = 4,  // Esc: abandon the row; from TakeAccepted: the value is refused
    EditActionNext     = 5,  // Down: complete and go on with the next row
    EditActionPrevious = 6,  // Up: complete and go on with the previous row
};
// clang-format on

class EditClass {
  public:
    EditClass() = default;
    virtual ~EditClass();
    EditClass(const EditClass&) = delete;
    EditClass& operator=(const EditClass&) = delete;

    // The operations in their slot order.
    // Makes the control (Feq) on Win, hidden until it is laid over a cell.
    virtual void CreateControl();
    // column: the list column (1-based) of list control listBox on window;
    // useVar: the queue field the column shows. An editor that makes no
    // control is a programming error (an assertion).
    virtual void Init(int column, int listBox, rt::FieldRef useVar, rt::Window& window);
    // Destroys the control and forgets the variable; may be called twice.
    virtual void Kill();
    virtual void SetAlerts();
    virtual void SetReadOnly(bool state);
    // Takes the control's text into the variable; answers action, or
    // EditActionCancel when the value is refused.
    virtual int TakeAccepted(int action);
    // The action an event of the control asks for (EditActionNone mostly).
    virtual int TakeEvent(int event);
    virtual int GetFeq();
    // Nonzero when the editor wants to stay where it is rather than be laid
    // over the cell again.
    virtual int ResetControl();

    std::int32_t Feq = 0;
    rt::FieldRef UseVar;
    std::int32_t ListBoxFeq = 0;
    bool ReadOnly = false;
    std::int32_t FieldNo = 0;
    bool Req = false;  // the column must not be left empty or zero

  protected:
    rt::Window* Win = nullptr;
};
