#pragma once
// The runtime's re-entrant critical section: one thread may enter it again
// while it holds it. Not copyable. Any thread.

#include <mutex>

namespace rt {

class RuntimeCriticalSection {
  public:
    RuntimeCriticalSection() = default;
    RuntimeCriticalSection(const RuntimeCriticalSection&) = delete;
    RuntimeCriticalSection& operator=(const RuntimeCriticalSection&) = delete;

    void enter() { mutex_.lock(); }
    bool tryEnter() { return mutex_.try_lock(); }
    void leave() { mutex_.unlock(); }

  private:
    std::recursive_mutex mutex_;
};

}  // namespace rt
