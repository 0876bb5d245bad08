#include "runtime/host/CoreDumps.h"

#include <sys/prctl.h>
#include <sys/resource.h>

namespace rt {

bool disableCoreDumps() {
    // Not dumpable also keeps ptrace (and so debuggers) of the same user out.
    bool notDumpable = ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) == 0;
    struct rlimit none {};
    bool noCore = ::setrlimit(RLIMIT_CORE, &none) == 0;
    return notDumpable && noCore;
}

}  // namespace rt
