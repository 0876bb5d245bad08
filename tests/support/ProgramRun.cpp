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

// A file in the temporary folder the run's stream goes to or comes from;
// answers its descriptor (the name is in path).
int streamFile(std::string& path, const std::string& content = {}) {
    path = (std::filesystem::temp_directory_path() / "lockora-stream-XXXXXX").string();
    int fd = mkstemp(path.data());
    if (fd < 0) throw std::runtime_error("cannot make a file for a standard stream");
    if (!content.empty() &&
        write(fd, content.data(), content.size()) != static_cast<ssize_t>(content.size()))
        throw std::runtime_error("cannot write a program's standard input");
    lseek(fd, 0, SEEK_SET);
    return fd;
}

}  // namespace

ProgramRun runProgram(const std::string& program, const std::filesystem::path& folder,
                      const std::vector<std::pair<std::string, std::string>>& environment,
                      int timeoutMilliseconds) {
    return runProgram(program, folder, environment, ProgramCall{}, timeoutMilliseconds);
}

ProgramRun runProgram(const std::string& program, const std::filesystem::path& folder,
                      const std::vector<std::pair<std::string, std::string>>& environment,
                      const ProgramCall& call, int timeoutMilliseconds) {
    std::vector<std::string> env = environmentWith(environment);
    std::vector<char*> envp = pointersTo(env);
    std::vector<std::string> args{program};
    args.insert(args.end(), call.arguments.begin(), call.arguments.end());
    std::vector<char*> argv = pointersTo(args);
    std::string errorsPath, outputPath, inputPath;
    int errorsFd = streamFile(errorsPath);
    int outputFd = streamFile(outputPath);
    int inputFd = streamFile(inputPath, call.input);
    const std::string where = folder.string();

    pid_t child = fork();
    if (child == 0) {
        if (chdir(where.c_str()) != 0) _exit(126);
        dup2(errorsFd, STDERR_FILENO);
        dup2(outputFd, STDOUT_FILENO);
        dup2(inputFd, STDIN_FILENO);
        execve(program.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(errorsFd);
    close(outputFd);
    close(inputFd);
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
    run.output = readFile(outputPath);
    for (const std::string& path : {errorsPath, outputPath, inputPath})
        std::filesystem::remove(path);
    return run;
}

}  // namespace testsupport
