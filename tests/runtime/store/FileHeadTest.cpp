// Reading a data file's first bytes while this process has it open must
// leave the connection's locks alone: otherwise another process that reads
// the file takes it for unused, folds the write-ahead log into it and
// deletes the log, and what this process writes next goes nowhere.
#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/store/CipherKey.h"
#include "runtime/store/FileHead.h"
#include "tests/runtime/store/KeyedTestTable.h"
#include "tests/support/SqlShell.h"
#include "tests/support/TempDir.h"

using namespace keyedtest;

TEST(FileHeadTest, ReadingTheHeadOfAnOpenFileLosesNoLaterWrite) {
    testsupport::TempDir dir;
    std::filesystem::path data = dir.file("Lockora.lkdb");
    PasswordTable t;
    rt::KeyedFile file(t.def);
    ASSERT_EQ(openOrCreate(file), 0);
    t.fill(1, "first");
    ASSERT_EQ(file.add(), 0);

    std::optional<std::string> head = rt::readFileHead(data, 16);
    ASSERT_TRUE(head.has_value());
    EXPECT_EQ(head->size(), 16u);
    EXPECT_NE(head->substr(0, 6), "SQLite") << "the data file's head is its salt, not plain text";
    EXPECT_TRUE(rt::fileSalt(data).has_value());

    // Another process opens and closes the file while this one holds it.
    EXPECT_EQ(testsupport::sqlShell(data, kOwnerPassword, "SELECT count(*) FROM Password;"),
              std::vector<std::string>{"1"});
    EXPECT_TRUE(std::filesystem::exists(dir.file("Lockora.lkdb-wal")))
        << "the log of a file this process has open was folded in and deleted";

    t.fill(2, "second");
    ASSERT_EQ(file.add(), 0);
    EXPECT_EQ(testsupport::sqlShell(data, kOwnerPassword,
                                    "SELECT Title FROM Password ORDER BY Primary_ID;"),
              (std::vector<std::string>{"first", "second"}));
}

TEST(FileHeadTest, MissingShortAndUnreadableFilesAnswerWhatTheyHold) {
    testsupport::TempDir dir;
    EXPECT_FALSE(rt::readFileHead(dir.file("missing.lkdb"), 16).has_value());
    EXPECT_FALSE(rt::readFileHead(dir.path(), 16).has_value()) << "a folder is no data file";
    testsupport::writeFile(dir.file("short.lkdb"), "abc");
    EXPECT_EQ(rt::readFileHead(dir.file("short.lkdb"), 16), std::optional<std::string>("abc"));
    EXPECT_FALSE(rt::fileSalt(dir.file("short.lkdb")).has_value());
    testsupport::writeFile(dir.file("empty.lkdb"), "");
    EXPECT_EQ(rt::readFileHead(dir.file("empty.lkdb"), 16), std::optional<std::string>(""));
}
