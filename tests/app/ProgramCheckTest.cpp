// lockora --check, run as the real program in a data folder made by the
// program itself: exit codes, the result lines, the master password read
// from standard input, and the backups' lines. No display is needed.
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <utility>

#include "app/DataFileCheck.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/ProgramRun.h"

using namespace program;

namespace {

// Four bytes changed inside the file's last page, which an open never reads.
void damageLastPage(const std::filesystem::path& file) {
    const auto size = std::filesystem::file_size(file);
    std::fstream bytes(file, std::ios::in | std::ios::out | std::ios::binary);
    bytes.seekp(static_cast<std::streamoff>(size - 600));
    bytes.write("\x13\x37\xbe\xef", 4);
}

bool says(const testsupport::ProgramRun& run, const std::string& text) {
    return run.output.find(text) != std::string::npos;
}

class ProgramCheckTest : public ProgramFixture {
  protected:
    std::filesystem::path dataFile() const { return dir.file("Lockora.lkdb"); }

    // A platform that does not exist: the check must not need any.
    testsupport::ProgramRun check(const std::string& input = {}) const {
        testsupport::ProgramRun run = testsupport::runProgram(
            LOCKORA_PROGRAM, dir.path(), {{"QT_QPA_PLATFORM", "no-such-platform"}, {"DISPLAY", ""}},
            testsupport::ProgramCall{{"--check"}, input});
        EXPECT_FALSE(run.timedOut) << run.output << run.errors;
        return run;
    }

    // A first run cancelled at the settings form: the file keeps the owner
    // password, and the login made the day's backup.
    void ownerKeyedFile() {
        rt::Robot robot;
        robot.waitForWindow(kLoginCaption)
            .press(LoginButton)
            .waitForWindow(kNewSystemCaption)
            .press(SysCancel)
            .waitForWindow(kMainCaption)
            .press(MainExit);
        ASSERT_EQ(runProgram(robot), 0);
    }
};

TEST_F(ProgramCheckTest, ASoundFileAndItsBackupPassWithProgressAndExitZero) {
    ownerKeyedFile();
    const std::string before = testsupport::readFile(dataFile());
    testsupport::ProgramRun run = check();
    EXPECT_EQ(run.exitCode, CheckSound) << run.output << run.errors;
    EXPECT_TRUE(says(run, "Checking Lockora.lkdb: 100%")) << run.output;
    EXPECT_TRUE(says(run, "\nLockora.lkdb: sound\n")) << run.output;
    EXPECT_TRUE(says(run, "Backups: 1\n")) << run.output;
    EXPECT_TRUE(says(run, "Lockora.lkdb.1 (made ")) << run.output;
    EXPECT_TRUE(says(run, "): sound\n")) << run.output;
    EXPECT_EQ(run.errors.find("Master password"), std::string::npos) << "nothing to ask for";
    EXPECT_EQ(testsupport::readFile(dataFile()), before) << "a check never writes";
    EXPECT_FALSE(std::filesystem::exists(dir.file("Lockora.lkdb-wal"))) << "nothing left beside it";
    EXPECT_FALSE(std::filesystem::exists(dir.file("Lockora.lkdb-shm")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Lockora.lkdb.1-journal")));
}

TEST_F(ProgramCheckTest, ADamagedPageIsNamedAndEndsWithTheDamagedCode) {
    ownerKeyedFile();
    damageLastPage(dataFile());
    const std::string before = testsupport::readFile(dataFile());
    testsupport::ProgramRun run = check();
    EXPECT_EQ(run.exitCode, CheckDamaged) << run.output << run.errors;
    EXPECT_TRUE(says(run, "Lockora.lkdb: DAMAGED: ")) << run.output;
    EXPECT_TRUE(says(run, "problem(s) found:\n    ")) << run.output;
    EXPECT_TRUE(says(run, "Lockora.lkdb.1 (made ")) << "the backups are still listed";
    EXPECT_EQ(testsupport::readFile(dataFile()), before);
}

TEST_F(ProgramCheckTest, NoDataFileOrNotADataFileAtAll) {
    testsupport::ProgramRun missing = check();
    EXPECT_EQ(missing.exitCode, CheckNotChecked) << missing.output;
    EXPECT_TRUE(says(missing, "no data file in this folder")) << missing.output;
    EXPECT_TRUE(says(missing, "Backups: 0\n")) << missing.output;

    testsupport::writeFile(dataFile(), std::string(4096, '\x5a'));
    testsupport::ProgramRun foreign = check();
    EXPECT_EQ(foreign.exitCode, CheckDamaged) << foreign.output;
    EXPECT_TRUE(says(foreign, "Lockora.lkdb: DAMAGED: ")) << foreign.output;

    std::filesystem::remove(dataFile());
    std::filesystem::create_directory(dataFile());
    testsupport::ProgramRun folder = check();
    EXPECT_EQ(folder.exitCode, CheckDamaged) << folder.output;
    EXPECT_TRUE(says(folder, "a folder stands in the data file's place")) << folder.output;
}

TEST_F(ProgramCheckTest, AMasterKeyedFileNeedsItsPasswordOnStandardInput) {
    firstRun("Ada Example", "Tr1cky");
    testsupport::ProgramRun right = check("Tr1cky\n");
    EXPECT_EQ(right.exitCode, CheckSound) << right.output << right.errors;
    EXPECT_TRUE(says(right, "\nLockora.lkdb: sound\n")) << right.output;
    EXPECT_TRUE(says(right, "): sound\n")) << "the backup opens with the same password";

    testsupport::ProgramRun wrong = check("tr1cky\n");
    EXPECT_EQ(wrong.exitCode, CheckNotChecked) << wrong.output;
    EXPECT_TRUE(says(wrong, "Lockora.lkdb: NOT CHECKED: the master password given does not open"))
        << wrong.output;

    testsupport::ProgramRun none = check();
    EXPECT_EQ(none.exitCode, CheckNotChecked) << none.output;
    EXPECT_TRUE(says(none, "none was given")) << none.output;
}

TEST_F(ProgramCheckTest, EachBackupIsListedWithItsOwnResult) {
    ownerKeyedFile();
    std::filesystem::copy_file(dir.file("Lockora.lkdb.1"), dir.file("Lockora.lkdb.2"));
    damageLastPage(dir.file("Lockora.lkdb.2"));
    testsupport::ProgramRun run = check();
    EXPECT_EQ(run.exitCode, CheckSound) << "the code speaks of the data file: " << run.output;
    EXPECT_TRUE(says(run, "Backups: 2\n")) << run.output;
    const auto first = run.output.find("Lockora.lkdb.1 (made ");
    const auto second = run.output.find("Lockora.lkdb.2 (made ");
    ASSERT_NE(first, std::string::npos) << run.output;
    ASSERT_NE(second, std::string::npos) << run.output;
    EXPECT_EQ(run.output.substr(first, second - first).find("DAMAGED"), std::string::npos);
    EXPECT_NE(run.output.find("DAMAGED", second), std::string::npos) << run.output;
}

}  // namespace

namespace {

// The check run on a terminal of its own, as a person runs it: the prompt is
// answered once it shows; answers everything the terminal showed and the
// exit code.
std::pair<std::string, int> checkOnTerminal(const std::filesystem::path& folder,
                                            const std::string& password) {
    const std::string where = folder.string();
    int terminal = -1;
    pid_t child = forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        if (chdir(where.c_str()) != 0) _exit(126);
        execl(LOCKORA_PROGRAM, LOCKORA_PROGRAM, "--check", static_cast<char*>(nullptr));
        _exit(127);
    }
    std::string shown;
    bool answered = false;
    char buf[512];
    for (;;) {
        pollfd ready{terminal, POLLIN, 0};
        if (poll(&ready, 1, 20000) <= 0) break;
        ssize_t n = read(terminal, buf, sizeof buf);
        if (n <= 0) break;  // the program ended and closed the terminal
        shown.append(buf, static_cast<std::size_t>(n));
        if (!answered && shown.find("Master password: ") != std::string::npos) {
            const std::string line = password + "\n";
            EXPECT_EQ(write(terminal, line.data(), line.size()), static_cast<ssize_t>(line.size()));
            answered = true;
        }
    }
    close(terminal);
    int status = 0;
    waitpid(child, &status, 0);
    return {shown, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

}  // namespace

TEST_F(ProgramCheckTest, OnATerminalThePasswordIsAskedForAndNotEchoed) {
    firstRun("Ada Example", "Tr1cky");
    auto [shown, code] = checkOnTerminal(dir.path(), "Tr1cky");
    EXPECT_EQ(code, CheckSound) << shown;
    EXPECT_NE(shown.find("Master password: "), std::string::npos) << shown;
    EXPECT_EQ(shown.find("Tr1cky"), std::string::npos) << "typed without echo: " << shown;
    EXPECT_NE(shown.find("\rChecking Lockora.lkdb: 100%"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Lockora.lkdb: sound"), std::string::npos) << shown;
}
