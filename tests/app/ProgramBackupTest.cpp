// The daily backup made by the program's login, day after day by the test
// clock, and a backup restored by hand: the copies are read through the
// cipher's own shell.
#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "app/Dictionary.h"
#include "runtime/store/DataFileBackups.h"
#include "runtime/text/Date.h"
#include "runtime/text/Time.h"
#include "tests/app/ProgramFixture.h"
#include "tests/support/SqlShell.h"
#include "tests/support/Tools.h"

using namespace program;

namespace {

constexpr const char* kMaster = "Tr1cky";
const rt::DateSerial kFirstDay = rt::dateFromParts(6, 1, 2026);

std::string titleOf(int day) {
    return "Day " + std::to_string(day) + " entry";
}

class ProgramBackupTest : public ProgramFixture {
  protected:
    void TearDown() override {
        rt::TEST_resetClock();
        ProgramFixture::TearDown();
    }

    std::filesystem::path dataFile() const { return dir.file("Lockora.lkdb"); }

    static void setDay(int day, int hour) {
        rt::TEST_setClock(kFirstDay + day - 1, rt::timeFromParts(hour, 0, 0));
    }

    void loginAndExit() {
        rt::Robot robot;
        robot.waitForWindow(kLoginCaption)
            .type(LoginEntry, kMaster)
            .press(LoginButton)
            .waitForWindow(kMainCaption)
            .press(MainExit);
        EXPECT_EQ(runProgram(robot), 0);
    }

    // A credential written between two runs of the program, through its own
    // table with the key the master password gives.
    static void addEntry(int id, const std::string& title) {
        ASSERT_EQ(PAS.File.unlock(kMaster), 0);
        ASSERT_EQ(PAS.File.open(), 0);
        PAS.File.clearBuffer();
        PAS.Primary_ID = id;
        PAS.Title = title;
        ASSERT_EQ(PAS.File.add(), 0);
        PAS.File.close();
        rt::DataFileKeys::forgetAll();
    }

    std::string titlesIn(const std::filesystem::path& file) const {
        return testsupport::cipherShell(
            file, testsupport::masterKeyPragma(file, kMaster),
            "SELECT group_concat(rtrim(Title), ',') FROM Password ORDER BY Primary_ID;");
    }

    // What the shell answers for a table holding these entries.
    static std::string titlesOf(const std::map<int, std::string>& entries) {
        std::string titles;
        for (const auto& [id, title] : entries) titles += (titles.empty() ? "" : ",") + title;
        return titles + "\n";
    }

    rt::DataFileBackups backups{dataFile()};
};

TEST_F(ProgramBackupTest, NineDaysOfLoginsKeepSevenDailyCopiesAndARestoredOneOpens) {
    std::map<int, std::string> written;  // by entry number, as the shell lists them
    std::map<int, std::string> heldOnDay;
    auto write = [&written](int id, const std::string& title) {
        addEntry(id, title);
        written[id] = title;
    };
    setDay(1, 9);
    firstRun("Ada Example", kMaster);
    ASSERT_EQ(backups.existing(), std::vector<int>{1}) << "the first login of the first day";
    write(1, titleOf(1));
    for (int day = 2; day <= 9; ++day) {
        heldOnDay[day] = titlesOf(written);
        setDay(day, 9);
        loginAndExit();
        ASSERT_EQ(backups.madeOn(1), kFirstDay + day - 1) << "day " << day;
        EXPECT_EQ(titlesIn(backups.copyPath(1)), heldOnDay[day]) << "day " << day;
        if (day % 3 == 2) {
            // A second login the same day, after more was written: no new copy.
            const auto before = backups.existing();
            const auto stamp = std::filesystem::last_write_time(backups.copyPath(1));
            write(100 + day, "Evening " + std::to_string(day));
            setDay(day, 18);
            loginAndExit();
            EXPECT_EQ(backups.existing(), before) << "day " << day;
            EXPECT_EQ(std::filesystem::last_write_time(backups.copyPath(1)), stamp);
            EXPECT_EQ(titlesIn(backups.copyPath(1)), heldOnDay[day]) << "day " << day;
        }
        write(day, titleOf(day));
    }
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    ASSERT_EQ(backups.existing(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_FALSE(std::filesystem::exists(dir.file("Lockora.lkdb.8")));
    for (int n = 1; n <= 7; ++n)
        EXPECT_EQ(titlesIn(backups.copyPath(n)), heldOnDay[10 - n]) << "copy " << n;

    // Restore by hand, the program closed: copy 3, made at day 7's first
    // login, over the data file.
    ASSERT_FALSE(std::filesystem::exists(dir.file("Lockora.lkdb-wal")));
    std::filesystem::copy_file(backups.copyPath(3), dataFile(),
                               std::filesystem::copy_options::overwrite_existing);
    setDay(9, 20);
    std::string shown;
    rt::Robot robot;
    robot.waitForWindow(kLoginCaption)
        .type(LoginEntry, kMaster)
        .press(LoginButton)
        .waitForWindow(kMainCaption)
        .run("read the list",
             [&shown](rt::Window& w) {
                 std::map<std::string, int> rows;
                 for (int row = 1; row <= w.listRowCount(MainList); ++row)
                     ++rows[rt::rightTrim(w.listCell(MainList, row, 1))];
                 for (const auto& [title, count] : rows)
                     shown += title + "x" + std::to_string(count) + ";";
             })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    std::string expected;
    std::map<std::string, int> day7;
    std::stringstream list(heldOnDay[7].substr(0, heldOnDay[7].size() - 1));
    for (std::string title; std::getline(list, title, ',');) ++day7[title];
    for (const auto& [title, count] : day7) expected += title + "x" + std::to_string(count) + ";";
    EXPECT_EQ(shown, expected);
}

TEST_F(ProgramBackupTest, ABackupThatCannotBeMadeIsReportedAndTheLoginGoesOn) {
    setDay(1, 9);
    firstRun("Ada Example", kMaster);
    addEntry(1, titleOf(1));
    // Something that is no file stands where the new copy is made.
    std::filesystem::create_directories(dir.file("Lockora.lkdb.new") / "in-the-way");
    setDay(2, 9);
    std::string seen;
    rt::Robot robot;
    robot.waitForWindow(kLoginCaption)
        .type(LoginEntry, kMaster)
        .press(LoginButton)
        .answerMessageBox(rt::ButtonOk, &seen)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);
    EXPECT_NE(seen.find("Today's backup of Lockora.lkdb could not be made"), std::string::npos)
        << seen;
    EXPECT_TRUE(halts.empty());
    EXPECT_EQ(backups.existing(), std::vector<int>{1});
    EXPECT_EQ(backups.madeOn(1), kFirstDay) << "the first day's copy is kept";
}

}  // namespace
