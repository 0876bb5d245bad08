#include "tests/a11y/RunningProgram.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace a11y {

RunningProgram::RunningProgram(const std::string& program, const std::filesystem::path& folder) {
    pid_ = ::fork();
    if (pid_ == 0) {
        if (::chdir(folder.c_str()) != 0) _exit(126);
        ::execl(program.c_str(), "lockora", static_cast<char*>(nullptr));
        _exit(127);
    }
}

RunningProgram::~RunningProgram() {
    if (!running()) return;
    ::kill(pid_, SIGTERM);
    if (waitForExit(10000) == -1 && running()) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status_, 0);
    }
}

bool RunningProgram::running() {
    if (pid_ <= 0 || status_ != -1) return false;
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
    return status_ == -1;
}

int RunningProgram::waitForExit(int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (running() || !WIFEXITED(status_)) return -1;
    return WEXITSTATUS(status_);
}

}  // namespace a11y
