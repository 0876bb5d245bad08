#pragma once
// The error state of one thread: the context values a message substitutes and
// the entry being reported. Plain value type; ErrorStatusClass keeps one per
// thread.

#include <cstddef>
#include <cstdint>
#include <string>

#include "errors/ErrorIds.h"
#include "errors/ErrorLevels.h"

// Capacity of each text of the group, terminator included (254 characters).
constexpr std::size_t kStatusTextCapacity = 255;

// The entry being reported, with its own copies of the texts.
struct ReportedError {
    ErrorId Id = 0;
    std::string Message;
    std::string Title;
    ErrorLevel Fatality = LevelBenign;
    std::string Category;
};

struct ErrorStatusGroup {
    std::string FieldName;
    std::string FileName;
    std::string KeyName;
    std::string MessageText;
    std::string SaveError;           // the runtime's last error text
    std::int32_t SaveErrorCode = 0;  // the runtime's last error code
    std::string SaveFileError;       // the file driver's last error text
    std::string SaveFileErrorCode;   // the file driver's last error code
    ReportedError ErrorBuffer;
    ErrorId PrevErrorId = 0;  // reported before the current one
};
