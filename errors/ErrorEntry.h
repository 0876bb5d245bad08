#pragma once
// The rows of ErrorClass's lists: known errors, the history of shown
// messages, and the procedure names each thread has pushed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "errors/ErrorIds.h"
#include "errors/ErrorLevels.h"

// Message and Title refer to text the adder keeps alive (the error block or
// the caller's strings) for as long as the error object lives.
struct ErrorEntry {
    ErrorId Id = 0;
    std::string_view Message;
    std::string_view Title;
    ErrorLevel Fatality = LevelBenign;
    std::string Category;  // empty: the default category applies
};

// Capacity of a history entry's text, terminator included (1023 characters).
constexpr std::size_t kHistoryTextCapacity = 1024;

struct ErrorHistoryEntry {
    std::string Category;
    std::string Txt;  // the full shown message
    std::uint16_t Id = 0;
};

struct ProcedureNameEntry {
    int Thread = 0;
    std::string Name;
};
