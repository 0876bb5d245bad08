#pragma once
// Locks the program when its user has gone: after Options::LockAfterMinutes
// without key or mouse input and, with Options::LockWithScreen, when the
// desktop locks the screen. Every window hides and the login
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
