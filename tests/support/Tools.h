#pragma once
// Tools we did not write, run as the tests' independent oracles: Debian's
// `sqlcipher` shell on a data file and the reference `argon2` command.

#include <filesystem>
#include <string>

namespace testsupport {

// Runs a shell command with `input` on its standard input; answers what it
// wrote to standard output and standard error.
std::string runCommand(const std::string& command, const std::string& input = {});

// Runs sql in the cipher's own shell on the data file after
// "PRAGMA key = <key>;" (key as the pragma takes it: 'password' or
// "x'hex'"); answers the shell's output.
std::string cipherShell(const std::filesystem::path& file, const std::string& key,
                        const std::string& sql);

// Lower-case hexadecimal of bytes.
std::string hexOf(const void* data, std::size_t size);

}  // namespace testsupport
