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

// As sqlShell, with the key given as the key pragma takes it: a quoted
// password, or "x'hex'" for a raw key.
std::vector<std::string> sqlShellKeyed(const std::filesystem::path& file,
                                       const std::string& keyPragma, const std::string& statements);

// The key pragma's value for a data file keyed with a master password: the
// raw key the password gives by the parameters the file's salt names.
std::string masterKeyPragma(const std::filesystem::path& file, const std::string& password);

// A text literal for the shell's SQL.
std::string sqlText(const std::string& text);

}  // namespace testsupport
