#include "app/ProgramHalt.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/DataFileKeys.h"
#include "runtime/Halt.h"

void InstallProgramHalt() {
    rt::setHaltHandler([](int exitCode, const std::string& message) {
        if (!message.empty()) std::fprintf(stderr, "%s\n", message.c_str());
        std::fflush(nullptr);
        // The exit below skips every destructor, the keys' own wiping too.
        rt::DataFileKeys::forgetAll();
        std::_Exit(exitCode);
    });
}
