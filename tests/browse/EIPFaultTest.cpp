// Writes that fail while a row is edited in place: a duplicate key on an
// update and on an insert, and the storage layer failing underneath. The row
// stays in edit with the record buffer as it was, the file holds nothing
// half-written (read back with the cipher's own shell), and a corrected row
// is then saved.
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

#include <functional>

#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/store/TEST_FailingVfs.h"
#include "tests/browse/EIPFixture.h"

using namespace eiptest;

class EIPFaultTest : public EIPTest {
  protected:
    void SetUp() override {
        // Every connection opened from now on goes through it.
        vfs = std::make_unique<rt::TEST_FailingVfs>();
        EIPTest::SetUp();
    }
    void TearDown() override {
        EIPTest::TearDown();
        vfs.reset();
    }
    // What the window shows and holds while the failed row is edited.
    struct Seen {
        bool editing = false;
        std::string typed;        // the editor's text
        std::string bufferTitle;  // the record buffer's title
        std::int32_t bufferId = 0;
        std::vector<std::string> file;
    };
    std::function<void(rt::Window&)> see(Seen& seen, int id) {
        return [this, &seen, id](rt::Window& w) {
            seen.editing = editing(w, TitleColumn, id);
            seen.typed = w.text(editor(w));
            seen.bufferTitle = table->TST.Title.clipped();
            seen.bufferId = table->TST.Id;
            seen.file = items();
        };
    }

    std::unique_ptr<rt::TEST_FailingVfs> vfs;
};

TEST_F(EIPFaultTest, AFailedUpdateKeepsTheRowInEditWithTheBufferRestored) {
    addItems(5);
    std::vector<std::string> before = items();
    Seen seen;
    std::string message;
    rt::Robot robot;
    robot.waitForWindow(kCaption);
    change(robot, 2, "item 3");
    robot.key(rt::EnterKey)
        .answerMessageBox(rt::ButtonOk, &message)
        .run("see the row and the file", see(seen, 2))
        .type(0, "Item 2b")
        .key(rt::EnterKey)
        .check("editing ended", done)
        .closeWindow();
    run(robot);
    EXPECT_TRUE(seen.editing);
    EXPECT_EQ(seen.typed, "item 3");
    EXPECT_EQ(seen.bufferTitle, "Item 2") << "the record buffer is as it was read";
    EXPECT_EQ(seen.bufferId, 2);
    EXPECT_EQ(seen.file, before);
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(sql("SELECT Title FROM Items WHERE Id = 2"), std::vector<std::string>{"Item 2b"});
}

// The new row's number was reserved in the file by priming; the failed
// write leaves only that reservation, and Esc takes it away again.
TEST_F(EIPFaultTest, AFailedInsertKeepsTheNewRowInEditAndEscLeavesTheFileAsItWas) {
    addItems(5);
    std::vector<std::string> before = items();
    Seen seen;
    std::string message;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .press(InsertButton)
        .check("the new row is edited", [](rt::Window& w) { return editing(w, TitleColumn, 6); })
        .type(0, "ITEM 4")
        .key(rt::EnterKey)
        .answerMessageBox(rt::ButtonOk, &message)
        .run("see the row and the file", see(seen, 6))
        .key(rt::EscKey)
        .check("editing ended", done)
        .closeWindow();
    run(robot);
    EXPECT_TRUE(seen.editing);
    EXPECT_EQ(seen.typed, "ITEM 4");
    EXPECT_EQ(seen.bufferTitle, "") << "the record buffer is the primed one";
    EXPECT_EQ(seen.bufferId, 6);
    std::vector<std::string> reserved = before;
    reserved.push_back("6||0|0|");
    EXPECT_EQ(seen.file, reserved);
    EXPECT_NE(message.find("Title key"), std::string::npos) << message;
    EXPECT_EQ(items(), before);
}

TEST_F(EIPFaultTest, AWriteTheDiskRefusesChangesNothingAndTheRowIsSavedOnceItWorks) {
    addItems(5);
    std::vector<std::string> before = items();
    Seen seen;
    rt::Robot robot;
    robot.waitForWindow(kCaption);
    change(robot, 4, "Unlucky");
    robot
        .run("make every write fail",
             [this](rt::Window&) {
                 vfs->failAt(rt::TEST_FailingVfs::Op::Write, 1, SQLITE_IOERR_WRITE, true);
             })
        .key(rt::EnterKey)
        .answerMessageBox(rt::ButtonOk)
        .run("see the row and the file", see(seen, 4))
        .run("the disk works again", [this](rt::Window&) { vfs->heal(); })
        .key(rt::EnterKey)
        .check("editing ended", done)
        .closeWindow();
    run(robot);
    EXPECT_TRUE(seen.editing);
    EXPECT_EQ(seen.typed, "Unlucky");
    EXPECT_EQ(seen.bufferTitle, "Item 4");
    EXPECT_EQ(seen.file, before);
    EXPECT_GT(vfs->failures(), 0);
    EXPECT_EQ(sql("SELECT Title, Notes FROM Items WHERE Id = 4"),
              std::vector<std::string>{"Unlucky|Note 4"});
}
