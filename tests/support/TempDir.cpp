#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace testsupport {

TempDir::TempDir() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "lockora-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
    std::filesystem::current_path(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::current_path(previous_, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void damagePage(const std::filesystem::path& path, int page, int offset) {
    std::fstream data(path, std::ios::in | std::ios::out | std::ios::binary);
    std::streamoff at = static_cast<std::streamoff>(page - 1) * 1024 + offset;
    char bytes[4];
    data.seekg(at);
    data.read(bytes, sizeof bytes);
    for (char& b : bytes) b = static_cast<char>(~b);
    data.seekp(at);
    data.write(bytes, sizeof bytes);
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::filesystem::path outputDir() {
    const char* env = std::getenv("LOCKORA_TEST_OUTPUT");
    std::filesystem::path dir =
        env && *env ? env : std::filesystem::temp_directory_path() / "lockora-test-output";
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace testsupport
