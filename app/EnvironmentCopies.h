#pragma once
// Copies of the 29 environment variables the main window reads at start
// (ENV.APPDATA, ENV.Path ...), each up to 200 characters. Process-wide.

#include <array>
#include <string_view>

#include "runtime/text/FixedText.h"

struct EnvironmentCopies {
    using Text = rt::String<200>;
    Text ALLUSERSPROFILE, APPDATA, CLIENTNAME, CommonProgramFiles, COMPUTERNAME, ComSpec,
        FP_NO_HOST_CHECK, HOMEDRIVE, HOMEPATH, LOGONSERVER, NUMBER_OF_PROCESSORS, OS, Path, PATHEXT,
        PROCESSOR_ARCHITECTURE, PROCESSOR_IDENTIFIER, PROCESSOR_LEVEL, PROCESSOR_REVISION,
        ProgramFiles, PROMPT, SESSIONNAME, SystemDrive, SystemRoot, TEMP, TMP, USERDOMAIN, USERNAME,
        USERPROFILE, windir;

    struct Slot {
        std::string_view name;
        Text EnvironmentCopies::*copy;
    };
    // Every copy with the variable it holds, in the order they are read.
    static const std::array<Slot, 29>& Slots();
};

extern EnvironmentCopies ENV;
