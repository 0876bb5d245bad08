#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "runtime/host/LastError.h"
#include "runtime/store/LineFile.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"

namespace rt {
namespace {

using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

std::vector<std::string> readForward(LineFile& file) {
    std::vector<std::string> records;
    file.set();
    while (auto record = file.next()) records.push_back(*record);
    EXPECT_EQ(lastError().code, 33);
    return records;
}

std::vector<std::string> readBackward(LineFile& file) {
    std::vector<std::string> records;
    file.set();
    while (auto record = file.previous()) records.push_back(*record);
    EXPECT_EQ(lastError().code, 33);
    return records;
}

TEST(LineFileTest, TheLogIsCreatedWhenMissingAndHoldsALineARecord) {
    TempDir dir;
    LineFile log("AppError.Log");
    EXPECT_FALSE(LineFile::exists("AppError.Log"));
    EXPECT_EQ(log.open(), 2);
    EXPECT_EQ(lastError().code, 2);

    ASSERT_EQ(log.create(), 0);
    EXPECT_TRUE(LineFile::exists(".\\AppError.Log"));
    EXPECT_FALSE(log.isOpen());
    // Open, write a line, close: twice, as the error log does for each message.
    for (const char* text : {"12/7/2026@6:01:02 AM --> first", "12/7/2026@6:01:03 AM --> second"}) {
        ASSERT_EQ(log.open(), 0);
        ASSERT_EQ(log.append(text), 0);
        ASSERT_EQ(log.close(), 0);
    }
    EXPECT_EQ(readFile(dir.file("AppError.Log")),
              "12/7/2026@6:01:02 AM --> first\n12/7/2026@6:01:03 AM --> second\n");
}

TEST(LineFileTest, RecordsAreReadForwardBackwardAndCounted) {
    TempDir dir;
    LineFile file("lines.txt");
    ASSERT_EQ(file.create(), 0);
    ASSERT_EQ(file.open(), 0);
    EXPECT_EQ(file.count(), 0u);
    EXPECT_EQ(file.next(), std::nullopt);
    EXPECT_EQ(lastError().code, 33);
    for (const char* text : {"one", "", "three"}) ASSERT_EQ(file.append(text), 0);

    EXPECT_EQ(file.count(), 3u);
    EXPECT_EQ(readForward(file), (std::vector<std::string>{"one", "", "three"}));
    EXPECT_EQ(readBackward(file), (std::vector<std::string>{"three", "", "one"}));

    // next and previous move from the current record; at an end it stays.
    file.set();
    EXPECT_EQ(file.next(), "one");
    EXPECT_EQ(file.next(), "");
    EXPECT_EQ(file.previous(), "one");
    EXPECT_EQ(file.previous(), std::nullopt);
    EXPECT_EQ(file.next(), "");
    EXPECT_EQ(file.next(), "three");
    EXPECT_EQ(file.next(), std::nullopt);
    EXPECT_EQ(file.previous(), "");

    // A record appended while reading is there for the next read.
    ASSERT_EQ(file.append("four"), 0);
    EXPECT_EQ(file.next(), "three");
    EXPECT_EQ(file.next(), "four");
}

TEST(LineFileTest, RecordsAreCutToTheCapacityAndKeptOnOneLine) {
    TempDir dir;
    LineFile log("AppError.Log");
    ASSERT_EQ(log.create(), 0);
    ASSERT_EQ(log.open(), 0);
    ASSERT_EQ(log.append(std::string(1500, 'a')), 0);
    ASSERT_EQ(log.append("first line\nsecond line\r\n"), 0);
    ASSERT_EQ(log.append(std::string("nul\0inside", 10)), 0);
    ASSERT_EQ(log.append("padded      "), 0);
    EXPECT_EQ(readFile(dir.file("AppError.Log")), std::string(1024, 'a') +
                                                      "\nfirst line second line\n"
                                                      "nul inside\npadded\n");
    EXPECT_EQ(log.count(), 4u);

    LineFile small("small.txt", 5);
    ASSERT_EQ(small.create(), 0);
    ASSERT_EQ(small.open(), 0);
    ASSERT_EQ(small.append("ÄÖÜßéx"), 0);
    EXPECT_EQ(readFile(dir.file("small.txt")), "ÄÖÜßé\n");
}

TEST(LineFileTest, AHandWrittenFileReadsLineByLine) {
    TempDir dir;
    writeFile(dir.file("hand.txt"),
              "crlf line\r\n\r\n" + std::string(5000, 'z') + "\nlast without line end");
    LineFile file("hand.txt", 1024);
    ASSERT_EQ(file.open(LineFile::Access::ReadOnly), 0);
    EXPECT_EQ(file.count(), 4u);
    std::vector<std::string> expected{"crlf line", "", std::string(1024, 'z'),
                                      "last without line end"};
    EXPECT_EQ(readForward(file), expected);
    EXPECT_EQ(readBackward(file), std::vector<std::string>(expected.rbegin(), expected.rend()));
    EXPECT_EQ(file.append("no"), 5);
    ASSERT_EQ(file.close(), 0);

    // An append starts a line of its own after a last line left open.
    ASSERT_EQ(file.open(), 0);
    ASSERT_EQ(file.append("added"), 0);
    EXPECT_EQ(file.count(), 5u);
    EXPECT_TRUE(readFile(dir.file("hand.txt")).ends_with("last without line end\nadded\n"));
}

TEST(LineFileTest, MisuseAndFileSystemFailuresGiveTheRuntimesCodes) {
    TempDir dir;
    LineFile file("f.txt");
    EXPECT_EQ(file.close(), 37);
    EXPECT_EQ(file.append("x"), 37);
    EXPECT_EQ(file.set(), 37);
    EXPECT_EQ(file.next(), std::nullopt);
    EXPECT_EQ(lastError().code, 37);
    EXPECT_EQ(file.previous(), std::nullopt);
    EXPECT_EQ(lastError().code, 37);
    EXPECT_EQ(file.count(), 0u);
    EXPECT_EQ(lastError().code, 37);

    ASSERT_EQ(file.create(), 0);
    ASSERT_EQ(file.open(), 0);
    EXPECT_EQ(file.open(), 52);
    EXPECT_EQ(file.create(), 52);
    ASSERT_EQ(file.close(), 0);

    std::filesystem::create_directory(dir.file("folder"));
    LineFile folder("folder");
    EXPECT_EQ(folder.open(), 5);
    EXPECT_EQ(folder.open(LineFile::Access::ReadOnly), 5);
    EXPECT_FALSE(LineFile::exists("folder"));
    EXPECT_EQ(LineFile("no\\such\\folder\\f.txt").create(), 2);
}

TEST(LineFileTest, TwoSharedHandlesAppendWholeLines) {
    TempDir dir;
    LineFile first("shared.log");
    LineFile second("shared.log");
    ASSERT_EQ(first.create(), 0);
    ASSERT_EQ(first.open(), 0);
    ASSERT_EQ(second.open(), 0);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(first.append("first " + std::to_string(i)), 0);
        ASSERT_EQ(second.append("second " + std::to_string(i)), 0);
    }
    EXPECT_EQ(readForward(second), (std::vector<std::string>{"first 0", "second 0", "first 1",
                                                             "second 1", "first 2", "second 2"}));
}

TEST(LineFileTest, AnAppendTheDiskCutsShortLeavesNoPartOfTheLine) {
    TempDir dir;
    writeFile(dir.file("full.log"), "earlier\n");
    LineFile file("full.log");
    ASSERT_EQ(file.open(), 0);
    {
        // Room for "ab" and the first two of the euro sign's three bytes.
        testsupport::FileSizeLimit full(8 + 4);
        EXPECT_EQ(file.append("ab\xE2\x82\xAC and more"), 90);
    }
    EXPECT_EQ(lastError().code, 90);
    EXPECT_FALSE(lastError().driverText.empty());
    EXPECT_EQ(readFile(dir.file("full.log")), "earlier\n");
    // With room again the same handle appends whole lines.
    EXPECT_EQ(file.append("ab\xE2\x82\xAC"), 0);
    EXPECT_EQ(readFile(dir.file("full.log")), "earlier\nab\xE2\x82\xAC\n");
}

TEST(LineFileTest, AFileThatTakesNoBytesAtAllFailsWithoutAPartialLine) {
    TempDir dir;
    writeFile(dir.file("full.log"), "earlier");  // no line end yet
    LineFile file("full.log");
    ASSERT_EQ(file.open(), 0);
    {
        testsupport::FileSizeLimit full(7);
        EXPECT_EQ(file.append("next"), 90);
    }
    EXPECT_EQ(readFile(dir.file("full.log")), "earlier");
}

}  // namespace
}  // namespace rt
