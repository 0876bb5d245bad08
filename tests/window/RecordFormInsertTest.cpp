// Inserting through the record form: OK, the required title, repeated and
// asked-for further records, the save button, the ditto key and a form
// called from inside another window.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "runtime/gui/MessageBox.h"
#include "runtime/robot/Robot.h"
#include "tests/window/RecordFormFixture.h"

using namespace formtest;

namespace {

// Number pictures right-align their text in the entry.
std::string trimmed(const std::string& text) {
    auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

TEST_F(RecordFormTest, InsertWritesTheRecordOnOkAndAnswersCompleted) {
    primeNewRecord();
    rt::Robot robot;
    robot.screenshotFolder(outputFolder())
        .waitForWindow("Item Form")
        .check("the title has the focus", [](rt::Window& w) { return w.focus() == TitleEntry; })
        .type(TitleEntry, "Alpha")
        .type(GroupEntry, "7")
        .type(NotesText, "first line")
        .screenshot("record-form-insert.png")
        .press(OkButton)
        .start();
    EXPECT_EQ(runForm(RequestInsert), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(GlobalResponse, ResponseCompleted);
    ASSERT_TRUE(fetchByTitle("Alpha"));
    EXPECT_EQ(table->TST.Group, 7);
    EXPECT_EQ(table->TST.Notes, "first line");
    EXPECT_TRUE(std::filesystem::exists(testsupport::outputDir() / "record-form-insert.png"));
    EXPECT_TRUE(asserts.empty());
}

TEST_F(RecordFormTest, ABlankRequiredTitleStopsTheAcceptAllPassAndKeepsTheForm) {
    primeNewRecord();
    std::string stoppedWith, shownInStatus;
    rt::Robot robot;
    robot.screenshotFolder(outputFolder())
        .waitForWindow("Item Form")
        .type(GroupEntry, "3")
        .press(OkButton)
        .check("the title has the focus", [](rt::Window& w) { return w.focus() == TitleEntry; })
        .run("read the message",
             [&](rt::Window& w) {
                 stoppedWith = w.requiredMessage();
                 shownInStatus = w.statusText(1);
             })
        .screenshot("record-form-required.png")
        .type(TitleEntry, "Named")
        .press(OkButton)
        .start();
    EXPECT_EQ(runForm(RequestInsert), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(stoppedWith, "Please enter a title");
    EXPECT_EQ(shownInStatus, "Please enter a title");
    ASSERT_TRUE(fetchByTitle("Named"));
    EXPECT_EQ(table->TST.Group, 3);
    // The stopped pass added nothing of its own.
    EXPECT_EQ(table->file->records(), 1);
}

TEST_F(RecordFormTest, RepeatedInsertsKeepTheFormAndClosingLeavesTheLastRecordInTheBuffer) {
    primeNewRecord();
    rt::Robot robot;
    robot.waitForWindow("Item Form")
        .type(TitleEntry, "First")
        .press(OkButton)
        .check("a fresh record is shown", [](rt::Window& w) { return w.text(TitleEntry).empty(); })
        .type(TitleEntry, "Second")
        .press(OkButton)
        .check("a fresh record again", [](rt::Window& w) { return w.text(TitleEntry).empty(); })
        .press(CancelButton)
        .start();
    FormSettings settings;
    settings.insertAction = InsertActionRepeat;
    // Cancelled, yet records were added: the caller hears completed.
    EXPECT_EQ(runForm(RequestInsert, settings), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(table->TST.Title.clipped(), "Second");
    EXPECT_TRUE(fetchByTitle("First"));
    EXPECT_TRUE(robot.messages().empty());
}

TEST_F(RecordFormTest, AskingToAddAnotherRecordYesShowsAFreshOneAndNoEndsCompleted) {
    primeNewRecord();
    std::string question;
    rt::Robot robot;
    robot.waitForWindow("Item Form")
        .type(TitleEntry, "One")
        .press(OkButton)
        .answerMessageBox(rt::ButtonYes, &question)
        .check("a fresh record is shown", [](rt::Window& w) { return w.text(TitleEntry).empty(); })
        .type(TitleEntry, "Two")
        .press(OkButton)
        .answerMessageBox(rt::ButtonNo)
        .start();
    FormSettings settings;
    settings.insertAction = InsertActionAsk;
    EXPECT_EQ(runForm(RequestInsert, settings), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(question,
              "This record has been added to the file. Do you want to add another record?");
    EXPECT_TRUE(fetchByTitle("One"));
    EXPECT_TRUE(fetchByTitle("Two"));
}

TEST_F(RecordFormTest, ADuplicateTitleLeavesTheInsertFormOpenOnTheFirstField) {
    addItem("Taken", 1);
    primeNewRecord();
    std::string shown;
    rt::Robot robot;
    robot.waitForWindow("Item Form")
        .type(TitleEntry, "taken")
        .type(GroupEntry, "9")
        .press(OkButton)
        .answerMessageBox(rt::ButtonOk, &shown)
        .check("back on the title", [](rt::Window& w) { return w.focus() == TitleEntry; })
        .check("the typed data is kept", [](rt::Window& w) { return w.text(GroupEntry) == "9"; })
        .type(TitleEntry, "Free")
        .press(OkButton)
        .start();
    EXPECT_EQ(runForm(RequestInsert), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_NE(shown.find("duplicate"), std::string::npos) << shown;
    ASSERT_TRUE(fetchByTitle("Free"));
    EXPECT_EQ(table->TST.Group, 9);
}

TEST_F(RecordFormTest, TheSaveButtonInsertsAndStaysThenOkWritesTheChange) {
    primeNewRecord();
    bool cancelDisabled = false;
    rt::Robot robot;
    robot.waitForWindow("Item Form")
        .type(TitleEntry, "Draft")
        .press(SaveButton)
        .check("the record was added", [&](rt::Window&) { return fetchByTitle("Draft"); })
        .run("look at Cancel",
             [&](rt::Window& w) {
                 cancelDisabled = w.property(CancelButton, rt::Prop::Disable).number() == 1;
             })
        .type(TitleEntry, "Final")
        .press(OkButton)
        .start();
    FormSettings settings;
    settings.disableCancelButton = true;
    EXPECT_EQ(runForm(RequestInsert, settings), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(cancelDisabled);
    EXPECT_FALSE(fetchByTitle("Draft"));
    EXPECT_TRUE(fetchByTitle("Final"));
    EXPECT_EQ(manager->updates, 1);
}

TEST_F(RecordFormTest, TheDittoKeyRestoresAFieldFromTheLastSavedRecord) {
    primeNewRecord();
    rt::Robot robot;
    robot.waitForWindow("Item Form")
        .type(TitleEntry, "Alpha")
        .type(GroupEntry, "42")
        .press(OkButton)
        .check("a fresh record is shown", [](rt::Window& w) { return w.text(TitleEntry).empty(); })
        .clickControl(GroupEntry)
        .key(CtrlH, GroupEntry)
        .check("the group came back",
               [](rt::Window& w) { return trimmed(w.text(GroupEntry)) == "42"; })
        .clickControl(TitleEntry)
        .key(CtrlH, TitleEntry)
        .check("the title came back", [](rt::Window& w) { return w.text(TitleEntry) == "Alpha"; })
        .type(TitleEntry, "")
        .run("press the toolbar's history button",
             [](rt::Window& w) { w.post(rt::EventAccepted, ToolbarHistoryButton); })
        .check("the toolbar's button restores it too",
               [](rt::Window& w) { return w.text(TitleEntry) == "Alpha"; })
        .type(TitleEntry, "Beta")
        .press(OkButton)
        .check("fresh again", [](rt::Window& w) { return w.text(TitleEntry).empty(); })
        .press(CancelButton)
        .start();
    FormSettings settings;
    settings.insertAction = InsertActionRepeat;
    settings.toolbar = true;
    EXPECT_EQ(runForm(RequestInsert, settings), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    ASSERT_TRUE(fetchByTitle("Beta"));
    EXPECT_EQ(table->TST.Group, 42);
}

namespace {

// A list-like window whose Insert button calls the item form, as a browse
// calls its update procedure from inside its own loop.
class ItemsWindow : public WindowManager {
  public:
    explicit ItemsWindow(std::function<std::uint8_t()> callForm) : callForm_(std::move(callForm)) {
        declaration_.caption = "Items";
        declaration_.controls = {
            rt::control(rt::ControlKind::Button, "&Insert").at(10, 10, 50, 14),
            rt::control(rt::ControlKind::Button, "Close").at(70, 10, 50, 14),
        };
    }
    ErrorLevel Init() override {
        if (ErrorLevel level = WindowManager::Init()) return level;
        AddItem(2, ResponseCompleted);
        window_ = std::make_unique<rt::Window>(declaration_);
        Open(*window_);
        return LevelBenign;
    }
    ErrorLevel TakeAccepted() override {
        if (currentControl() == 1) answers.push_back(callForm_());
        return WindowManager::TakeAccepted();
    }

    std::vector<std::uint8_t> answers;

  private:
    std::function<std::uint8_t()> callForm_;
    rt::WindowDeclaration declaration_;
    std::unique_ptr<rt::Window> window_;
};

}  // namespace

TEST_F(RecordFormTest, AFormCalledFromInsideAnotherWindowRunsModallyAndReturnsToIt) {
    ItemsWindow items([this] {
        primeNewRecord();
        return runForm(RequestInsert);
    });
    rt::Robot robot;
    robot.screenshotFolder(outputFolder())
        .waitForWindow("Items")
        .press(1)
        .waitForWindow("Item Form")
        .check("the list window waits underneath",
               [](rt::Window&) { return rt::Window::openWindows().size() == 2; })
        .type(TitleEntry, "Nested")
        .screenshot("record-form-nested.png")
        .press(OkButton)
        .waitForWindow("Items")
        .press(1)
        .waitForWindow("Item Form")
        .press(CancelButton)
        .waitForWindow("Items")
        .press(2)
        .start();
    EXPECT_EQ(items.Run(), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(items.answers, (std::vector<std::uint8_t>{ResponseCompleted, ResponseCancelled}));
    EXPECT_TRUE(fetchByTitle("Nested"));
    // The cancelled insert gave its reserved number back.
    EXPECT_EQ(table->file->records(), 1);
}
