// Add, Change and Delete in the main window run the credential form, and
// the list then shows the new, changed and removed entry as the data file,
// read with the cipher's own shell, holds it.
#include "app/UpdatePassword.h"
#include "runtime/gui/MessageBox.h"
#include "tests/app/ListFixture.h"

using namespace program;

namespace {

// The title shown on the row of entry `id`, "" when no row shows it.
std::string titleShown(rt::Window& w, int id) {
    for (int row = 1; row <= w.listRowCount(MainList); ++row) {
        std::string title = w.listCell(MainList, row, 1);
        if (title.size() > 2 && title.substr(title.rfind(' ') + 1) == std::to_string(id))
            return title;
    }
    return {};
}

}  // namespace

TEST_F(ListFixture, AddChangeAndDeleteRunTheCredentialFormEndToEnd) {
    makeDataFile(5);
    std::string question;
    std::vector<int> afterAdd, afterDelete;
    std::string addedTitle, changedTitle;
    std::vector<std::string> addedRow, changedRow;
    rt::Robot robot;
    login(robot)
        .press(MainAdd)
        .waitForWindow("Record Will Be Added")
        .type(PasswordControl::TitleEntry, "Added entry 6")
        .type(PasswordControl::UserNameEntry, "new.user")
        .type(PasswordControl::PasswordEntry, "pw6")
        .press(PasswordControl::OkButton)
        .waitForWindow(kMainCaption)
        .run("after the add",
             [&](rt::Window& w) {
                 afterAdd = shownIds(w);
                 addedTitle = titleShown(w, 6);
             })
        .check("the new entry is highlighted", [](rt::Window& w) { return highlighted(w) == 6; })
        .run("the file after the add",
             [&](rt::Window&) {
                 addedRow =
                     sql("SELECT Title, UserName, Password FROM Password WHERE Primary_ID = 6");
             })
        .press(MainChange)
        .waitForWindow("Record Will Be Changed")
        .type(PasswordControl::TitleEntry, "Changed entry 6")
        .press(PasswordControl::OkButton)
        .waitForWindow(kMainCaption)
        .run("after the change",
             [&](rt::Window& w) {
                 changedTitle = titleShown(w, 6);
                 changedRow = sql("SELECT Title FROM Password WHERE Primary_ID = 6");
             })
        .press(MainDelete)
        .answerMessageBox(rt::ButtonYes, &question)
        .waitForWindow(kMainCaption)
        .run("after the delete", [&](rt::Window& w) { afterDelete = shownIds(w); })
        .press(MainExit);
    EXPECT_EQ(runProgram(robot), 0);

    EXPECT_EQ(afterAdd, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(addedTitle, "Added entry 6");
    EXPECT_EQ(addedRow, std::vector<std::string>{"Added entry 6|new.user|pw6"});
    EXPECT_EQ(changedRow, std::vector<std::string>{"Changed entry 6"});
    EXPECT_EQ(changedTitle, "Changed entry 6");
    EXPECT_EQ(afterDelete, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(afterDelete, sqlIds("SELECT Primary_ID FROM Password ORDER BY Primary_ID"));
    EXPECT_EQ(question, "Are you sure you want to delete the highlighted record?");
}
