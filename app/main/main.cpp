// Lockora's entry point. The windows are still being built: until they are,
// this start-up only brings up the runtime and says so.
#include <cstdio>

#include "runtime/Application.h"

int main(int argc, char** argv) {
    rt::Application app(argc, argv);
    std::puts(
        "Password Lockora: the runtime is built; the windows are not yet. Nothing was opened or "
        "written.");
    return 0;
}
