// A process killed at random moments while it writes entries and changes the
// master password, a few hundred times: every time, the file must open with
// the last master password it committed or the one it was changing to, the
// System record must hold that same password, and every committed entry
// must be there.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <thread>

#include "runtime/store/DataFileKeys.h"
#include "tests/runtime/store/MasterKeyTable.h"
#include "tests/support/TempDir.h"

using namespace keyedtest;

namespace {

constexpr int kKills = 300;

std::string passwordNo(int n) {
    return "Pw" + std::to_string(n);
}

void report(int fd, const std::string& line) {
    std::string text = line + "\n";
    if (::write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) _exit(3);
}

// The writer: from password number `current` on, adds an entry and moves
// to the next password, for ever, saying after each commit what it did.
[[noreturn]] void writer(int fd, int current, int firstEntry) {
    rt::DataFileKeys::forgetAll();
    rt::KeyedStation station;
    SystemTable sys;
    PasswordTable pas;
    rt::KeyedFile sysFile(sys.def, &station), pasFile(pas.def, &station);
    if (sysFile.unlock(passwordNo(current)) != 0) _exit(4);
    if (sysFile.open() != 0 || openOrCreate(pasFile) != 0) _exit(5);
    if (sysFile.set(0) != 0 || sysFile.next() != 0) _exit(6);
    report(fd, "R 0");
    for (int entry = firstEntry;; ++entry) {
        pas.fill(entry, "entry " + std::to_string(entry));
        if (pasFile.add() != 0) _exit(7);
        report(fd, "E " + std::to_string(entry));
        sys.MasterPassword = passwordNo(current + 1);
        if (sysFile.put() != 0) _exit(8);
        report(fd, "K " + std::to_string(++current));
    }
}

struct Outcome {
    int lastPassword;  // the last change the writer said it committed
    std::set<int> entries;
};

Outcome readReports(int fd, int password) {
    Outcome out{password, {}};
    std::string text;
    char buffer[4096];
    while (ssize_t n = ::read(fd, buffer, sizeof buffer)) {
        if (n < 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    std::size_t at = 0, end;
    while ((end = text.find('\n', at)) != std::string::npos) {
        std::string line = text.substr(at, end - at);
        at = end + 1;
        int number = std::stoi(line.substr(2));
        if (line[0] == 'E') out.entries.insert(number);
        if (line[0] == 'K') out.lastPassword = number;
    }
    return out;
}

class MasterKeyCrashTest : public ::testing::Test {
  protected:
    void SetUp() override { rt::KeyDerivation::TEST_useCheapParameters(true); }
    void TearDown() override {
        rt::DataFileKeys::forgetAll();
        rt::KeyDerivation::TEST_useCheapParameters(false);
    }
    testsupport::TempDir dir;
};

TEST_F(MasterKeyCrashTest, KilledDuringReKeysTheFileOpensWithOldOrNewPasswordAndKeepsAll) {
    ASSERT_EQ(writeMasterPassword(passwordNo(0)), 0);
    rt::DataFileKeys::forgetAll();
    std::mt19937 random(20240614);
    std::uniform_int_distribution<int> delayMicros(0, 45000);
    std::set<int> committed;
    int password = 0, nextEntry = 1, killedBeforeAChange = 0;
    int committedUnreported = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        int fds[2];
        ASSERT_EQ(::pipe(fds), 0);
        pid_t pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            writer(fds[1], password, nextEntry);
        }
        ::close(fds[1]);
        // Kills land while it writes, not while it starts.
        char c = 0;
        while (c != '\n' && ::read(fds[0], &c, 1) == 1) {
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicros(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer failed on its own: " << WEXITSTATUS(status);
        Outcome seen = readReports(fds[0], password);
        ::close(fds[0]);

        committed.insert(seen.entries.begin(), seen.entries.end());

        // The file opens with the last committed password, or with the next
        // one when that change had committed before its report was written.
        rt::DataFileKeys::forgetAll();
        SystemTable sys;
        rt::KeyedFile probe(sys.def);
        int opened = seen.lastPassword;
        if (probe.unlock(passwordNo(opened)) != 0) {
            opened = seen.lastPassword + 1;
            ++committedUnreported;
            ASSERT_EQ(probe.unlock(passwordNo(opened)), 0)
                << "kill " << kill << ": neither password " << seen.lastPassword << " nor "
                << opened << " opens the file";
        }
        {
            rt::KeyedFile sysFile(sys.def);
            ASSERT_EQ(sysFile.open(), 0);
            ASSERT_EQ(sysFile.set(0), 0);
            ASSERT_EQ(sysFile.next(), 0);
            ASSERT_EQ(sys.MasterPassword.clipped(), passwordNo(opened))
                << "kill " << kill << ": the record and the key disagree";
            PasswordTable pas;
            rt::KeyedFile pasFile(pas.def);
            ASSERT_EQ(openOrCreate(pasFile), 0);
            std::set<int> stored;
            ASSERT_EQ(pasFile.set(kKeyPrimary), 0);
            while (pasFile.next() == 0) stored.insert(pas.PAS.Primary_ID);
            for (int entry : committed)
                ASSERT_TRUE(stored.count(entry)) << "kill " << kill << ": entry " << entry;
            nextEntry = stored.empty() ? 1 : *stored.rbegin() + 1;
            committed = stored;
        }
        if (opened == password) ++killedBeforeAChange;
        password = opened;
    }
    // The kills must have met re-keys, or the test proved nothing.
    EXPECT_LT(killedBeforeAChange, kKills * 3 / 4);
    EXPECT_GT(committedUnreported, 0) << "no kill fell between a change's commit and its report";
    std::printf(
        "%d kills: %d before the first change committed, %d between a change's "
        "commit and its report\n",
        kKills, killedBeforeAChange, committedUnreported);
    rt::DataFileKeys::forgetAll();
    PasswordTable pas;
    rt::KeyedFile file(pas.def);
    ASSERT_EQ(file.unlock(passwordNo(password)), 0);
    ASSERT_EQ(file.open(), 0);
    EXPECT_EQ(file.database()->integrityCheck(), "ok");
}

}  // namespace
