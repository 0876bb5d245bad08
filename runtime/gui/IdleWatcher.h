#pragma once
// Notices that the person at the program has gone: no key or mouse input for
// a set time by the runtime clock (the one tests set), or the desktop locking
// its screen. Once a lock is owed, the next window loop about to wait for
// input calls the handler there, between events; a handler that answers false
// (not now) is asked again at every later such moment, whatever input comes
// meanwhile, until it answers true. One per process at a time; owns its input
// filter, its wake-up timer and its bus connections. GUI thread only.
//
//   watching --idle limit reached, or the screen locked--> owed
//   owed --quiet moment, handler answers false--> owed
//   owed --quiet moment, handler answers true--> watching, idle from now
// The handler is never called again while it runs (it may open windows).

#include <cstdint>
#include <functional>
#include <memory>

namespace rt {

class IdleWatcher {
  public:
    // REQUIRES: an Application exists, and no other IdleWatcher.
    explicit IdleWatcher(std::function<bool()> handler);
    ~IdleWatcher();
    IdleWatcher(const IdleWatcher&) = delete;
    IdleWatcher& operator=(const IdleWatcher&) = delete;

    // Seconds without input after which a lock is owed; 0 or less: never.
    void setIdleLimit(std::int64_t seconds);
    // Listens for the screen lock: the session bus's screen saver turning
    // active, and logind's Lock of this process's session on the system
    // bus. A bus or a service that is not there sends nothing and nothing
    // is said about it.
    void followScreenLock();

    // Called by window loops when they are about to wait for input; answers
    // true when the handler ran and dealt with the lock.
    static bool atQuietMoment();

    // How many quiet moments the watcher of the process has looked at: a
    // test knows it has seen the clock the test set.
    static std::int64_t TEST_looks();

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace rt
