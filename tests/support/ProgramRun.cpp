#include "tests/support/ProgramRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "tests/support/TempDir.h"

extern char** environ;

namespace testsupport {

namespace {

// Everything the child needs is made before fork: after it, only calls that
// are safe in a child of a threaded process are made.
std::vector<std::string> environmentWith(
    const std::vector<std::pair<std::string, std::string>>& extra) {
    std::vector<std::string> entries;
    for (char** e = environ; *e; ++e) entries.emplace_back(*e);
    for (const auto& [name, value] : extra) entries.push_back(name + "=" + value);
    return entries;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& t : texts) pointers.push_back(t.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

ProgramRun runProgram(const std::string& program, const std::filesystem::path& folder,
                      const std::vector<std::pair<std::string, std::string>>& environment,
                      int timeoutMilliseconds) {
    std::vector<std::string> env = environmentWith(environment);
    std::vector<char*> envp = pointersTo(env);
    std::vector<std::string> args{program};
    std::vector<char*> argv = pointersTo(args);
    std::string errorsPath =
        (std::filesystem::temp_directory_path() / "lockora-stderr-XXXXXX").string();
    int errorsFd = mkstemp(errorsPath.data());
    if (errorsFd < 0) throw std::runtime_error("cannot make a file for standard error");
    const std::string where = folder.string();

    pid_t child = fork();
    if (child == 0) {
        if (chdir(where.c_str()) != 0) _exit(126);
        dup2(errorsFd, STDERR_FILENO);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(errorsFd);
    ProgramRun run;
    int status = 0;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            run.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!run.timedOut && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.errors = readFile(errorsPath);
    std::filesystem::remove(errorsPath);
    return run;
}

}  // namespace testsupport
