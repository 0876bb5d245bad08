// What only the real program's process shows: it runs with core dumps off.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/TempDir.h"

namespace {

// The soft core size limit of a running process, from its limits file;
// -1 while it cannot be read.
long long coreLimitOf(pid_t pid) {
    std::ifstream limits("/proc/" + std::to_string(pid) + "/limits");
    std::string line;
    while (std::getline(limits, line)) {
        if (line.rfind("Max core file size", 0) != 0) continue;
        std::istringstream fields(line.substr(std::string("Max core file size").size()));
        std::string soft;
        fields >> soft;
        return soft == "unlimited" ? -2 : std::atoll(soft.c_str());
    }
    return -1;
}

bool runsTheProgram(pid_t pid) {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/" + std::to_string(pid) + "/exe", ec);
    return !ec && exe.filename() == "lockora";
}

TEST(ProgramProcessTest, TheProgramTurnsCoreDumpsOffAtStart) {
    testsupport::TempDir dir;
    pid_t pid = ::fork();
    if (pid == 0) {
        // Started with core dumps allowed, as a shell may start it.
        struct rlimit allowed {};
        ::getrlimit(RLIMIT_CORE, &allowed);
        allowed.rlim_cur = allowed.rlim_max;
        ::setrlimit(RLIMIT_CORE, &allowed);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ::execl(LOCKORA_PROGRAM, "lockora", static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(pid, 0);
    long long limit = -1;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        // The login window waits for a person: the process stays up.
        if (runsTheProgram(pid) && (limit = coreLimitOf(pid)) == 0) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_EQ(limit, 0) << "the program's core size limit";
    EXPECT_TRUE(WIFSIGNALED(status)) << "the program ended by itself";
}

}  // namespace
