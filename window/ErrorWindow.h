#pragma once
// The window "ERRORWINDOW" that MsgBoxClass runs: an icon, a list of
// messages with their categories and eight buttons, hidden until the box
// gives them their captions.

#include "runtime/gui/WindowDeclaration.h"

// Control numbers.
enum : int {
    ErrorWindowFirstButton = 100,  // "Button 1" .. "Button 8" are 100 .. 107
    ErrorWindowButtonCount = 8,
    ErrorWindowList = 200,
    ErrorWindowImage = 300,
};

rt::WindowDeclaration ErrorWindowDeclaration();
