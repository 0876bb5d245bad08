// The settings file is parsed once and read again only when it changed on
// disk; a file over the size limit is refused and left as it is.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "runtime/host/LastError.h"
#include "runtime/host/SettingsFile.h"
#include "tests/support/TempDir.h"

namespace rt {
namespace {

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

constexpr const char* kIni = ".\\Lockora.INI";

std::string get(const char* key) {
    return SettingsFile::get(kIni, "Preserved", key, "<none>");
}

// A settings file of exactly size bytes holding one value.
std::string fileOfSize(std::uintmax_t size) {
    std::string text = "[Preserved]\nGlo:FileLocation=/data\n";
    std::string comment = ";" + std::string(98, 'x') + "\n";
    while (text.size() + comment.size() <= size) text += comment;
    text += std::string(size - text.size() - 1, ';') + "\n";
    return text;
}

// Dates the file back, as if written long before this run.
void ageFile(const std::filesystem::path& path) {
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(path) - std::chrono::hours(1));
}

TEST(SettingsFileCacheTest, ReadsAndWritesParseTheFileOnlyWhenItChangedOnDisk) {
    TempDir dir;
    writeFile(dir.file("Lockora.INI"), "[Preserved]\nA=1\n");
    ageFile(dir.file("Lockora.INI"));
    EXPECT_EQ(get("A"), "1");
    const std::size_t parsed = SettingsFile::TEST_parses();
    for (int i = 0; i < 50; ++i) EXPECT_EQ(get("A"), "1");
    ASSERT_EQ(SettingsFile::put(kIni, "Preserved", "B", "2"), 0);
    EXPECT_EQ(get("B"), "2");
    EXPECT_EQ(SettingsFile::sections(kIni), std::vector<std::string>{"Preserved"});
    EXPECT_EQ(SettingsFile::TEST_parses(), parsed);

    // Another program rewrites it in place, same size, within the same tick
    // of the file's clock: seen at once.
    writeFile(dir.file("Lockora.INI"), "[Preserved]\nA=7\nB=8\n");
    EXPECT_EQ(get("A"), "7");
    EXPECT_EQ(SettingsFile::TEST_parses(), parsed + 1);
    writeFile(dir.file("Lockora.INI"), "[Preserved]\nA=5\nB=6\n");
    EXPECT_EQ(get("B"), "6");
    std::filesystem::remove(dir.file("Lockora.INI"));
    EXPECT_EQ(get("A"), "<none>");
}

TEST(SettingsFileCacheTest, TheSameNameInAnotherFolderIsAnotherFile) {
    TempDir first;
    ASSERT_EQ(SettingsFile::put(kIni, "Preserved", "A", "first"), 0);
    {
        TempDir second;
        ASSERT_EQ(SettingsFile::put(kIni, "Preserved", "A", "second"), 0);
        EXPECT_EQ(get("A"), "second");
        std::filesystem::current_path(first.path());
        EXPECT_EQ(get("A"), "first");
    }
}

TEST(SettingsFileCacheTest, AFileOverTheLimitIsRefusedAndLeftAsItIs) {
    TempDir dir;
    const std::string big = fileOfSize(SettingsFile::MaxFileSize + 1);
    writeFile(dir.file("Lockora.INI"), big);
    const std::size_t parsed = SettingsFile::TEST_parses();
    EXPECT_EQ(get("Glo:FileLocation"), "<none>");
    EXPECT_EQ(SettingsFile::put(kIni, "Preserved", "Glo:FileLocation", "/elsewhere"), 90);
    EXPECT_EQ(lastError().code, 90);
    EXPECT_NE(lastError().driverText.find("larger than 4 MiB"), std::string::npos);
    EXPECT_EQ(SettingsFile::removeSection(kIni, "Preserved"), 90);
    EXPECT_EQ(SettingsFile::check(kIni), 90);
    EXPECT_EQ(SettingsFile::TEST_parses(), parsed) << "a refused file is not even read";
    EXPECT_EQ(readFile(dir.file("Lockora.INI")), big);

    // At the limit it is a settings file like any other.
    writeFile(dir.file("Lockora.INI"), fileOfSize(SettingsFile::MaxFileSize));
    EXPECT_EQ(SettingsFile::check(kIni), 0);
    EXPECT_EQ(get("Glo:FileLocation"), "/data");
}

TEST(SettingsFileCacheTest, AFolderInTheFilesPlaceIsUnusableAndNoWriteReplacesIt) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("Lockora.INI"));
    EXPECT_EQ(SettingsFile::check(kIni), 5);
    EXPECT_EQ(SettingsFile::put(kIni, "Preserved", "A", "1"), 5);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("Lockora.INI")));
    std::filesystem::remove(dir.file("Lockora.INI"));
    EXPECT_EQ(SettingsFile::check(kIni), 0) << "a missing file is made by the first write";
}

}  // namespace
}  // namespace rt
