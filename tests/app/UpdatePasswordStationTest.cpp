// Two programs changing the same entry: while the form is open, a second
// process (another station) changes the entry; the form's OK then meets the
// "changed by another station" path instead of overwriting, shows the other
// station's version and lets Ctrl+H recall the user's own change.
#include "app/PasswordsFile.h"
#include "tests/app/PasswordFormFixture.h"
#include "tests/support/ChildProcess.h"

using namespace PasswordControl;
using namespace passwordform;

namespace {

constexpr int CtrlH = rt::keyFor('H') + rt::KeyCtrl;

// The other station: reads entry 1, renames it to the argument and writes
// it through the program's own managers. Exit code 0 when written.
const bool kRenameRegistered =
    testsupport::registerChildTask("rename-entry-1", [](const std::string& title) {
        GlobalErrors.Init(GlobalErrorStatus);
        DctInit();
        int code = 1;
        if (Relate_Passwords->Open() == LevelBenign) {
            PAS.Primary_ID = 1;
            if (Access_Passwords->TryFetch(PAS.KeyPrimary) == LevelBenign) {
                PAS.Title = title;
                PAS.PIN = "their PIN";
                code = Relate_Passwords->Update() == LevelBenign ? 0 : 2;
            }
            Relate_Passwords->Close();
        }
        DctKill();
        return code;
    });

}  // namespace

TEST_F(PasswordFormTest, AChangeByAnotherStationIsNotOverwritten) {
    ASSERT_TRUE(kRenameRegistered);
    ASSERT_EQ(addEntry("Original"), 1);
    loadEntry(1);
    int otherStation = -1;
    std::string notice;
    rt::Robot robot;
    robot.timeout(20000)
        .waitForWindow(kChangeCaption)
        .type(TitleEntry, "Mine")
        .type(UserNameEntry, "me")
        .run("another process renames the entry",
             [&](rt::Window&) {
                 otherStation = testsupport::runInChildProcess("rename-entry-1", "Theirs");
             })
        .press(OkButton)
        .answerMessageBox(rt::ButtonOk, &notice)
        .check("the form shows the other station's version",
               [](rt::Window& w) {
                   return w.text(TitleEntry) == "Theirs" && w.text(PinEntry) == "their PIN" &&
                          w.text(UserNameEntry).empty();
               })
        .key(CtrlH, TitleEntry)
        .check("Ctrl+H recalled my title",
               [](rt::Window& w) { return w.text(TitleEntry) == "Mine"; })
        .press(OkButton);
    EXPECT_EQ(runForm(RequestChange, robot), ResponseCompleted);
    EXPECT_EQ(otherStation, 0);
    EXPECT_EQ(notice,
              "This record was changed by another station. Those changes will now be displayed. "
              "Use the Ditto Button or Ctrl+H to recall your changes.");
    auto rows = query({"Title", "UserName", "PIN"});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["Title"], "Mine");
    EXPECT_EQ(rows[0]["UserName"], "");
    EXPECT_EQ(rows[0]["PIN"], "their PIN");
}
