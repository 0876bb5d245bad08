#include "app/ProgramHalt.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/host/Halt.h"
#include "runtime/store/DataFileKeys.h"

void InstallProgramHalt() {
    rt::setHaltHandler([](int exitCode, const std::string& message) {
        if (!message.empty()) std::fprintf(stderr, "%s\n", message.c_str());
        std::fflush(nullptr);
        // The exit below skips every destructor, the keys' own wiping too.
        rt::DataFileKeys::forgetAll();
        std::_Exit(exitCode);
    });
}
