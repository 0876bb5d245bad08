#include "tests/support/ChildProcess.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <vector>

extern char** environ;

namespace testsupport {

namespace {

constexpr const char* kTaskVariable = "LOCKORA_TEST_CHILD_TASK";
constexpr const char* kArgumentVariable = "LOCKORA_TEST_CHILD_ARGUMENT";

std::map<std::string, ChildTask>& tasks() {
    static std::map<std::string, ChildTask> registered;
    return registered;
}

}  // namespace

bool registerChildTask(const std::string& name, ChildTask task) {
    tasks()[name] = std::move(task);
    return true;
}

int runInChildProcess(const std::string& name, const std::string& argument) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.push_back(std::string(kTaskVariable) + "=" + name);
    env.push_back(std::string(kArgumentVariable) + "=" + argument);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string self = "/proc/self/exe";
    char* argv[] = {self.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool runChildTaskIfAsked(int* exitCode) {
    const char* name = std::getenv(kTaskVariable);
    if (!name) return false;
    auto it = tasks().find(name);
    const char* argument = std::getenv(kArgumentVariable);
    *exitCode = it == tasks().end() ? 127 : it->second(argument ? argument : "");
    return true;
}

}  // namespace testsupport
