// Daily copies of a data file and the full check: real files, the copies read
// back through the cipher's own shell.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "runtime/host/Progress.h"
#include "runtime/store/DataFileBackups.h"
#include "runtime/store/DataFileKeys.h"
#include "runtime/store/KeyedTransaction.h"
#include "runtime/text/Date.h"
#include "runtime/text/Time.h"
#include "tests/runtime/store/MasterKeyTable.h"
#include "tests/support/SqlShell.h"
#include "tests/support/TempDir.h"

using namespace keyedtest;

namespace {

const rt::DateSerial kFirstDay = rt::dateFromParts(3, 1, 2026);

// Every report of one operation, as a progress window would get them.
class RecordingReporter : public rt::ProgressReporter {
  public:
    RecordingReporter() : previous_(rt::setProgressReporter(this)) {}
    ~RecordingReporter() override { rt::setProgressReporter(previous_); }
    void begin(const std::string& text) override { texts.push_back(text); }
    void step() override {}
    void advance(double fraction) override { fractions.push_back(fraction); }
    void end() override { ++ends; }

    std::vector<std::string> texts;
    std::vector<double> fractions;
    int ends = 0;

  private:
    rt::ProgressReporter* previous_;
};

class DataFileBackupsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rt::KeyDerivation::TEST_useCheapParameters(true);
        rt::DataFileKeys::forgetAll();
    }
    void TearDown() override {
        rt::TEST_resetClock();
        rt::DataFileKeys::forgetAll();
        rt::KeyDerivation::TEST_useCheapParameters(false);
    }

    std::filesystem::path dataFile() const { return dir.file("Lockora.lkdb"); }

    static void addEntry(int id, const std::string& title) {
        PasswordTable table;
        rt::KeyedFile file(table.def);
        ASSERT_EQ(openOrCreate(file), 0);
        table.fill(id, title);
        ASSERT_EQ(file.add(), 0);
    }

    // Enough entries for a file of many pages, in one commit.
    static void addEntries(int count) {
        PasswordTable table;
        rt::KeyedFile file(table.def);
        ASSERT_EQ(openOrCreate(file), 0);
        ASSERT_EQ(rt::beginTransaction({&file}, 5), 0);
        for (int id = 1; id <= count; ++id) {
            table.fill(id, "entry " + std::to_string(id),
                       "https://example.org/" + std::to_string(id));
            ASSERT_EQ(file.add(), 0);
        }
        ASSERT_EQ(rt::commitTransaction(), 0);
    }

    rt::DbStatus copyNow() {
        rt::DbStatus status;
        auto db = rt::KeyedDatabase::open(dataFile(), kOwnerPassword, false, true, status);
        if (!db) return status;
        return backups.makeCopy(*db);
    }

    // The copy's titles in entry order, read by the shell with the key pragma.
    static std::string titlesIn(const std::filesystem::path& copy, const std::string& key) {
        return testsupport::cipherShell(
            copy, key, "SELECT group_concat(rtrim(Title), ',') FROM Password ORDER BY Primary_ID;");
    }

    testsupport::TempDir dir;
    rt::DataFileBackups backups{dataFile()};
};

TEST_F(DataFileBackupsTest, ACopyOpensWithTheOwnerPasswordHoldsTheEntriesAndStandsAlone) {
    addEntry(1, "Bank");
    addEntry(2, "Mail");
    rt::TEST_setClock(kFirstDay, rt::timeFromParts(9, 30, 0));
    ASSERT_EQ(copyNow().code, 0);
    EXPECT_EQ(titlesIn(backups.copyPath(1), "'mirlotapex'"), "Bank,Mail\n");
    // No write-ahead log beside it is needed to read it.
    EXPECT_EQ(testsupport::cipherShell(backups.copyPath(1), "'mirlotapex'", "PRAGMA journal_mode;"),
              "delete\n");
    EXPECT_EQ(backups.existing(), std::vector<int>{1});
    EXPECT_EQ(backups.madeOn(1), kFirstDay);
    EXPECT_FALSE(std::filesystem::exists(dir.file("Lockora.lkdb.new")));
}

TEST_F(DataFileBackupsTest, ACopyOfAMasterKeyedFileOpensWithTheSameMasterPasswordOnly) {
    addEntry(1, "Bank");
    ASSERT_EQ(writeMasterPassword("Secret7"), 0);
    addEntry(2, "Mail");
    ASSERT_EQ(copyNow().code, 0);
    const auto copy = backups.copyPath(1);
    EXPECT_EQ(titlesIn(copy, testsupport::masterKeyPragma(copy, "Secret7")), "Bank,Mail\n");
    EXPECT_NE(titlesIn(copy, "'mirlotapex'").find("not a database"), std::string::npos);
    EXPECT_NE(titlesIn(copy, testsupport::masterKeyPragma(copy, "secret7")).find("not a database"),
              std::string::npos);
}

TEST_F(DataFileBackupsTest, NineDaysKeepTheSevenNewestCopiesOneADayNewestFirst) {
    for (int day = 1; day <= 9; ++day) {
        rt::TEST_setClock(kFirstDay + day - 1, rt::timeFromParts(8, 0, 0));
        addEntry(day, "day" + std::to_string(day));
        ASSERT_TRUE(backups.dueToday()) << "day " << day;
        ASSERT_EQ(copyNow().code, 0) << "day " << day;
        rt::TEST_setClock(kFirstDay + day - 1, rt::timeFromParts(23, 59, 0));
        EXPECT_FALSE(backups.dueToday()) << "a second login on day " << day;
    }
    ASSERT_EQ(backups.existing(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Lockora.lkdb.8")));
    for (int n = 1; n <= 7; ++n) {
        int day = 10 - n;  // copy 1 is day 9's, copy 7 day 3's
        EXPECT_EQ(backups.madeOn(n), kFirstDay + day - 1) << "copy " << n;
        std::string expected;
        for (int d = 1; d <= day; ++d) expected += (d > 1 ? "," : "") + ("day" + std::to_string(d));
        EXPECT_EQ(titlesIn(backups.copyPath(n), "'mirlotapex'"), expected + "\n") << "copy " << n;
    }
}

TEST_F(DataFileBackupsTest, AClockSetBackAsksForANewCopyRatherThanNone) {
    addEntry(1, "Bank");
    rt::TEST_setClock(kFirstDay + 5, rt::timeFromParts(12, 0, 0));
    ASSERT_EQ(copyNow().code, 0);
    rt::TEST_setClock(kFirstDay + 2, rt::timeFromParts(12, 0, 0));
    EXPECT_TRUE(backups.dueToday());
}

TEST_F(DataFileBackupsTest, ACopyThatCannotBeMadeLeavesTheEarlierCopiesAsTheyWere) {
    addEntry(1, "Bank");
    rt::TEST_setClock(kFirstDay, rt::timeFromParts(8, 0, 0));
    ASSERT_EQ(copyNow().code, 0);
    addEntry(2, "Mail");
    // Something that is no file stands where the new copy is made.
    std::filesystem::create_directories(dir.file("Lockora.lkdb.new") / "in-the-way");
    rt::TEST_setClock(kFirstDay + 1, rt::timeFromParts(8, 0, 0));
    rt::DbStatus status = copyNow();
    EXPECT_NE(status.code, 0);
    EXPECT_FALSE(status.driverText.empty());
    EXPECT_EQ(backups.existing(), std::vector<int>{1});
    EXPECT_EQ(titlesIn(backups.copyPath(1), "'mirlotapex'"), "Bank\n");
    EXPECT_TRUE(backups.dueToday()) << "the next login tries again";
}

TEST_F(DataFileBackupsTest, TheFullCheckPassesASoundFileAndReportsItsProgress) {
    addEntries(600);
    rt::DbStatus status;
    auto db = rt::KeyedDatabase::open(dataFile(), kOwnerPassword, false, true, status);
    ASSERT_TRUE(db) << status.driverText;
    RecordingReporter reporter;
    EXPECT_EQ(db->checkWholeFile("Checking"), std::vector<std::string>{});
    EXPECT_EQ(reporter.texts, std::vector<std::string>{"Checking"});
    EXPECT_EQ(reporter.ends, 1);
    ASSERT_GE(reporter.fractions.size(), 2u) << "reports while it reads, then the end";
    EXPECT_TRUE(std::is_sorted(reporter.fractions.begin(), reporter.fractions.end()));
    EXPECT_GT(reporter.fractions.front(), 0.0);
    EXPECT_LT(reporter.fractions.front(), 1.0);
    EXPECT_EQ(reporter.fractions.back(), 1.0);
}

TEST_F(DataFileBackupsTest, TheFullCheckFindsAPageDamagedWhereAnOpenDoesNotLook) {
    addEntries(600);
    const auto size = std::filesystem::file_size(dataFile());
    {
        std::fstream file(dataFile(), std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(static_cast<std::streamoff>(size - 600));
        file.write("\x13\x37\xbe\xef", 4);
    }
    rt::DbStatus status;
    auto db = rt::KeyedDatabase::open(dataFile(), kOwnerPassword, false, true, status);
    ASSERT_TRUE(db) << "the damage lies past the pages an open reads: " << status.driverText;
    EXPECT_FALSE(db->checkWholeFile("Checking").empty());
}

}  // namespace
