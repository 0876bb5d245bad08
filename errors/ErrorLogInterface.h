#pragma once
// Where ErrorClass writes the messages it shows while logging is on. Each
// operation answers LevelBenign when done and LevelNotify when it failed.

#include <string_view>

#include "errors/ErrorLevels.h"

class ErrorLogInterface {
  public:
    virtual ~ErrorLogInterface() = default;
    virtual ErrorLevel Close(bool force = false) = 0;
    virtual ErrorLevel Open(bool force = false) = 0;
    virtual ErrorLevel Take(std::string_view text) = 0;
};
