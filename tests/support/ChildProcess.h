#pragma once
// Tasks a test runs in a fresh process of its own test executable: a second
// program working on the same files at the same time (another station), not
// a fork that shares the first one's open handles. A task is registered by
// name at start-up; main() runs it instead of the tests when the process was
// started for it, and its result is the exit code.

#include <functional>
#include <string>

namespace testsupport {

using ChildTask = std::function<int(const std::string& argument)>;

// For a static initialiser: `static bool r = registerChildTask("x", fn);`.
bool registerChildTask(const std::string& name, ChildTask task);

// Runs the task in a new process in the current working folder, waits for it
// and answers its exit code (128 + the signal when one ended it, -1 when it
// could not start).
int runInChildProcess(const std::string& name, const std::string& argument = {});

// For main(): true when this process was started for a task, which has then
// run; its result is in *exitCode.
bool runChildTaskIfAsked(int* exitCode);

}  // namespace testsupport
