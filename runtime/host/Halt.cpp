#include "runtime/host/Halt.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace rt {

namespace {

std::mutex handlerMutex;
HaltHandler currentHandler;

[[noreturn]] void defaultHalt(int exitCode, const std::string& message) {
    if (!message.empty()) std::fprintf(stderr, "%s\n", message.c_str());
    std::fflush(nullptr);
    std::exit(exitCode);
}

}  // namespace

void halt(int exitCode, std::string_view message) {
    HaltHandler handler;
    {
        std::lock_guard lock(handlerMutex);
        handler = currentHandler;
    }
    if (handler)
        handler(exitCode, std::string(message));
    else
        defaultHalt(exitCode, std::string(message));
}

HaltHandler setHaltHandler(HaltHandler handler) {
    std::lock_guard lock(handlerMutex);
    return std::exchange(currentHandler, std::move(handler));
}

void beep() {
    if (QApplication::instance()) QApplication::beep();
}

}  // namespace rt
