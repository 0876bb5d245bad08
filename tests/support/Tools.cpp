#include "tests/support/Tools.h"

#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "tests/support/TempDir.h"

namespace testsupport {

std::string runCommand(const std::string& command, const std::string& input) {
    std::filesystem::path in = outputDir() / ("stdin-" + std::to_string(::getpid()));
    writeFile(in, input);
    std::string full = command + " < '" + in.string() + "' 2>&1";
    FILE* pipe = ::popen(full.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::string out;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    ::pclose(pipe);
    std::filesystem::remove(in);
    return out;
}

std::string cipherShell(const std::filesystem::path& file, const std::string& key,
                        const std::string& sql) {
    return runCommand("sqlcipher -batch '" + file.string() + "'",
                      "PRAGMA key = " + key + ";\n" + sql + "\n");
}

std::string hexOf(const void* data, std::size_t size) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 15];
    }
    return out;
}

}  // namespace testsupport
