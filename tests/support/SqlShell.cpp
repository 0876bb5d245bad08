#include "tests/support/SqlShell.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "runtime/store/CipherKey.h"
#include "tests/support/Tools.h"

namespace testsupport {

std::string sqlText(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("''") : std::string(1, c);
    return out + "'";
}

std::string masterKeyPragma(const std::filesystem::path& file, const std::string& password) {
    auto salt = rt::fileSalt(file);
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
