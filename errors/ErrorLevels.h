#pragma once
// Severity levels: every error id carries one, and most framework operations
// return one as their status (0 means carry on).

#include <cstdint>

using ErrorLevel = std::uint8_t;

enum : ErrorLevel {
    LevelBenign = 0,   // nothing is shown; carry on
    LevelUser = 1,     // a Yes/No question: Yes gives 0, No gives LevelCancel
    LevelProgram = 2,  // handled as LevelFatal
    LevelFatal = 3,    // a message with OK only, then the program stops
    LevelCancel = 4,   // asked like LevelUser; as a result: declined or cancelled
    LevelNotify = 5,   // a message with OK only; in a handler: event fully handled
};
