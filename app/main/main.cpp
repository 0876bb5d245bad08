// Lockora's entry point: the runtime, then the program from start to end.
#include "app/Lockora.h"
#include "app/ProgramHalt.h"
#include "runtime/gui/Application.h"
#include "runtime/host/CoreDumps.h"

int main(int argc, char** argv) {
    // Before anything secret is typed or derived.
    rt::disableCoreDumps();
    rt::Application app(argc, argv);
    InstallProgramHalt();
    return Lockora();
}
