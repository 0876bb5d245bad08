#pragma once
// The window that shows ErrorClass's history. The window framework sits
// above this layer, so it supplies the implementation and ErrorClass borrows
// it (the program's one is wired where GlobalErrors is defined). GUI thread.

#include <string_view>
#include <vector>

#include "errors/ErrorEntry.h"

class ErrorClass;

class ErrorHistoryView {
  public:
    virtual ~ErrorHistoryView() = default;

    // Shows history (the caller's private copy, oldest first) with these
    // caption, icon, buttons and default button, and answers the button
    // pressed; closing the window without one answers the default button.
    virtual int Show(ErrorClass& errors, const std::vector<ErrorHistoryEntry>& history,
                     std::string_view caption, int icon, int buttons, int defaultButton) = 0;
};
