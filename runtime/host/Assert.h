#pragma once
// The runtime's assertion service: a programming error is reported with a
// message, the source module and line, and the program goes on. Tests replace
// the handler to see what was asserted. Any thread.

#include <functional>
#include <string>
#include <string_view>

namespace rt {

using AssertHandler =
    std::function<void(const std::string& message, const std::string& module, int line)>;

// Reports through the current handler; the default writes one line to stderr.
void assertFailed(std::string_view message, std::string_view module, int line);
// Installs a handler (an empty one restores the default); answers the old one.
AssertHandler setAssertHandler(AssertHandler handler);

}  // namespace rt

// Reports message when cond is false, naming this source file and line.
#define RT_ASSERT(cond, message)                                        \
    do {                                                                \
        if (!(cond)) ::rt::assertFailed((message), __FILE__, __LINE__); \
    } while (0)
