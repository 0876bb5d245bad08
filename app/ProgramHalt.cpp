#include "app/ProgramHalt.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/host/Halt.h"

void InstallProgramHalt() {
    rt::setHaltHandler([](int exitCode, const std::string& message) {
        if (!message.empty()) std::fprintf(stderr, "%s\n", message.c_str());
        std::fflush(nullptr);
        std::_Exit(exitCode);
    });
}
