#pragma once
// The control kinds a window declares, numbered by the runtime's control type
// codes (the framework's resizer and focus highlighter test these numbers).

namespace rt {

// clang-format off
enum class ControlKind : int {
    String   = 2,   // a line of display text (fixed or bound)
    Image    = 3,   // a picture from an icon or image file
    Region   = 4,   // an invisible mouse area, optionally bevelled
    Line     = 5,   // a drawn line
    Box      = 6,   // a drawn rectangle
    Entry    = 8,   // one-line input
    Button   = 9,   // push button
    Prompt   = 10,  // the label of an entry
    Check    = 12,  // check box
    Group    = 13,  // framed group box
    List     = 14,  // multi-column list
    Text     = 17,  // multi-line text
    Sheet    = 37,  // tab sheet
    Tab      = 38,  // one page of a sheet
};
// clang-format on

}  // namespace rt
