#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <random>

#include "runtime/host/LastError.h"
#include "runtime/store/FileErrors.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/store/KeyedTransaction.h"
#include "runtime/store/TEST_FailingVfs.h"
#include "tests/runtime/store/KeyedTestTable.h"
#include "tests/support/TempDir.h"

using namespace keyedtest;

namespace {

class KeyedFaultTest : public ::testing::Test {
  protected:
    testsupport::TempDir dir;

    std::filesystem::path dataFile() const { return dir.file("Lockora.lkdb"); }

    // A closed data file holding `rows` credentials.
    void makeFile(int rows) {
        PasswordTable t;
        rt::KeyedFile file(t.def);
        ASSERT_EQ(openOrCreate(file), 0);
        for (int i = 1; i <= rows; ++i) {
            t.fill(i, "title " + std::to_string(i), "https://example.org/" + std::to_string(i),
                   std::string(200, 'n'));
            ASSERT_EQ(file.add(), 0);
        }
    }

    // Opening must fail with the driver's error, say why, and leave the bytes alone.
    void expectRefused(const std::string& why) {
        std::string before = testsupport::readFile(dataFile());
        PasswordTable t;
        rt::KeyedFile file(t.def);
        EXPECT_EQ(file.open(), rt::ErrDriver) << why;
        EXPECT_NE(rt::lastError().driverText.find(why), std::string::npos)
            << rt::lastError().driverText;
        EXPECT_EQ(file.create(), rt::ErrDriver) << "create must not replace it either";
        EXPECT_EQ(testsupport::readFile(dataFile()), before);
    }
};

TEST_F(KeyedFaultTest, WrongOwnerPasswordIsAClearErrorAndChangesNothing) {
    makeFile(3);
    std::string before = testsupport::readFile(dataFile());
    PasswordTable wrong("Lockora\\!Password", "mirlotapez");
    rt::KeyedFile file(wrong.def);
    EXPECT_EQ(file.open(), rt::ErrDriver);
    EXPECT_NE(rt::lastError().driverText.find("wrong owner password"), std::string::npos);
    EXPECT_EQ(testsupport::readFile(dataFile()), before);
}

TEST_F(KeyedFaultTest, EmptyOwnerPasswordIsNeverUsedAsAKey) {
    PasswordTable t("Lockora\\!Password", "");
    rt::KeyedFile file(t.def);
    EXPECT_EQ(file.create(), rt::ErrDriver);
    EXPECT_NE(rt::lastError().driverText.find("empty owner password"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dataFile()));
}

TEST_F(KeyedFaultTest, EmptyPlainForeignAndTruncatedFilesAreNotDataFiles) {
    testsupport::writeFile(dataFile(), "");
    expectRefused("empty");

    std::string plain("SQLite format 3\0", 16);
    plain.resize(4096, '\0');
    testsupport::writeFile(dataFile(), plain);
    expectRefused("not encrypted");

    std::mt19937 random(7);
    std::string foreign(8192, '\0');
    for (char& c : foreign) c = static_cast<char>(random());
    testsupport::writeFile(dataFile(), foreign);
    expectRefused("not a data file");

    std::filesystem::remove(dataFile());
    makeFile(300);
    std::string whole = testsupport::readFile(dataFile());
    ASSERT_GT(whole.size(), 8 * 1024u);
    testsupport::writeFile(dataFile(), whole.substr(0, whole.size() - 1000));
    expectRefused("truncated");
    testsupport::writeFile(dataFile(), whole.substr(0, whole.size() / 2 / 1024 * 1024));
    expectRefused("not a data file");
}

TEST_F(KeyedFaultTest, CorruptedPagesAnswerAnErrorWhenRead) {
    makeFile(300);
    std::string bytes = testsupport::readFile(dataFile());
    for (std::size_t at = 3 * 1024 + 100; at < bytes.size(); at += 4096) bytes[at] ^= 0x5a;
    testsupport::writeFile(dataFile(), bytes);
    PasswordTable t;
    rt::KeyedFile file(t.def);
    int code = file.open();
    if (code == 0) {
        file.set(kKeyPrimary);
        while ((code = file.next()) == 0) {
        }
    }
    EXPECT_NE(code, rt::ErrNoRecord) << "a damaged file must not read as a shorter table";
    EXPECT_EQ(rt::lastError().code, rt::ErrDriver);
    EXPECT_FALSE(rt::lastError().driverText.empty());
}

TEST_F(KeyedFaultTest, NoStoredTextAppearsInAnyFileBesideIt) {
    PasswordTable t;
    rt::KeyedFile file(t.def);
    ASSERT_EQ(openOrCreate(file), 0);
    std::vector<std::string> secrets;
    for (int i = 1; i <= 40; ++i) {
        t.fill(i, "Bankkonto" + std::to_string(i),
               "https://secret-bank.example/" + std::to_string(i),
               "my PIN is Zahlenfolge" + std::to_string(i));
        t.PAS.Password = "Kennwort" + std::to_string(i);
        ASSERT_EQ(file.add(), 0);
        secrets.insert(secrets.end(),
                       {"Bankkonto" + std::to_string(i), "secret-bank", "Zahlenfolge",
                        "Kennwort" + std::to_string(i), "user" + std::to_string(i)});
    }
    auto scan = [&](const char* when) {
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            std::string bytes = testsupport::readFile(entry.path());
            ++files;
            for (const auto& secret : secrets)
                EXPECT_EQ(bytes.find(secret), std::string::npos)
                    << secret << " in " << entry.path() << " " << when;
        }
        return files;
    };
    EXPECT_GE(scan("while open"), 3) << "the data file, its log and its index are searched";
    file.close();
    scan("after close");
}

TEST_F(KeyedFaultTest, OnlyTheCipherLibraryIsLoaded) {
    makeFile(1);
    std::string maps = testsupport::readFile("/proc/self/maps");
    EXPECT_NE(maps.find("libsqlcipher"), std::string::npos);
    EXPECT_EQ(maps.find("libsqlite3.so"), std::string::npos);
    EXPECT_EQ(maps.find("Qt6Sql"), std::string::npos);
}

TEST_F(KeyedFaultTest, WriteProtectedFileOpensReadOnlyOnly) {
    makeFile(2);
    std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
    std::filesystem::permissions(dataFile(), std::filesystem::perms(0644));
    int result = inChild([] {
        // Root writes anywhere: become a user the file does not belong to.
        if (geteuid() == 0 && setuid(65534) != 0) return 10;
        PasswordTable t;
        rt::KeyedFile file(t.def);
        if (file.open(rt::ReadWrite | rt::DenyNone) != rt::ErrAccessDenied) return 1;
        if (file.open(rt::ReadOnly | rt::DenyNone) != 0) return 2;
        if (file.records() != 2) return 3;
        file.set(kKeyPrimary);
        if (file.next() != 0 || t.PAS.Primary_ID != 1) return 4;
        if (file.put() != rt::ErrAccessDenied || file.add() != rt::ErrAccessDenied) return 5;
        return 0;
    });
    EXPECT_EQ(result, 0);
}

TEST_F(KeyedFaultTest, FullDiskAnswersAnErrorAndKeepsWhatWasCommitted) {
    makeFile(5);
    auto limit = static_cast<rlim_t>(std::filesystem::file_size(dataFile()) + 64 * 1024);
    int added = inChild([limit] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit rl{limit, limit};
        setrlimit(RLIMIT_FSIZE, &rl);
        PasswordTable t;
        rt::KeyedFile file(t.def);
        if (file.open() != 0) return 200;
        for (int i = 100; i < 300; ++i) {
            t.fill(i, "big " + std::to_string(i), "", std::string(1000, 'z'));
            if (int code = file.add()) {
                bool clear = code == rt::ErrDriver && !rt::lastError().driverText.empty();
                return clear ? i - 100 : 201;
            }
        }
        return 202;
    });
    ASSERT_LT(added, 200) << "the child never met the limit, or met it without a clear error";
    PasswordTable t;
    rt::KeyedFile file(t.def);
    ASSERT_EQ(file.open(), 0);
    EXPECT_EQ(file.records(), 5 + added);
    EXPECT_EQ(file.database()->integrityCheck(), "ok");
}

}  // namespace

// Every write and every sync of a committing transaction fails in turn; the
// commit reports the driver's error, and the file then opens, passes the
// integrity check and holds what was committed: the old rows, plus the new
// one only where the failure came after its commit record reached the disk.
TEST_F(KeyedFaultTest, AFailedWriteOrSyncAtCommitIsReportedAndLosesNothing) {
    makeFile(3);
    using Op = rt::TEST_FailingVfs::Op;
    for (Op op : {Op::Write, Op::Sync}) {
        int engineError = op == Op::Write ? SQLITE_IOERR_WRITE : SQLITE_IOERR_FSYNC;
        std::int64_t expected = 3;
        for (int n = 1; n < 50; ++n) {
            SCOPED_TRACE(testing::Message() << (op == Op::Write ? "write " : "sync ") << n);
            int failures = 0;
            {
                rt::TEST_FailingVfs vfs;
                PasswordTable t;
                rt::KeyedFile file(t.def);
                ASSERT_EQ(file.open(), 0);
                ASSERT_EQ(rt::beginTransaction({&file}, 1), 0);
                t.fill(1000 + n, "new " + std::to_string(n), "https://example.org/new", "notes");
                ASSERT_EQ(file.add(), 0);
                vfs.failAt(op, n, engineError);
                int rc = rt::commitTransaction();
                failures = vfs.failures();
                if (failures == 0) {
                    EXPECT_EQ(rc, 0)
                        << "past the commit's last " << (op == Op::Write ? "write" : "sync");
                } else {
                    EXPECT_EQ(rc, rt::ErrDriver);
                    EXPECT_FALSE(rt::lastError().driverText.empty());
                    rt::rollbackTransaction();
                }
            }
            PasswordTable t;
            rt::KeyedFile file(t.def);
            ASSERT_EQ(file.open(), 0);
            EXPECT_EQ(file.database()->integrityCheck(), "ok");
            std::int64_t rows = file.records();
            if (failures == 0 || op == Op::Sync) {
                EXPECT_TRUE(rows == expected || rows == expected + 1) << rows;
            } else {
                EXPECT_EQ(rows, expected) << "a failed write never commits";
            }
            expected = rows;
            if (failures == 0) break;
        }
    }
}
