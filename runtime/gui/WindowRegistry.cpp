#include "runtime/gui/WindowRegistry.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace rt {

namespace {

std::mutex& lock() {
    static std::mutex m;
    return m;
}

std::vector<Window*>& windows() {
    static std::vector<Window*> w;
    return w;
}

std::atomic<bool> gAbandoned{false};

}  // namespace

void WindowRegistry::add(Window* window) {
    std::lock_guard guard(lock());
    windows().push_back(window);
}

void WindowRegistry::remove(Window* window) {
    std::lock_guard guard(lock());
    std::erase(windows(), window);
}

Window* WindowRegistry::newest() {
    std::lock_guard guard(lock());
    return windows().empty() ? nullptr : windows().back();
}

std::vector<Window*> WindowRegistry::all() {
    std::lock_guard guard(lock());
    return windows();
}

bool WindowRegistry::abandoned() {
    return gAbandoned;
}

void WindowRegistry::setAbandoned(bool abandoned) {
    gAbandoned = abandoned;
}

}  // namespace rt
