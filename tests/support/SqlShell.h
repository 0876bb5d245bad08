#pragma once
// Reads an encrypted data file with the cipher's own command-line shell, a
// program this project did not write: the independent reading a test checks
// what a window shows against, and a second process that changes a file
// under a running window.

#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// Runs the statements on the file opened with key; answers the output's
// lines (columns separated by "|"). A failing shell fails the calling test.
std::vector<std::string> sqlShell(const std::filesystem::path& file, const std::string& key,
                                  const std::string& statements);

// A text literal for the shell's SQL.
std::string sqlText(const std::string& text);

}  // namespace testsupport
