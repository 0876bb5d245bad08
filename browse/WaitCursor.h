#pragma once
// The wait cursor over the program's windows for as long as the object
// lives; nests. GUI thread only.

#include "runtime/gui/Window.h"

class WaitCursor {
  public:
    WaitCursor() { rt::showBusyCursor(true); }
    ~WaitCursor() { rt::showBusyCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
