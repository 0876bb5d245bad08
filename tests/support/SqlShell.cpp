#include "tests/support/SqlShell.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <optional>
#include <sstream>

#include "runtime/store/CipherKey.h"
#include "tests/support/Tools.h"

namespace testsupport {

std::string sqlText(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

// Read by another process: opening and closing the file here would drop
// the locks the tested program's connections in this process hold on it.
std::optional<rt::KeyDerivation::Salt> saltOf(const std::filesystem::path& file) {
    std::string hex;
    for (char c : runCommand("od -An -tx1 -N16 '" + file.string() + "'"))
        if (std::isxdigit(static_cast<unsigned char>(c))) hex += c;
    if (hex.size() != 2 * rt::KeyDerivation::kSaltSize) return std::nullopt;
    rt::KeyDerivation::Salt salt{};
    for (std::size_t i = 0; i < salt.size(); ++i)
        salt[i] = static_cast<unsigned char>(std::stoi(hex.substr(2 * i, 2), nullptr, 16));
    return salt;
}

std::string masterKeyPragma(const std::filesystem::path& file, const std::string& password) {
    auto salt = saltOf(file);
    auto key = salt ? rt::KeyDerivation::derive(password, *salt) : nullptr;
    return key ? "\"x'" + hexOf(key->data(), key->size()) + "'\"" : "''";
}

std::vector<std::string> sqlShell(const std::filesystem::path& file, const std::string& key,
                                  const std::string& statements) {
    return sqlShellKeyed(file, sqlText(key), statements);
}

std::vector<std::string> sqlShellKeyed(const std::filesystem::path& file,
                                       const std::string& keyPragma,
                                       const std::string& statements) {
    std::filesystem::path script = file.parent_path() / "shell-input.sql";
    {
        FILE* out = std::fopen(script.c_str(), "w");
        // The key pragma answers "ok" on its own line; .output keeps it out.
        std::fprintf(out, ".output /dev/null\nPRAGMA key = %s;\n.output stdout\n%s\n",
                     keyPragma.c_str(), statements.c_str());
        std::fclose(out);
    }
    std::string command =
        "sqlcipher -batch -bail " + file.string() + " < " + script.string() + " 2>&1";
    std::vector<std::string> lines;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run the sqlcipher shell";
        return lines;
    }
    std::string text;
    char buf[4096];
    while (std::size_t n = std::fread(buf, 1, sizeof buf, pipe)) text.append(buf, n);
    int status = pclose(pipe);
    std::filesystem::remove(script);
    EXPECT_EQ(status, 0) << "sqlcipher failed: " << text;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace testsupport
