// A new data file appears whole or not at all: stations starting together in
// an empty folder end up in one file, and a failure while it is made leaves
// the folder as it was. Checked with the cipher's own shell.
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include <chrono>
#include <future>
#include <iostream>
#include <set>
#include <thread>

#include "runtime/host/LastError.h"
#include "runtime/store/CipherKey.h"
#include "runtime/store/TEST_FailingVfs.h"
#include "tests/runtime/store/KeyedTestTable.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/SqlShell.h"
#include "tests/support/TempDir.h"

using namespace keyedtest;
using Op = rt::TEST_FailingVfs::Op;

namespace {

constexpr int kStations = 4;

bool waitFor(const std::function<bool()>& done) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Another station: says it is ready, starts at the signal with the others,
// opens the table as the program does (making the file when missing) and
// adds its own record. Answers the runtime's code of the first failure.
const bool registered = testsupport::registerChildTask("open-and-add", [](const std::string& id) {
    testsupport::writeFile("ready-" + id, "");
    if (!waitFor([] { return std::filesystem::exists("go"); })) return 125;
    PasswordTable t;
    rt::KeyedFile file(t.def);
    int code = openOrCreate(file);
    if (code == 0) {
        t.fill(std::stoi(id), "station " + id);
        code = file.add();
    }
    if (code != 0) std::cerr << "station " << id << ": " << rt::lastError().driverText << "\n";
    return code;
});

class NewDataFileTest : public testing::Test {
  protected:
    testsupport::TempDir dir;

    std::filesystem::path dataFile() const { return dir.file("Lockora.lkdb"); }

    std::set<std::string> folder() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            names.insert(entry.path().filename().string());
        return names;
    }

    // The storage library's structural check and the tables, from its shell.
    std::vector<std::string> shellView(const std::string& query) const {
        return testsupport::sqlShell(dataFile(), kOwnerPassword, "PRAGMA quick_check;\n" + query);
    }
};

TEST_F(NewDataFileTest, ANewFileIsWholeKeyedAndAloneInItsFolder) {
    {
        PasswordTable t;
        rt::KeyedFile file(t.def);
        ASSERT_EQ(file.create(), 0) << rt::lastError().driverText;
    }
    EXPECT_EQ(folder(), std::set<std::string>{"Lockora.lkdb"});
    auto size = std::filesystem::file_size(dataFile());
    EXPECT_GT(size, 0u);
    EXPECT_EQ(size % 1024, 0u);
    auto salt = rt::fileSalt(dataFile());
    ASSERT_TRUE(salt);
    EXPECT_TRUE(rt::KeyDerivation::namesParameters(*salt)) << "keyed as every new file is";
    EXPECT_EQ(shellView("SELECT name FROM sqlite_master WHERE type='index' AND "
                        "name LIKE 'Password_%' ORDER BY 1;"),
              (std::vector<std::string>{"ok", "Password_KeyName", "Password_KeyPrimary",
                                        "Password_KeyTitle"}));
}

TEST_F(NewDataFileTest, StationsStartingTogetherInAnEmptyFolderShareOneFile) {
    std::vector<std::future<int>> stations;
    for (int id = 1; id <= kStations; ++id)
        stations.push_back(std::async(std::launch::async, [id] {
            return testsupport::runInChildProcess("open-and-add", std::to_string(id));
        }));
    bool allReady = waitFor([&] {
        int ready = 0;
        for (const auto& name : folder()) ready += name.rfind("ready-", 0) == 0;
        return ready == kStations;
    });
    testsupport::writeFile(dir.file("go"), "");
    ASSERT_TRUE(allReady);
    for (int id = 1; id <= kStations; ++id)
        EXPECT_EQ(stations[id - 1].get(), 0) << "station " << id;

    EXPECT_EQ(shellView("SELECT Primary_ID FROM Password ORDER BY 1;"),
              (std::vector<std::string>{"ok", "1", "2", "3", "4"}));
    std::set<std::string> names = folder();
    for (int id = 1; id <= kStations; ++id) names.erase("ready-" + std::to_string(id));
    // The data file, the stations' record-lock file and no temporary.
    EXPECT_EQ(names, (std::set<std::string>{"Lockora.lkdb", "Lockora.lkdb-lock", "go"}));
}

TEST_F(NewDataFileTest, AFailureWhileMakingTheFileLeavesTheFolderEmpty) {
    rt::TEST_FailingVfs vfs;
    for (Op op : {Op::Write, Op::Sync}) {
        for (int n = 1;; ++n) {
            SCOPED_TRACE(testing::Message() << (op == Op::Write ? "write " : "sync ") << n);
            ASSERT_LT(n, 100) << "the creation never got past its failures";
            int failuresBefore = vfs.failures();
            vfs.failAt(op, n, op == Op::Write ? SQLITE_IOERR_WRITE : SQLITE_IOERR_FSYNC);
            int code = 0;
            {
                PasswordTable t;
                rt::KeyedFile file(t.def);
                code = file.create();
            }
            vfs.heal();
            if (vfs.failures() == failuresBefore) {
                EXPECT_EQ(code, 0);
                break;
            }
            if (code == 0) {
                // The engine got past the failure: the file must be whole.
                EXPECT_EQ(folder(), std::set<std::string>{"Lockora.lkdb"});
                EXPECT_EQ(shellView("SELECT count(*) FROM Password;"),
                          (std::vector<std::string>{"ok", "0"}));
            } else {
                EXPECT_EQ(folder(), std::set<std::string>{}) << "code " << code;
            }
            std::filesystem::remove(dataFile());
        }
        std::filesystem::remove(dataFile());
    }
}

}  // namespace
