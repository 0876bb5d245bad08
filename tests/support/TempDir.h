#pragma once
// A fresh temporary folder for one test, made the working directory while the
// object lives (the program keeps its files there) and removed afterwards.

#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path file(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// Reads a whole file as bytes ("" when missing).
std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, const std::string& bytes);
// Inverts four bytes of a data file's page (1024-byte pages, the first is 1)
// at `offset` within it, in place, as damage on disk would.
void damagePage(const std::filesystem::path& path, int page, int offset = 500);
// The folder where tests leave screenshots and other artefacts to look at.
std::filesystem::path outputDir();

}  // namespace testsupport
