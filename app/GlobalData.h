#pragma once
// The program's global variables (GLO.User, GLO.FileLocation ...) and the
// drag-full-windows values kept from start to exit. Process-wide; only the
// program's one thread writes them.

#include <cstdint>

#include "runtime/text/FixedText.h"

struct GlobalData {
    rt::String<65> OS;
    rt::String<65> User;
    rt::String<65> ComputerName;
    rt::String<253> FileLocation;
    // 1 once the login matched the stored master password.
    std::int16_t PasswordVerified = 0;

    // Blank texts and a cleared flag, as at process start.
    void Clear();
};

extern GlobalData GLO;
// The host's drag-full-windows setting as read at start, and the scratch
// value handed along when the program changes it.
extern std::int32_t lCurrentFDSetting;
extern std::int32_t lAdjFDSetting;
