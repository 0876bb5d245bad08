#pragma once
// A window as the program declares it in code: caption, size in dialog units,
// font, icon, status bar zones, timer and its controls in number order.
// A plain value; see ControlDeclaration for what it borrows.

#include <string>
#include <vector>

#include "runtime/controls/ControlDeclaration.h"

namespace rt {

struct WindowDeclaration {
    std::string caption;
    int width = 200, height = 120;  // dialog units of the client area
    std::string fontFamily = "Arial";
    int fontSize = 9;
    std::string icon;
    bool resizable = false;
    // Opened beside the other windows instead of blocking them (a toolbox);
    // its events are taken with Window::poll() from the owner's loop.
    bool modeless = false;
    // Widths of the status bar zones in dialog units (-1 = the rest);
    // empty = no status bar.
    std::vector<int> statusZones;
    int timer = 0;  // hundredths of a second between timer events; 0 = none
    // In number order unless a control names its own number.
    std::vector<ControlDeclaration> controls;
};

// The number of the control at place (from 1): the one its declaration
// names, else its place.
// REQUIRES: 1 <= place <= declaration.controls.size().
int controlNumberAt(const WindowDeclaration& declaration, int place);
// The place (from 1) of the first control whose number an earlier control
// has already; 0 when every control has a number of its own.
int clashingControl(const WindowDeclaration& declaration);

}  // namespace rt
