#pragma once
// Control and window properties addressed by number, for the framework's
// generic property reads and writes. Numbers are fixed once given.

namespace rt {

// clang-format off
enum class Prop : int {
    Text          = 1,   // caption, entry text, prompt text
    Hide          = 2,   // 1 when hidden by the program
    Disable       = 3,   // 1 when disabled
    XPos          = 4,   // dialog units from the client origin (window: from the screen's)
    YPos          = 5,
    Width         = 6,
    Height        = 7,
    Type          = 8,   // the ControlKind number
    Required      = 9,
    ReadOnly      = 10,
    FontColor     = 11,  // colour value; the window's for control 0
    FontStyle     = 12,  // weight plus style bits: see FontStyleBits
    FontSize      = 13,
    Color         = 14,  // background colour value; -1 when the program set none
    Tip           = 15,
    Icon          = 16,
    Visible       = 17,  // read-only: shown on screen (own flag, tab, parents)
    Parent        = 18,  // read-only: the sheet, tab or group control
    Default       = 19,  // button: pressed by Enter (the first such button)
    Selected      = 20,  // list: highlighted row (1-based, 0 none); sheet: current tab
    Items         = 21,  // list: rows the list can show
    FirstShown    = 22,  // list: row shown at the top
    VScroll       = 23,  // list: scroll bar shown
    ScrollPos     = 24,  // list: thumb position 0-100
    MouseRow      = 25,  // list: row under the mouse (0 = none or the header)
    MouseColumn   = 26,  // list: column under the mouse (0 = none)
    MouseZone     = 27,  // list: 0 cells, 1 a column border, 2 the header
    HeaderText    = 28,  // list: indexed by column
    HeaderHeight  = 29,  // list, dialog units
    ColumnWidth   = 30,  // list: indexed by column
    Format        = 31,  // list format string
    PageLoaded    = 32,  // list: reports scroll events
    Bevel         = 33,  // region: -1 sunken, 0 flat, 1 raised
    Immediate     = 34,  // region: reports mouse moves
    NoLayout      = 35,  // left alone by the framework's resizer and highlighter
    Alert         = 36,  // write: alerts the key code on the control (0: the window)
    Columns       = 37,  // list: number of columns
    SelStart      = 38,  // entry: first selected character, else the caret's (1-based)
    SelEnd        = 39,  // entry: last selected character (0 = nothing selected)
    Password      = 40,  // read-only: entry masks what is typed
    Edit          = 41,  // list, indexed by column: the control laid over that column's cell
                         // of the highlighted row (0 = none)
    ColumnColor   = 42,  // list, indexed by column: text colour of its cells (ColorNone: default)
    Picture       = 43,  // list, indexed by column: the column's display picture
    ColumnX       = 44,  // list, indexed by column: read-only, left edge of its header cell
                         // from the list's left edge as scrolled, dialog units
    HeaderShift   = 45,  // list, indexed by column: header text moved right by this many
                         // dialog units (a pressed cell's look); HeaderText stays unshifted
};
// clang-format on

// A font style value: the weight in the low bits, the others added to it, so
// bold underlined text is 8892.
// clang-format off
enum FontStyleBits : int {
    FontWeightNormal = 400,
    FontWeightBold   = 700,
    FontItalic       = 0x1000,
    FontUnderline    = 0x2000,
    FontStrikeOut    = 0x4000,
};
// clang-format on
constexpr int kFontWeightMask = 0x0FFF;

}  // namespace rt
