#include "app/EnvironmentCopies.h"

EnvironmentCopies ENV;

const std::array<EnvironmentCopies::Slot, 29>& EnvironmentCopies::Slots() {
    using E = EnvironmentCopies;
    static const std::array<Slot, 29> slots = {{
        {"ALLUSERSPROFILE", &E::ALLUSERSPROFILE},
        {"APPDATA", &E::APPDATA},
        {"CLIENTNAME", &E::CLIENTNAME},
        {"CommonProgramFiles", &E::CommonProgramFiles},
        {"COMPUTERNAME", &E::COMPUTERNAME},
        {"ComSpec", &E::ComSpec},
        {"FP_NO_HOST_CHECK", &E::FP_NO_HOST_CHECK},
        {"HOMEDRIVE", &E::HOMEDRIVE},
        {"HOMEPATH", &E::HOMEPATH},
        {"LOGONSERVER", &E::LOGONSERVER},
        {"NUMBER_OF_PROCESSORS", &E::NUMBER_OF_PROCESSORS},
        {"OS", &E::OS},
        {"Path", &E::Path},
        {"PATHEXT", &E::PATHEXT},
        {"PROCESSOR_ARCHITECTURE", &E::PROCESSOR_ARCHITECTURE},
        {"PROCESSOR_IDENTIFIER", &E::PROCESSOR_IDENTIFIER},
        {"PROCESSOR_LEVEL", &E::PROCESSOR_LEVEL},
        {"PROCESSOR_REVISION", &E::PROCESSOR_REVISION},
        {"ProgramFiles", &E::ProgramFiles},
        {"PROMPT", &E::PROMPT},
        {"SESSIONNAME", &E::SESSIONNAME},
        {"SystemDrive", &E::SystemDrive},
        {"SystemRoot", &E::SystemRoot},
        {"TEMP", &E::TEMP},
        {"TMP", &E::TMP},
        {"USERDOMAIN", &E::USERDOMAIN},
        {"USERNAME", &E::USERNAME},
        {"USERPROFILE", &E::USERPROFILE},
        {"windir", &E::windir},
    }};
    return slots;
}
