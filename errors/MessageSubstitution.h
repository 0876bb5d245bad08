#pragma once
// Turns a message template into the text shown: the placeholders ("%File",
// "%ErrorText" ...) are replaced by the thread's context values in a fixed
// order, since several are prefixes of others. Stateless; any thread.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "errors/ErrorStatusGroup.h"

// Capacity of the substitution buffer, terminator included.
constexpr std::size_t kSubstitutionCapacity = 2000;

// Replaces every occurrence of placeholder (ignoring case) by value, each time
// taking the first occurrence left, so text that a replacement joins into a
// new placeholder is replaced too; the buffer is cut to `capacity` throughout.
// A value that holds its own placeholder is inserted once per occurrence
// instead of being replaced again for ever.
std::string ReplacePlaceholder(std::string buffer, std::string_view placeholder,
                               std::string_view value,
                               std::size_t capacity = kSubstitutionCapacity);

class MessageSubstitution {
  public:
    // previousTemplate answers the template of the entry reported before the
    // current one ("" when there is none); it is asked only when needed.
    MessageSubstitution(const ErrorStatusGroup& status, std::string procedureName,
                        std::function<std::string()> previousTemplate);

    std::string Apply() const;

    // "%ErrorText": the driver's own text and code for codes 90 and 100,
    // otherwise the runtime's text and code.
    static std::string ErrorText(const ErrorStatusGroup& status);

  private:
    const ErrorStatusGroup& status_;
    std::string procedureName_;
    std::function<std::string()> previousTemplate_;
};
