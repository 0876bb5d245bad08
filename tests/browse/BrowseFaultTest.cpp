// What goes wrong under a browse: an entry that another process changed or
// deleted after it was listed, and a read of the data file that fails.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/store/KeyedStation.h"
#include "tests/browse/BrowseFixture.h"

using namespace browsetest;

namespace {

const std::string kChangedElsewhere = "This record was changed or deleted by another station.";

void choose(rt::Window& w, int row) {
    w.setProperty(List, rt::Prop::Selected, row);
    w.post(rt::EventNewSelection, List);
}

}  // namespace

class BrowseFaultTest : public BrowseTest {
  protected:
    // Another process, a station of its own on the same file, changes
    // entry id: its group becomes `group`, or with group < 0 it goes.
    static void elsewhere(int id, int group) {
        pid_t pid = fork();
        if (pid == 0) {
            rt::KeyedStation station;
            datatest::ItemTable other("Items", true, &station);
            int code = other.file->open();
            other.TST.Id = id;
            if (code == 0) code = other.file->get(0);
            other.TST.Group = group;
            if (code == 0) code = group < 0 ? other.file->remove() : other.file->put();
            _exit(code == 0 ? 0 : 1);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    UpdateProcedure counting() {
        return [this](std::uint8_t request) {
            requests.push_back(request);
            return std::uint8_t{ResponseCompleted};
        };
    }
    std::vector<std::uint8_t> requests;
};

TEST_F(BrowseFaultTest, AnEntryChangedByAnotherProcessStopsTheChangeAndReloadsThePage) {
    addItems(30);
    std::string message;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("highlight row three", [](rt::Window& w) { choose(w, 3); })
        .check("row three", [](rt::Window& w) { return highlighted(w) == 3; })
        .run("another process moves it to group 42", [](rt::Window&) { elsewhere(3, 42); })
        .press(ChangeButton)
        .answerMessageBox(rt::ButtonOk, &message)
        .check("the page shows the new group",
               [](rt::Window& w) { return w.listCell(List, 3, 3) == "42"; })
        .check("the entry keeps the highlight", [](rt::Window& w) { return highlighted(w) == 3; })
        .closeWindow();
    runBrowse(robot, {}, counting());
    EXPECT_NE(message.find(kChangedElsewhere), std::string::npos) << message;
    EXPECT_TRUE(requests.empty()) << "the request was not run";
    EXPECT_EQ(sql("SELECT \"Group\" FROM Items WHERE Id = 3"), std::vector<std::string>{"42"});
}

TEST_F(BrowseFaultTest, AnEntryDeletedByAnotherProcessStopsTheDeleteAndLeavesThePage) {
    addItems(30);
    std::string message;
    std::vector<int> shown;
    int page = 0;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("highlight row five", [](rt::Window& w) { choose(w, 5); })
        .check("row five", [](rt::Window& w) { return highlighted(w) == 5; })
        .run("another process deletes it", [](rt::Window&) { elsewhere(5, -1); })
        .press(DeleteButton)
        .answerMessageBox(rt::ButtonOk, &message)
        .check("gone from the page", [](rt::Window& w) { return shownIds(w)[4] == 6; })
        .run("read the page",
             [&](rt::Window& w) {
                 shown = shownIds(w);
                 page = pageSize(w);
             })
        .closeWindow();
    runBrowse(robot, {}, counting());
    EXPECT_NE(message.find(kChangedElsewhere), std::string::npos) << message;
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(shown, sqlIds("SELECT Id FROM Items ORDER BY Id LIMIT " + std::to_string(page)));
    EXPECT_EQ(sql("SELECT count(*) FROM Items"), std::vector<std::string>{"29"});
}

TEST_F(BrowseFaultTest, AnUnchangedEntryGoesToTheUpdateProcedureWithAllItsFields) {
    addItems(30);
    std::string notes = "before";
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("another process changes an entry not highlighted",
             [](rt::Window&) { elsewhere(2, 42); })
        .press(ChangeButton)
        .closeWindow();
    runBrowse(robot, {}, [&](std::uint8_t request) {
        requests.push_back(request);
        notes = table->TST.Notes;
        return std::uint8_t{ResponseCancelled};
    });
    EXPECT_EQ(requests, std::vector<std::uint8_t>{RequestChange});
    EXPECT_EQ(notes, "notes of 1") << "the re-read brings the fields the list does not show";
    EXPECT_TRUE(boxes.empty());
}

TEST_F(BrowseFaultTest, AFailingReadDuringAFillClosesTheWindowThroughTheErrorClass) {
    addItems(100);
    int rowsBefore = 0;
    std::string message;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("the disk goes away",
             [&](rt::Window& w) {
                 rowsBefore = rowsShown(w);
                 manager->failReadsAfter = 0;
             })
        .key(rt::PgDnKey, List)
        .answerMessageBox(rt::ButtonOk, &message);
    // The script ends without closing the window: the failed read does.
    runBrowse(robot);
    EXPECT_NE(message.find("Error: (the disk went away"), std::string::npos) << message;
    ASSERT_FALSE(robot.messages().empty());
    EXPECT_EQ(robot.messages().back().caption, "Record Retrieval Error");
    EXPECT_GT(rowsBefore, 0);
}

TEST_F(BrowseFaultTest, AnEntryDeletedByAnotherProcessIsNotPrinted) {
    addItems(30);
    std::string message;
    std::vector<int> shown;
    int page = 0;
    BrowseSettings settings;
    settings.print = true;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("the page is full", [](rt::Window& w) { return rowsShown(w) == pageSize(w); })
        .run("highlight row four", [](rt::Window& w) { choose(w, 4); })
        .check("row four", [](rt::Window& w) { return highlighted(w) == 4; })
        .run("another process deletes it", [](rt::Window&) { elsewhere(4, -1); })
        .press(PrintButton)
        .answerMessageBox(rt::ButtonOk, &message)
        .check("gone from the page", [](rt::Window& w) { return shownIds(w)[3] == 5; })
        .run("read the page",
             [&](rt::Window& w) {
                 shown = shownIds(w);
                 page = pageSize(w);
             })
        .closeWindow();
    runBrowse(robot, settings, counting());
    EXPECT_NE(message.find(kChangedElsewhere), std::string::npos) << message;
    EXPECT_TRUE(requests.empty()) << "nothing was printed";
    EXPECT_EQ(shown, sqlIds("SELECT Id FROM Items ORDER BY Id LIMIT " + std::to_string(page)));
}
