#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "errors/ErrorIds.h"
#include "errors/StandardErrorLogClass.h"
#include "tests/errors/ErrorTestFixture.h"
#include "tests/support/TempDir.h"

namespace {

std::vector<std::string> lines(const std::filesystem::path& path) {
    std::istringstream in(testsupport::readFile(path));
    std::vector<std::string> result;
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
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
    // Short date, "@", long time, " --> ", the text as shown.
    const std::regex stamp(R"(^\S+@\S+( \S+)? --> (.*)$)");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(written[0], match, stamp)) << written[0];
    EXPECT_EQ(match[2], "Passwords key file is invalid. Key must be rebuilt.");
    ASSERT_TRUE(std::regex_match(written[1], match, stamp)) << written[1];
    EXPECT_EQ(match[2], "second|line");
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(asserts.empty());

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
