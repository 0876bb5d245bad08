#pragma once
// Ending the program with an exit code and a message, and the beep. The halt
// handler is replaceable so tests can observe a halt without the process
// ending; the default shows nothing and exits. Any thread.

#include <functional>
#include <string>
#include <string_view>

namespace rt {

using HaltHandler = std::function<void(int exitCode, const std::string& message)>;

// Calls the handler; the default handler ends the process with exitCode
// (after writing a non-empty message to stderr) and does not return.
void halt(int exitCode, std::string_view message = {});
HaltHandler setHaltHandler(HaltHandler handler);

void beep();

}  // namespace rt
