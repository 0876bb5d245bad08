#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "runtime/host/LastError.h"
#include "runtime/host/SettingsFile.h"
#include "tests/support/TempDir.h"

namespace rt {
namespace {

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

constexpr const char* kIni = ".\\Lockora.INI";

TEST(SettingsFileTest, MissingFileGivesDefaultsAndAWriteCreatesIt) {
    TempDir dir;
    EXPECT_EQ(SettingsFile::get(kIni, "Preserved", "Glo:FileLocation", "none"), "none");
    EXPECT_TRUE(SettingsFile::sections(kIni).empty());

    ASSERT_EQ(SettingsFile::put(kIni, "Preserved", "Glo:FileLocation", "/home/a/Lockora"), 0);
    EXPECT_EQ(readFile(dir.file("Lockora.INI")), "[Preserved]\nGlo:FileLocation=/home/a/Lockora\n");
    EXPECT_EQ(SettingsFile::get("Lockora.INI", "PRESERVED", "glo:filelocation", ""),
              "/home/a/Lockora");
    EXPECT_EQ(SettingsFile::get(kIni, "Preserved", "Other", "dflt"), "dflt");
    EXPECT_EQ(SettingsFile::get(kIni, "Elsewhere", "Glo:FileLocation", "dflt"), "dflt");

    ASSERT_EQ(SettingsFile::put(kIni, "__Dont_Touch_Me__", "Sectors", "0"), 0);
    ASSERT_EQ(SettingsFile::put(kIni, "Preserved", "Glo:FileLocation", ""), 0);
    EXPECT_EQ(readFile(dir.file("Lockora.INI")),
              "[Preserved]\nGlo:FileLocation=\n[__Dont_Touch_Me__]\nSectors=0\n");
    // An empty stored value is a value, not a missing one.
    EXPECT_EQ(SettingsFile::get(kIni, "Preserved", "Glo:FileLocation", "dflt"), "");
}

TEST(SettingsFileTest, WritesKeepAHandWrittenFileAsItWas) {
    TempDir dir;
    const std::string original =
        "; Lockora settings\r\n"
        "\r\n"
        "[Main]\r\n"
        "  SortHeader_1 =  3 \r\n"
        "# kept as it is\r\n"
        "\r\n"
        "[preserved]\r\n"
        "Other = keep\r\n"
        "\r\n"
        "; about the next section\r\n"
        "[Last]\r\n"
        "z=26";
    writeFile(dir.file("Lockora.INI"), original);

    ASSERT_EQ(SettingsFile::put(kIni, "MAIN", "sortheader_1", "4"), 0);
    ASSERT_EQ(SettingsFile::put(kIni, "Preserved", "Glo:FileLocation", "/data"), 0);
    ASSERT_EQ(SettingsFile::put(kIni, "last", "y", "25"), 0);
    ASSERT_EQ(SettingsFile::put(kIni, "New", "Key", "v"), 0);

    EXPECT_EQ(readFile(dir.file("Lockora.INI")),
              "; Lockora settings\r\n"
              "\r\n"
              "[Main]\r\n"
              "  SortHeader_1 =  4\r\n"
              "# kept as it is\r\n"
              "\r\n"
              "[preserved]\r\n"
              "Other = keep\r\n"
              "Glo:FileLocation=/data\r\n"
              "\r\n"
              "; about the next section\r\n"
              "[Last]\r\n"
              "z=26\r\n"
              "y=25\r\n"
              "[New]\r\n"
              "Key=v\r\n");
    EXPECT_EQ(SettingsFile::sections(kIni),
              (std::vector<std::string>{"Main", "preserved", "Last", "New"}));
}

TEST(SettingsFileTest, ReadingFollowsTheFormatsRules) {
    TempDir dir;
    writeFile(dir.file("s.ini"),
              "\xEF\xBB\xBF"
              "orphan=before any section\n"
              "[ Spaced Name ]\n"
              "\tpadded\t=\t value with  inner  spaces \t\n"
              "equals=a=b=c\n"
              "no equals sign here\n"
              ";commented=1\n"
              "#hashed=1\n"
              "dup=first\n"
              "DUP=second\n"
              "[Ärger]\n"
              "Schlüssel=wert\n"
              "[spaced name]\n"
              "later=hidden\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"Spaced Name", "padded", "value with  inner  spaces"},
        {"  spaced name ", " PADDED ", "value with  inner  spaces"},
        {"Spaced Name", "equals", "a=b=c"},
        {"Spaced Name", "no equals sign here", "<default>"},
        {"Spaced Name", ";commented", "<default>"},
        {"Spaced Name", "commented", "<default>"},
        {"Spaced Name", "#hashed", "<default>"},
        {"Spaced Name", "dup", "first"},
        {"Spaced Name", "later", "<default>"},  // only the first section so named counts
        {"", "orphan", "<default>"},
        {"ärger", "SCHLÜSSEL", "wert"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SettingsFile::get("s.ini", c.section, c.key, "<default>"), c.expected)
            << c.section << " / " << c.key;
    }
    EXPECT_EQ(SettingsFile::sections("s.ini"), (std::vector<std::string>{"Spaced Name", "Ärger"}));
    EXPECT_EQ(SettingsFile::keys("s.ini", "spaced name"),
              (std::vector<std::string>{"padded", "equals", "dup"}));
    EXPECT_TRUE(SettingsFile::keys("s.ini", "missing").empty());
}

TEST(SettingsFileTest, OmittedValueDeletesTheKeyAndRemoveSectionTheSection) {
    TempDir dir;
    writeFile(dir.file("s.ini"),
              "[A]\n"
              "keep=1\n"
              "gone=2\n"
              "; note\n"
              "GONE=3\n"
              "[B]\n"
              "gone=4\n"
              "[a]\n"
              "dup=5\n");
    ASSERT_EQ(SettingsFile::put("s.ini", "a", "Gone", std::nullopt), 0);
    EXPECT_EQ(readFile(dir.file("s.ini")), "[A]\nkeep=1\n; note\n[B]\ngone=4\n[a]\ndup=5\n");
    EXPECT_EQ(SettingsFile::get("s.ini", "A", "gone", "d"), "d");

    // Deleting what is not there changes nothing and creates nothing.
    ASSERT_EQ(SettingsFile::put("s.ini", "A", "never", std::nullopt), 0);
    ASSERT_EQ(SettingsFile::put("s.ini", "Never", "never", std::nullopt), 0);
    ASSERT_EQ(SettingsFile::put("other.ini", "A", "k", std::nullopt), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("other.ini")));

    // Every section of the name goes, so a later duplicate cannot resurface.
    ASSERT_EQ(SettingsFile::removeSection("s.ini", "A"), 0);
    EXPECT_EQ(readFile(dir.file("s.ini")), "[B]\ngone=4\n");
    EXPECT_EQ(SettingsFile::get("s.ini", "A", "dup", "d"), "d");
    ASSERT_EQ(SettingsFile::removeSection("s.ini", "B"), 0);
    EXPECT_EQ(readFile(dir.file("s.ini")), "");
}

TEST(SettingsFileTest, ValuesAreCutToTheCallersBuffer) {
    TempDir dir;
    std::string longValue(5000, 'x');
    ASSERT_EQ(SettingsFile::put("s.ini", "S", "long", longValue), 0);
    EXPECT_EQ(SettingsFile::get("s.ini", "S", "long", ""), std::string(1023, 'x'));
    EXPECT_EQ(SettingsFile::get("s.ini", "S", "long", "", 6000), longValue);
    ASSERT_EQ(SettingsFile::put("s.ini", "S", "umlauts", "äöüß"), 0);
    EXPECT_EQ(SettingsFile::get("s.ini", "S", "umlauts", "", 3), "äö");
    EXPECT_EQ(SettingsFile::get("s.ini", "S", "missing", "default", 4), "def");
    EXPECT_EQ(SettingsFile::get("s.ini", "S", "missing", "default", 0), "");
}

TEST(SettingsFileTest, GarbageFilesReadAsDefaultsAndSurviveWrites) {
    TempDir dir;
    std::string garbage;
    for (int i = 0; i < 70000; ++i) garbage += static_cast<char>((i * 7919) % 256);
    garbage += "\n[Good]\nkey=found\n";
    garbage += std::string(2'000'000, '[');  // one very long line without "]"
    garbage += "\n[After]\nvalue=" + std::string(3000, 'v') + std::string("\0tail", 5) + "\n";
    writeFile(dir.file("bad.ini"), garbage);

    EXPECT_EQ(SettingsFile::get("bad.ini", "Good", "key", "d"), "found");
    EXPECT_EQ(SettingsFile::get("bad.ini", "Nothing", "key", "d"), "d");
    EXPECT_EQ(SettingsFile::get("bad.ini", "After", "value", "d"), std::string(1023, 'v'));
    SettingsFile::sections("bad.ini");

    ASSERT_EQ(SettingsFile::put("bad.ini", "Good", "added", "yes"), 0);
    EXPECT_EQ(SettingsFile::get("bad.ini", "Good", "added", "d"), "yes");
    std::string after = readFile(dir.file("bad.ini"));
    std::size_t at = garbage.find("key=found\n") + 10;
    EXPECT_EQ(after.substr(0, at), garbage.substr(0, at));
    EXPECT_EQ(after.substr(at, 10), "added=yes\n");
    EXPECT_EQ(after.substr(at + 10), garbage.substr(at));
}

TEST(SettingsFileTest, WhatCannotBeStoredIsRefusedAndTheFileLeftAlone) {
    TempDir dir;
    ASSERT_EQ(SettingsFile::put("s.ini", "S", "k", "v"), 0);
    struct Case {
        std::string section;
        std::string key;
        std::string value;
    } cases[] = {
        {"S", "k", "two\nlines"},
        {"S", "k", "carriage\rreturn"},
        {"S", "k", std::string("n\0l", 3)},
        {"S", "a=b", "v"},
        {"S", "  ", "v"},
        {"", "k", "v"},
        {"Se]ction", "k", "v"},
        {"S", "[k]", "v"},
        {"S", ";k", "v"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SettingsFile::put("s.ini", c.section, c.key, c.value), 87)
            << c.section << "/" << c.key;
        EXPECT_EQ(lastError().code, 87);
    }
    EXPECT_EQ(readFile(dir.file("s.ini")), "[S]\nk=v\n");
}

TEST(SettingsFileTest, AFileThatCannotBeReadIsNeverReplaced) {
    TempDir dir;
    std::filesystem::create_directory(dir.file("folder.ini"));
    EXPECT_EQ(SettingsFile::get("folder.ini", "S", "k", "d"), "d");
    EXPECT_EQ(SettingsFile::put("folder.ini", "S", "k", "v"), 5);
    EXPECT_EQ(lastError().code, 5);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.ini")));
    EXPECT_EQ(SettingsFile::put("no/such/folder/s.ini", "S", "k", "v"), 5);
}

TEST(SettingsFileTest, WritesLeaveNoTemporaryFilesAndKeepAMissingLineEnd) {
    TempDir dir;
    writeFile(dir.file("s.ini"), "[A]\nx=1");
    ASSERT_EQ(SettingsFile::put("s.ini", "A", "y", "2"), 0);
    ASSERT_EQ(SettingsFile::put("s.ini", "A", "x", "3"), 0);
    EXPECT_EQ(readFile(dir.file("s.ini")), "[A]\nx=3\ny=2\n");
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST(SettingsFileTest, WritesFromSeveralThreadsAreNotLost) {
    TempDir dir;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 25; ++i) {
                SettingsFile::put("s.ini", "T" + std::to_string(t), "k" + std::to_string(i),
                                  std::to_string(i));
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int t = 0; t < 4; ++t) {
        EXPECT_EQ(SettingsFile::keys("s.ini", "T" + std::to_string(t)).size(), 25u) << t;
        EXPECT_EQ(SettingsFile::get("s.ini", "T" + std::to_string(t), "k24", ""), "24");
    }
}

}  // namespace
}  // namespace rt
