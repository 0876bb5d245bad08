// The real program, started the way a person starts it, in a folder whose
// data file is damaged: it says what is wrong, ends as a failure and leaves
// the file as it was.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support/ProgramRun.h"
#include "tests/support/TempDir.h"

namespace {

// Bytes no storage engine wrote, the same on every run.
std::string noise(std::size_t size) {
    std::mt19937 random(20261207);
    std::string bytes(size, '\0');
    for (char& b : bytes) b = static_cast<char>(random() & 0xFF);
    return bytes;
}

testsupport::ProgramRun startProgram(const testsupport::TempDir& dir) {
    return testsupport::runProgram(
        LOCKORA_PROGRAM, dir.path(),
        {{"QT_QPA_PLATFORM", "offscreen"}, {"LOCKORA_TEST_ANSWER_OK", "1"}});
}

}  // namespace

TEST(ProgramExitTest, ADamagedDataFileEndsTheProgramAsAFailureAndStaysUntouched) {
    testsupport::TempDir dir;
    const std::string damaged = noise(16 * 1024);
    testsupport::writeFile(dir.file("Lockora.lkdb"), damaged);
    testsupport::ProgramRun run = startProgram(dir);
    ASSERT_FALSE(run.timedOut) << run.errors;
    EXPECT_NE(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.exitCode, -1) << "the program did not end by itself: " << run.errors;
    EXPECT_NE(run.errors.find("Press OK to end this application"), std::string::npos) << run.errors;
    EXPECT_EQ(testsupport::readFile(dir.file("Lockora.lkdb")), damaged);
}
