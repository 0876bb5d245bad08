#pragma once
// The real program started in a folder, left running while a test drives
// it from outside, and ended (asked first, then killed) when the object goes.
// It inherits this process's environment: display, buses, platform.

#include <filesystem>
#include <string>

namespace a11y {

class RunningProgram {
  public:
    RunningProgram(const std::string& program, const std::filesystem::path& folder);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    int pid() const { return pid_; }
    // True while the process has not ended.
    bool running();
    // Waits up to timeoutMs for the process to end by itself; answers its exit code,
    // or -1 when it did not end or ended by a signal.
    int waitForExit(int timeoutMs);

  private:
    int pid_ = -1;
    int status_ = -1;  // wait status once it ended
};

}  // namespace a11y
