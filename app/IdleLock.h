#pragma once
// Locks the program when its user has gone: after "LockAfterMinutes" minutes
// without key or mouse input (section "Options" of the settings file; 5 when
// missing or unreadable, 0 never) and when the desktop locks the screen
// ("LockWithScreen"; 1 when missing, 0 off). Every window hides and the login
// asks for the master password again: the right one brings the windows back
// as they were, Cancel ends the program as a cancelled login at start does.
// A form holding unsaved changes puts the lock off until it has closed; a
// form without changes is locked over and comes back as it was. Owns its
// watcher. One per main window; one thread.

#include <memory>

namespace rt {
class IdleWatcher;
}

class IdleLock {
  public:
    IdleLock();
    ~IdleLock();
    IdleLock(const IdleLock&) = delete;
    IdleLock& operator=(const IdleLock&) = delete;

    // Starts watching with the settings as they are now.
    // REQUIRES: the login at start was passed; called once.
    void Arm();

  private:
    // The watcher's handler: false while the lock has to wait.
    bool lockNow();

    std::unique_ptr<rt::IdleWatcher> watcher_;
};
