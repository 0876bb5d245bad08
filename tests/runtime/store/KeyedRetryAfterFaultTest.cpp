// A write whose commit the disk refuses leaves the handle as it was: the
// record it was putting is not taken for another station's change when the
// put is tried again, and a failed add leaves no current record behind.
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include "runtime/store/FileErrors.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/store/KeyedTransaction.h"
#include "runtime/store/TEST_FailingVfs.h"
#include "tests/runtime/store/KeyedTestTable.h"
#include "tests/support/TempDir.h"

using namespace keyedtest;
using Op = rt::TEST_FailingVfs::Op;

namespace {

class KeyedRetryAfterFaultTest : public ::testing::Test {
  protected:
    void SetUp() override {
        PasswordTable t;
        rt::KeyedFile file(t.def);
        ASSERT_EQ(openOrCreate(file), 0);
        for (int i = 1; i <= 3; ++i) {
            t.fill(i, "title " + std::to_string(i));
            ASSERT_EQ(file.add(), 0);
        }
    }

    // The titles as a fresh handle reads them, in key order.
    std::vector<std::string> titles() {
        PasswordTable t;
        rt::KeyedFile file(t.def);
        EXPECT_EQ(file.open(), 0);
        std::vector<std::string> all;
        file.set(kKeyPrimary);
        while (file.next() == 0) all.push_back(t.PAS.Title.clipped());
        return all;
    }

    testsupport::TempDir dir;
};

TEST_F(KeyedRetryAfterFaultTest, APutRetriedAfterAFailedCommitIsWritten) {
    {
        rt::TEST_FailingVfs vfs;
        PasswordTable t;
        rt::KeyedFile file(t.def);
        ASSERT_EQ(file.open(), 0);
        t.PAS.Primary_ID = 2;
        ASSERT_EQ(file.get(kKeyPrimary), 0);
        t.PAS.Title = "changed";
        vfs.failAt(Op::Write, 1, SQLITE_IOERR_WRITE, true);
        EXPECT_NE(file.put(), 0);
        EXPECT_GT(vfs.failures(), 0);
        vfs.heal();
        EXPECT_EQ(titles(), (std::vector<std::string>{"title 1", "title 2", "title 3"}));
        EXPECT_EQ(file.put(), 0) << "the stored row is still the one this handle read";
    }
    EXPECT_EQ(titles(), (std::vector<std::string>{"title 1", "changed", "title 3"}));
}

TEST_F(KeyedRetryAfterFaultTest, AFailedAddLeavesNoRecordCurrentAndCanBeRetried) {
    {
        rt::TEST_FailingVfs vfs;
        PasswordTable t;
        rt::KeyedFile file(t.def);
        ASSERT_EQ(file.open(), 0);
        t.fill(4, "title 4");
        vfs.failAt(Op::Write, 1, SQLITE_IOERR_WRITE, true);
        EXPECT_NE(file.add(), 0);
        vfs.heal();
        EXPECT_EQ(file.put(), rt::ErrNoRecord) << "the rolled-back row is nobody's current record";
        EXPECT_EQ(file.add(), 0);
        t.PAS.Title = "title four";
        EXPECT_EQ(file.put(), 0);
    }
    EXPECT_EQ(titles(), (std::vector<std::string>{"title 1", "title 2", "title 3", "title four"}));
}

}  // namespace

// A full disk met while the page cache spills midway through a transaction
// makes SQLite roll the whole transaction back. Nothing may then be written
// on its own: the caller's rollback has to leave the file as it was.
TEST_F(KeyedRetryAfterFaultTest, WritesAfterSQLiteRolledTheTransactionBackFailUntilItEnds) {
    {
        rt::TEST_FailingVfs vfs;
        PasswordTable t;
        rt::KeyedFile file(t.def);
        ASSERT_EQ(file.open(), 0);
        ASSERT_EQ(rt::beginTransaction({&file}, 1), 0);
        vfs.failAt(Op::Write, 1, SQLITE_FULL, true);
        const std::string notes(900, 'n');
        int id = 4;
        while (id < 20000) {
            t.fill(id, "title " + std::to_string(id), {}, notes);
            if (file.add() != 0) break;
            ++id;
        }
        ASSERT_LT(id, 20000) << "the cache never spilled";
        vfs.heal();
        ASSERT_FALSE(file.database()->inTransaction()) << "SQLite kept the transaction";
        t.fill(id + 1, "on its own");
        EXPECT_NE(file.add(), 0) << "a write outside the caller's transaction";
        EXPECT_NE(file.get(kKeyPrimary), 0) << "reads fail too until the transaction ends";
        EXPECT_EQ(rt::rollbackTransaction(), 0);
        t.PAS.Primary_ID = 2;
        EXPECT_EQ(file.get(kKeyPrimary), 0) << "usable again once the transaction ended";
    }
    EXPECT_EQ(titles(), (std::vector<std::string>{"title 1", "title 2", "title 3"}));
}
