#pragma once
// The interface of every part a window manager hands its events to (browses,
// the error history list and other window parts). The manager borrows each
// registered part; the part must outlive its registration.

#include "errors/ErrorLevels.h"

class WindowComponent {
  public:
    virtual ~WindowComponent() = default;

    // The operations in their slot order.
    virtual void Kill() = 0;
    virtual void Reset(bool force) = 0;
    // True when the part needs the window to reset after the event.
    virtual bool ResetRequired() = 0;
    virtual void SetAlerts() = 0;
    // A severity level: nonzero stops the event from going further.
    virtual ErrorLevel TakeEvent() = 0;
    virtual void Update() = 0;
    virtual void UpdateWindow() = 0;
};
