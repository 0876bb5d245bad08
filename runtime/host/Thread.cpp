#include "runtime/host/Thread.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <utility>

namespace rt {

namespace {

// Number 1 is kept for the thread that runs static initialisation, which is
// the program's main thread; every other thread counts on from 2.
const std::thread::id mainThread = std::this_thread::get_id();
std::atomic<int> lastNumber{1};
thread_local int myNumber = 0;

std::mutex hooksMutex;
std::function<void()> startHook;
std::function<void()> endHook;

}  // namespace

int threadNumber() {
    if (myNumber == 0) myNumber = std::this_thread::get_id() == mainThread ? 1 : ++lastNumber;
    return myNumber;
}

void setThreadHooks(std::function<void()> onStart, std::function<void()> onEnd) {
    std::lock_guard lock(hooksMutex);
    startHook = std::move(onStart);
    endHook = std::move(onEnd);
}

int startThread(std::function<void()> procedure) {
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
