// Lockora's entry point: the runtime, then the program from start to end;
// or, with --check, the data file's check, which needs no windows.
#include <cstring>

#include "app/DataFileCheck.h"
#include "app/Lockora.h"
#include "app/ProgramHalt.h"
#include "runtime/gui/Application.h"
#include "runtime/host/CoreDumps.h"

int main(int argc, char** argv) {
    // Before anything secret is typed or derived.
    rt::disableCoreDumps();
    if (argc == 2 && std::strcmp(argv[1], "--check") == 0) return CheckDataFile();
    rt::Application app(argc, argv);
    InstallProgramHalt();
    return Lockora();
}
