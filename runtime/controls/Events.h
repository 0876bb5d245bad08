#pragma once
// The event codes a window's accept loop delivers and the key codes it
// reports with them. Codes are fixed: the framework compares them by value.

namespace rt {

// clang-format off
enum Event : int {
    EventNone          = 0,    // the window has closed: the loop ends
    EventAccepted      = 1,    // a control took the user's input (button pressed, entry left)
    EventNewSelection  = 2,    // a list's highlighted row changed
    EventScrollUp      = 3,    // page-loaded list: one row up
    EventScrollDown    = 4,    // page-loaded list: one row down
    EventPageUp        = 5,    // page-loaded list: one page up
    EventPageDown      = 6,    // page-loaded list: one page down
    EventScrollTop     = 7,    // page-loaded list: to the first row
    EventScrollBottom  = 8,    // page-loaded list: to the last row
    EventLocate        = 9,    // a locator asks to position its list
    EventMouseUp       = 10,   // region: mouse button released
    EventMouseIn       = 11,   // region: mouse entered
    EventMouseOut      = 12,   // region: mouse left
    EventMouseMove     = 13,   // region: mouse moved
    EventMouseDown     = 14,   // region: mouse button pressed
    EventAlertKey      = 15,   // an alerted key was pressed
    EventPreAlertKey   = 16,   // before the alerted key's normal action
    EventScrollDrag    = 20,   // page-loaded list: thumb dragged
    EventRejected      = 26,   // a control refused its input
    EventSelected      = 257,  // a control received the focus
    EventCloseWindow   = 513,  // the user or the program closes the window
    EventCloseDown     = 514,  // the session ends
    EventOpenWindow    = 515,  // first event of every window
    EventLoseFocus     = 517,  // the window lost the focus
    EventGainFocus     = 518,  // the window regained the focus
    EventNotify        = 522,  // a notification arrived
    EventTimer         = 523,  // the window's timer elapsed
    EventCompleted     = 549,  // the accept-all pass validated every control
    EventSized         = 561,  // the window was resized
    EventResizeCue     = 1023, // posted by the framework after a resize
};

// Key codes: the base key, plus the modifier values.
enum Key : int {
    KeyShift      = 256,
    KeyCtrl       = 512,
    KeyAlt        = 1024,

    MouseLeft     = 1,
    MouseRight    = 2,
    MouseCenter   = 3,
    MouseLeft2    = 5,    // double-click
    MouseRight2   = 6,
    MouseLeftUp   = 129,
    MouseRightUp  = 130,

    BSKey         = 8,
    TabKey        = 9,
    EnterKey      = 13,
    EscKey        = 27,
    SpaceKey      = 32,
    PgUpKey       = 33,
    PgDnKey       = 34,
    EndKey        = 35,
    HomeKey       = 36,
    LeftKey       = 37,
    UpKey         = 38,
    RightKey      = 39,
    DownKey       = 40,
    InsertKey     = 45,
    DeleteKey     = 46,
    AppsKey       = 93,
    F1Key         = 112,  // F2 to F12 follow

    ShiftEnter    = 269,
    CtrlEnter     = 525,
    CtrlHome      = 548,
    CtrlPgUp      = 545,
    CtrlPgDn      = 546,
    CtrlEnd       = 547,
};
// clang-format on

// A letter or digit key: its upper-case character code.
constexpr int keyFor(char c) {
    return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
}

// One event as accept() hands it over.
struct WindowEvent {
    int event = EventNone;
    int control = 0;  // 0 for window events
    int key = 0;      // key code in force when the event happened
    // The character the key in force typed (any script), 0 when it typed
    // none: mouse buttons, navigation keys, Ctrl or Alt held.
    char32_t character = 0;
    explicit operator bool() const { return event != EventNone; }
};

}  // namespace rt
