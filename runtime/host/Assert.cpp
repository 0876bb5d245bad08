#include "runtime/host/Assert.h"

#include <cstdio>
#include <mutex>
#include <utility>

namespace rt {

namespace {

std::mutex handlerMutex;
AssertHandler currentHandler;

void defaultHandler(const std::string& message, const std::string& module, int line) {
    std::fprintf(stderr, "Assertion failed: %s (%s:%d)\n", message.c_str(), module.c_str(), line);
}

}  // namespace

void assertFailed(std::string_view message, std::string_view module, int line) {
    AssertHandler handler;
    {
        std::lock_guard lock(handlerMutex);
        handler = currentHandler;
    }
    // The handler runs outside the lock: it may show a window or assert again.
    (handler ? handler : defaultHandler)(std::string(message), std::string(module), line);
}

AssertHandler setAssertHandler(AssertHandler handler) {
    std::lock_guard lock(handlerMutex);
    return std::exchange(currentHandler, std::move(handler));
}

}  // namespace rt
