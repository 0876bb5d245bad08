// Lockora's entry point: the runtime, then the program from start to end.
#include "app/Lockora.h"
#include "app/ProgramHalt.h"
#include "runtime/gui/Application.h"

int main(int argc, char** argv) {
    rt::Application app(argc, argv);
    InstallProgramHalt();
    return Lockora();
}
