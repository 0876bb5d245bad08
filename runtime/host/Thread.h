#pragma once
// Thread numbers (the first thread is 1, later threads count on), per-thread
// data, and starting a procedure on a new thread.

#include <functional>
#include <memory>

namespace rt {

int threadNumber();

// Starts procedure on a new numbered thread; answers the new thread's number.
// The thread-start and thread-end hooks run on that thread around it.
int startThread(std::function<void()> procedure);

// Hooks run on each numbered thread as it starts and ends (the first thread's
// are run by the program's start-up and shut-down code itself).
void setThreadHooks(std::function<void()> onStart, std::function<void()> onEnd);

// One T per thread, built on first use in that thread and destroyed when the
// thread ends.
template <typename T>
class PerThread {
  public:
    T& get() {
        thread_local std::unique_ptr<T> instance;
        if (!instance) instance = std::make_unique<T>();
        return *instance;
    }
};

}  // namespace rt
