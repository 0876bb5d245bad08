#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "errors/ErrorIds.h"
#include "errors/ErrorLogLine.h"
#include "errors/StandardErrorLogClass.h"
#include "runtime/picture/Picture.h"
#include "runtime/text/Date.h"
#include "runtime/text/Value.h"
#include "tests/errors/ErrorTestFixture.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/TempDir.h"

namespace {

std::vector<std::string> lines(const std::filesystem::path& path) {
    std::istringstream in(testsupport::readFile(path));
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// The message of a log line, after checking its stamp: the host's short date
// ("D17"), "@", the host's long time ("T8") and " --> ".
std::string messageOf(const std::string& line) {
    std::size_t at = line.find('@');
    std::size_t arrow = line.find(" --> ");
    if (at == std::string::npos || arrow == std::string::npos || arrow < at) return "<no stamp>";
    std::string date = line.substr(0, at);
    std::string time = line.substr(at + 1, arrow - at - 1);
    if (date != rt::format(rt::Value(rt::today()), "D17")) return "<not today: " + date + ">";
    auto clock = rt::deformat(time, "T8");
    if (!clock || clock->number() <= 0) return "<not a time: " + time + ">";
    return line.substr(arrow + 5);
}

TEST(StandardErrorLogClassTest, OpenCreatesTheFileAndUsageCountsNestedOpens) {
    testsupport::TempDir dir;
    StandardErrorLogClass log;
    EXPECT_EQ(log.Take("not open"), LevelNotify);
    EXPECT_FALSE(std::filesystem::exists(dir.file("AppError.Log")));

    EXPECT_EQ(log.Open(), LevelBenign);
    EXPECT_TRUE(std::filesystem::exists(dir.file("AppError.Log")));
    EXPECT_EQ(log.Open(), LevelBenign);
    EXPECT_EQ(log.GetUsage(), 2);
    EXPECT_EQ(log.Close(), LevelBenign);
    EXPECT_EQ(log.Take("still open"), LevelBenign);
    EXPECT_EQ(log.Close(), LevelBenign);
    EXPECT_EQ(log.GetUsage(), 0);
    EXPECT_EQ(log.Take("closed"), LevelNotify);
    EXPECT_EQ(lines(dir.file("AppError.Log")), std::vector<std::string>{"still open"});
}

TEST(StandardErrorLogClassTest, ForcedCloseClosesAtOnceAndAnUnmatchedCloseKeepsTheCount) {
    testsupport::TempDir dir;
    StandardErrorLogClass log;
    log.Open();
    log.Open();
    log.Open(true);  // already open: only counts
    EXPECT_EQ(log.GetUsage(), 3);
    EXPECT_EQ(log.Close(true), LevelBenign);
    EXPECT_EQ(log.GetUsage(), 0);
    EXPECT_EQ(log.Take("after forced close"), LevelNotify);
    EXPECT_EQ(log.Close(), LevelBenign);
    EXPECT_EQ(log.GetUsage(), 0);
    EXPECT_EQ(log.Open(), LevelBenign);  // so this still opens the file
    EXPECT_EQ(log.Take("reopened"), LevelBenign);
}

TEST(StandardErrorLogClassTest, OpenFailsWhenTheNameIsTakenByAFolder) {
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir.file("AppError.Log"));
    StandardErrorLogClass log;
    EXPECT_EQ(log.Open(), LevelNotify);
    EXPECT_EQ(log.GetUsage(), 0);
}

TEST(StandardErrorLogClassTest, KeepsExistingLinesAndCutsALineTo1024Characters) {
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("AppError.Log"), "earlier\n");
    StandardErrorLogClass log;
    log.Open();
    log.Take(std::string(1500, 'z'));
    log.Close();
    auto written = lines(dir.file("AppError.Log"));
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[0], "earlier");
    EXPECT_EQ(written[1], std::string(1024, 'z'));
}

using ErrorLoggingTest = ErrorTestFixture;

TEST_F(ErrorLoggingTest, TwoLinesInARowLeaveTheFileClosedHoldingTwoLines) {
    testsupport::TempDir dir;
    errors.SetLogErrors(true);
    errors.SetSilent(true);  // logging does not depend on showing
    errors.SetFile("Passwords");
    errors.Throw(ErrInvalidKey);
    errors.Msg("second|line", "Caption", 0, rt::ButtonOk, rt::ButtonOk, 0);
    auto written = lines(dir.file("AppError.Log"));
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(messageOf(written[0]), "Passwords key file is invalid. Key must be rebuilt.");
    EXPECT_EQ(messageOf(written[1]), "second|line");
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(asserts.empty());

    // Writing the log keeps the error being reported for the caller.
    rt::setLastError(90, "13", "permission denied");
    errors.Throw(ErrInvalidKey);
    EXPECT_EQ(rt::lastError().code, 90);
    EXPECT_EQ(rt::lastError().driverText, "permission denied");

    // Closed between messages: the file can be replaced under the program.
    std::filesystem::remove(dir.file("AppError.Log"));
    errors.Msg("third", "Caption", 0, rt::ButtonOk, rt::ButtonOk, 0);
    EXPECT_EQ(lines(dir.file("AppError.Log")).size(), 1u);
}

TEST_F(ErrorLoggingTest, LogFailuresAreAssertedWithTheRuntimesErrorText) {
    testsupport::TempDir dir;
    std::filesystem::create_directory(dir.file("AppError.Log"));
    errors.SetLogErrors(true);
    EXPECT_EQ(errors.Throw(ErrNoRecords), LevelNotify);
    EXPECT_EQ(asserts, std::vector<std::string>{"Unable to Open error log; Access Denied"});
    EXPECT_EQ(boxes.size(), 1u);  // the message is still shown
}

TEST_F(ErrorLoggingTest, AFullDiskIsAssertedTheFileKeepsOnlyWholeLinesAndTheProgramGoesOn) {
    testsupport::TempDir dir;
    errors.SetLogErrors(true);
    errors.Msg("before", "Caption", 0, rt::ButtonOk, rt::ButtonOk, 0);
    const std::string before = testsupport::readFile(dir.file("AppError.Log"));
    ASSERT_FALSE(before.empty());
    {
        // Room for the stamp and two and a half letters: the disk fills up
        // in the middle of a two-byte letter.
        testsupport::FileSizeLimit full(before.size() + ErrorLogLine("").size() + 5);
        std::string umlauts;
        for (int i = 0; i < 40; ++i) umlauts += "\xC3\xA4";
        EXPECT_EQ(errors.Msg(umlauts, "Caption", 0, rt::ButtonOk, rt::ButtonCancel, 0),
                  rt::ButtonCancel);
    }
    EXPECT_EQ(asserts, std::vector<std::string>{"Unable to update error log; File System Error"});
    EXPECT_EQ(testsupport::readFile(dir.file("AppError.Log")), before);
    EXPECT_EQ(boxes.size(), 2u);  // every message was still shown
    // The log was closed after the failure: the next message lands.
    errors.Msg("after", "Caption", 0, rt::ButtonOk, rt::ButtonOk, 0);
    auto written = lines(dir.file("AppError.Log"));
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(messageOf(written[1]), "after");
}

TEST_F(ErrorLoggingTest, ALogThatIsNoFileIsAssertedAndNothingIsWrittenThere) {
    testsupport::TempDir dir;
    std::filesystem::create_symlink("/dev/full", dir.file("AppError.Log"));
    errors.SetLogErrors(true);
    EXPECT_EQ(errors.Throw(ErrNoRecords), LevelNotify);
    EXPECT_EQ(asserts, std::vector<std::string>{"Unable to Open error log; Access Denied"});
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(ErrorLoggingTest, ALogInAReadOnlyFolderIsAsserted) {
    if (geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    testsupport::TempDir dir;
    std::filesystem::permissions(
        dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    errors.SetLogErrors(true);
    EXPECT_EQ(errors.Throw(ErrNoRecords), LevelNotify);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(asserts, std::vector<std::string>{"Unable to Open error log; Access Denied"});
    EXPECT_FALSE(std::filesystem::exists(dir.file("AppError.Log")));
    EXPECT_EQ(boxes.size(), 1u);
}

// A log that opens but can neither write nor close.
class FailingLog : public ErrorLogInterface {
  public:
    ErrorLevel Close(bool) override { return fail(); }
    ErrorLevel Open(bool) override { return LevelBenign; }
    ErrorLevel Take(std::string_view) override { return fail(); }

  private:
    ErrorLevel fail() {
        rt::setLastError(5);
        return LevelNotify;
    }
};

TEST_F(ErrorLoggingTest, EveryFailedLogStepAndAMissingLogAreReported) {
    FailingLog log;
    errors.SetErrorLog(&log);
    errors.SetLogErrors(true);
    errors.SetSilent(true);
    errors.Msg("text", "Caption", 0, rt::ButtonOk, rt::ButtonOk, 0);
    EXPECT_EQ(asserts, (std::vector<std::string>{"Unable to update error log; Access Denied",
                                                 "Unable to close error log; Access Denied"}));
    asserts.clear();
    errors.SetErrorLog(nullptr);
    EXPECT_EQ(errors.Msg("text", "Caption", 0, rt::ButtonOk, rt::ButtonCancel, 0),
              rt::ButtonCancel);
    EXPECT_EQ(asserts,
              std::vector<std::string>{"Attempt to LogErrors with ErrorLogInterface NULL!"});
}

}  // namespace
