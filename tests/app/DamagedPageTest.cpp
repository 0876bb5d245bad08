// Damage in a page that start-up and the list's first and last pages never
// read is met later, when the list pages to it: the user is told which data file is
// damaged, and the file is left as it was.
#include <gtest/gtest.h>

#include "runtime/controls/Events.h"
#include "runtime/gui/MessageBox.h"
#include "tests/app/ListFixture.h"
#include "tests/support/SqlShell.h"
#include "tests/support/TempDir.h"
#include "tests/support/Tools.h"

using namespace program;

namespace {

constexpr int kEntries = 300;

bool shellReads(const std::filesystem::path& file, const std::string& key,
                const std::string& query) {
    return testsupport::cipherShell(file, key, query).find("Error") == std::string::npos;
}

class DamagedPageTest : public ListFixture {
  protected:
    // Damages, from the file's end backwards, the first page whose damage
    // the cipher's shell meets on the middle entries' rows but on neither
    // the first nor the last ones': a page of the Password table the list
    // reads only when it pages to the middle. Answers its number, 0 when
    // none was found.
    int damageMiddleTablePage() {
        std::filesystem::path file = dir.file("Lockora.lkdb");
        const std::string key = testsupport::masterKeyPragma(file, kMaster);
        const std::string pristine = testsupport::readFile(file);
        auto rows = [](int from, int to) {
            return "SELECT Title FROM Password WHERE rowid BETWEEN " + std::to_string(from) +
                   " AND " + std::to_string(to) + ";";
        };
        for (int page = static_cast<int>(pristine.size() / 1024); page > 1; --page) {
            testsupport::damagePage(file, page);
            if (!shellReads(file, key, rows(kEntries / 2 - 5, kEntries / 2 + 5)) &&
                shellReads(file, key, rows(1, 60)) &&
                shellReads(file, key, rows(kEntries - 60, kEntries)))
                return page;
            testsupport::writeFile(file, pristine);
        }
        return 0;
    }
};

TEST_F(DamagedPageTest, PagingToADamagedPageNamesTheDamagedDataFile) {
    makeDataFile(kEntries);
    ASSERT_GT(damageMiddleTablePage(), 1);
    const std::string damaged = testsupport::readFile(dir.file("Lockora.lkdb"));

    std::string backup, message;
    rt::Robot robot;
    // The day's backup at the login reads every page, so it meets the
    // damage first and says it could not be made.
    robot.waitForWindow(kLoginCaption)
        .type(LoginEntry, kMaster)
        .press(LoginButton)
        .answerMessageBox(rt::ButtonOk, &backup)
        .waitForWindow(kMainCaption)
        .key(rt::CtrlEnd, MainList)
        .check("the last entries are shown",
               [](rt::Window& w) { return shownIds(w).back() == kEntries; })
        .dragThumb(MainList, 50)
        .answerMessageBox(rt::ButtonOk, &message)
        .waitForWindow(kMainCaption)
        .press(MainExit);
    runProgram(robot);
    EXPECT_NE(backup.find("backup of Lockora.lkdb could not be made"), std::string::npos) << backup;
    EXPECT_NE(message.find("the data file Lockora.lkdb is damaged"), std::string::npos) << message;
    EXPECT_EQ(testsupport::readFile(dir.file("Lockora.lkdb")), damaged);
}

}  // namespace
