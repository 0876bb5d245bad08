#include "runtime/Thread.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <utility>

namespace rt {

namespace {

std::atomic<int> lastNumber{0};
thread_local int myNumber = 0;

std::mutex hooksMutex;
std::function<void()> startHook;
std::function<void()> endHook;

}  // namespace

int threadNumber() {
    // The first thread to ask is the program's main thread, numbered 1.
    if (myNumber == 0) myNumber = ++lastNumber;
    return myNumber;
}

void setThreadHooks(std::function<void()> onStart, std::function<void()> onEnd) {
    std::lock_guard lock(hooksMutex);
    startHook = std::move(onStart);
    endHook = std::move(onEnd);
}

int startThread(std::function<void()> procedure) {
    threadNumber();  // the caller keeps the lower number
    int number = ++lastNumber;
    std::function<void()> onStart, onEnd;
    {
        std::lock_guard lock(hooksMutex);
        onStart = startHook;
        onEnd = endHook;
    }
    std::thread([number, procedure = std::move(procedure), onStart, onEnd] {
        myNumber = number;
        if (onStart) onStart();
        procedure();
        if (onEnd) onEnd();
    }).detach();
    return number;
}

}  // namespace rt
