#pragma once
// What a control needs of the window that holds it: a queue for the events
// the user's actions make, and the window's dialog units. Internal to the
// runtime's window code; GUI thread only.

#include "runtime/controls/DialogUnits.h"

namespace rt {

class ControlHost {
  public:
    virtual ~ControlHost() = default;
    // Queues event for control with the key code now in force.
    virtual void postFromUser(int event, int control) = 0;
    virtual void setKeyCode(int key) = 0;
    // The character of the key in force (WindowEvent::character).
    virtual char32_t keyCharacter() const = 0;
    virtual const DialogUnits& units() const = 0;
    // Presses the window's default button, if it has one.
    virtual void pressDefault() = 0;
    // A sheet's current tab changed: controls on other tabs hide.
    virtual void tabChanged(int sheet) = 0;
    // The control with this number, or null.
    virtual class Control* controlAt(int number) const = 0;
};

}  // namespace rt
