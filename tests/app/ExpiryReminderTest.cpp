// After the login the status bar counts the entries whose expiry date is
// within the reminder's days or already past; entries without an expiry
// date never count. Dates are set in the data file with the cipher's own
// shell, relative to the test clock's today.
#include <fstream>

#include "app/ExpiringEntries.h"
#include "app/PasswordsFile.h"
#include "runtime/text/Date.h"
#include "runtime/text/Time.h"
#include "tests/app/ListFixture.h"

using namespace program;

namespace {

const rt::DateSerial kToday = rt::dateFromParts(12, 28, 2027);

class ExpiryReminderTest : public ListFixture {
  protected:
    void SetUp() override {
        ListFixture::SetUp();
        rt::TEST_setClock(kToday, rt::timeFromParts(10, 0, 0));
    }
    void TearDown() override {
        rt::TEST_resetClock();
        ListFixture::TearDown();
    }
    // Entries 1, 2, ... expire offsets[0], offsets[1], ... days from today;
    // the rest have no expiry date.
    void makeFile(int count, const std::vector<int>& offsets) {
        makeDataFile(count, [&](int id) {
            if (id <= static_cast<int>(offsets.size()))
                PAS.DateExpires = rt::toStored(kToday + offsets[id - 1]);
        });
    }
    std::string reminderAfterLogin() {
        std::string seen;
        rt::Robot robot;
        login(robot)
            .run("the reminder", [&](rt::Window& w) { seen = w.statusText(1); })
            .press(MainExit);
        EXPECT_EQ(runProgram(robot), 0);
        return seen;
    }
    void setOption(const std::string& line) {
        std::ofstream(dir.file("Lockora.INI"), std::ios::app) << "[Options]\n" << line << "\n";
    }
};

}  // namespace

TEST_F(ExpiryReminderTest, CountsEntriesExpiringWithinTheDaysOrPast) {
    // Past, today, the last day counted, the first day not counted, far off;
    // the other five have no expiry date. The new year lies in between.
    const std::vector<int> offsets = {-400, 0, 7, 8, 365};
    makeFile(10, offsets);
    ASSERT_EQ(sql("SELECT count(*) FROM Password WHERE DateExpires = 0"),
              std::vector<std::string>{"5"});
    int expected = 0;
    for (int offset : offsets) expected += offset <= 7;
    EXPECT_EQ(reminderAfterLogin(), std::to_string(expected) + " entries expire within 7 days");

    setOption("ExpiryWarningDays=8");
    EXPECT_EQ(reminderAfterLogin(), "4 entries expire within 8 days");
}

TEST_F(ExpiryReminderTest, NothingIsShownWhenNothingExpires) {
    makeFile(6, {});
    EXPECT_EQ(reminderAfterLogin(), "");
}

TEST_F(ExpiryReminderTest, OneEntryIsSaidSoAndTheReminderCanBeSwitchedOff) {
    makeFile(6, {1});
    EXPECT_EQ(reminderAfterLogin(), "1 entry expires within 7 days");
    setOption("ExpiryWarningDays=0");
    EXPECT_EQ(reminderAfterLogin(), "");
}

TEST(ExpiryReminderTextTest, SaysEntryOrEntriesAndDayOrDays) {
    EXPECT_EQ(ExpiryReminderText(0, 7), "");
    EXPECT_EQ(ExpiryReminderText(1, 7), "1 entry expires within 7 days");
    EXPECT_EQ(ExpiryReminderText(2, 1), "2 entries expire within 1 day");
}
