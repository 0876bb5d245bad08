#pragma once
// Runs a program to its end in a folder, for tests of the real program as a
// person starts it: the program inherits this process's environment plus
// the given variables, its standard error is kept, and it is killed when it
// runs past the time-out.

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace testsupport {

struct ProgramRun {
    int exitCode = -1;  // -1 when it did not exit normally
    bool timedOut = false;
    std::string errors;  // what it wrote to standard error
    std::string output;  // what it wrote to standard output
};

// What a run is given besides its folder and environment.
struct ProgramCall {
    std::vector<std::string> arguments;  // after the program's name
    std::string input;                   // its standard input, a file (not a terminal)
};

ProgramRun runProgram(const std::string& program, const std::filesystem::path& folder,
                      const std::vector<std::pair<std::string, std::string>>& environment,
                      int timeoutMilliseconds = 30000);
ProgramRun runProgram(const std::string& program, const std::filesystem::path& folder,
                      const std::vector<std::pair<std::string, std::string>>& environment,
                      const ProgramCall& call, int timeoutMilliseconds = 30000);

}  // namespace testsupport
