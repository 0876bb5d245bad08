#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "runtime/host/CoreDumps.h"

namespace {

// The exit code of fn run in a child process.
int inChild(int (*fn)()) {
    pid_t pid = ::fork();
    if (pid == 0) _exit(fn());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

TEST(CoreDumpsTest, TheProcessIsNoLongerDumpableAndWritesNoCore) {
    // In a child, so the test process keeps its own settings.
    int code = inChild([] {
        if (::prctl(PR_GET_DUMPABLE) != 1) return 10;  // dumpable to begin with
        if (!rt::disableCoreDumps()) return 11;
        struct rlimit core {};
        ::getrlimit(RLIMIT_CORE, &core);
        if (core.rlim_cur != 0 || core.rlim_max != 0) return 12;
        return ::prctl(PR_GET_DUMPABLE) == 0 ? 0 : 13;
    });
    EXPECT_EQ(code, 0);
}

}  // namespace
