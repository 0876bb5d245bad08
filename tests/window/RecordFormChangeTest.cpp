// Changing and deleting through the record form, and what closing a changed
// form asks: unchanged OK, failed writes and their retry questions, the
// save-changes and cancel questions.
#include <gtest/gtest.h>

#include "runtime/gui/MessageBox.h"
#include "runtime/robot/Robot.h"
#include "tests/window/RecordFormFixture.h"

using namespace formtest;

namespace {

class RecordFormChangeTest : public RecordFormTest {
  protected:
    void SetUp() override {
        RecordFormTest::SetUp();
        addItem("Original", 5);
        ASSERT_TRUE(fetchByTitle("Original"));
    }

    // The stored record with that title, read into the buffer.
    bool stored(const std::string& title, std::int32_t group) {
        return fetchByTitle(title) && table->TST.Group == group;
    }
};

}  // namespace

TEST_F(RecordFormChangeTest, OkOnAnUnchangedFormWritesNothing) {
    for (bool toolbar : {false, true}) {
        SCOPED_TRACE(toolbar ? "with a toolbar" : "without a toolbar");
        manager->updates = 0;
        rt::Robot robot;
        robot.waitForWindow("Item Form")
            .check("the record is shown",
                   [](rt::Window& w) { return w.text(TitleEntry) == "Original"; })
            .press(OkButton)
            .start();
        FormSettings settings;
        settings.toolbar = toolbar;
        // Without a toolbar nothing was done; with one and no navigation
        // pending, the form counts as completed.
        EXPECT_EQ(runForm(RequestChange, settings),
                  toolbar ? ResponseCompleted : ResponseCancelled);
        ASSERT_TRUE(robot.runNow()) << robot.failure();
        EXPECT_EQ(manager->updates, 0);
        EXPECT_TRUE(robot.messages().empty());
    }
}

TEST_F(RecordFormChangeTest, OkOnAChangedFormWritesTheRecordAndAnswersCompleted) {
    rt::Robot robot;
    robot.screenshotFolder(outputFolder())
        .waitForWindow("Item Form")
        .type(GroupEntry, "6")
        .type(TitleEntry, "Renamed")
        .screenshot("record-form-change.png")
        .press(OkButton)
        .start();
    EXPECT_EQ(runForm(RequestChange), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(manager->updates, 1);
    EXPECT_TRUE(stored("Renamed", 6));
    EXPECT_FALSE(fetchByTitle("Original"));
}

TEST_F(RecordFormChangeTest, AFailedUpdateAnsweredYesIsRetried) {
    manager->failUpdates = 1;
    std::string notUpdated, retry;
    rt::Robot robot;
    robot.waitForWindow("Item Form")
        .type(TitleEntry, "Retried")
        .press(OkButton)
        .answerMessageBox(rt::ButtonOk, &notUpdated)
        .answerMessageBox(rt::ButtonYes, &retry)
        .start();
    EXPECT_EQ(runForm(RequestChange), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_NE(notUpdated.find("making changes to the Items file"), std::string::npos) << notUpdated;
    EXPECT_EQ(retry,
              "An error was experienced changing this record. Do you want to try to save again?");
    EXPECT_EQ(manager->updates, 2);
    EXPECT_TRUE(stored("Retried", 5));
}

TEST_F(RecordFormChangeTest, AFailedUpdateAnsweredCancelKeepsTheFormAndItsDataAndNoCloses) {
    manager->failUpdates = 2;
    rt::Robot robot;
    robot.waitForWindow("Item Form")
        .type(TitleEntry, "Kept")
        .press(OkButton)
        .answerMessageBox(rt::ButtonOk)
        .answerMessageBox(rt::ButtonCancel)
        .check(
            "back on the title with the typed text",
            [](rt::Window& w) { return w.focus() == TitleEntry && w.text(TitleEntry) == "Kept"; })
        .press(OkButton)
        .answerMessageBox(rt::ButtonOk)
        .answerMessageBox(rt::ButtonNo)
        // Closing a form that still holds changes asks about them.
        .answerMessageBox(rt::ButtonNo)
        .start();
    // No gives up: the form closes without the record written.
    EXPECT_EQ(runForm(RequestChange), ResponseCancelled);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(manager->updates, 2);
    EXPECT_TRUE(stored("Original", 5));
}

TEST_F(RecordFormChangeTest, ClosingAChangedFormAsksToSaveTheChanges) {
    struct Row {
        int answer;
        std::uint8_t response;
        const char* storedTitle;
    };
    for (Row row : {Row{rt::ButtonYes, ResponseCompleted, "Edited"},
                    Row{rt::ButtonNo, ResponseCancelled, "Original"},
                    Row{rt::ButtonCancel, ResponseCancelled, "Original"}}) {
        SCOPED_TRACE(row.answer);
        ASSERT_TRUE(fetchByTitle("Original"));
        std::string question;
        rt::Robot robot;
        robot.waitForWindow("Item Form")
            .type(TitleEntry, "Edited")
            .type(GroupEntry, "8")
            .clickControl(GroupEntry)
            .press(CancelButton)
            .answerMessageBox(row.answer, &question);
        if (row.answer == rt::ButtonCancel) {
            // Still on the form, on its first field; then give the changes up.
            robot.check("back on the title", [](rt::Window& w) { return w.focus() == TitleEntry; })
                .closeWindow()
                .answerMessageBox(rt::ButtonNo);
        }
        robot.start();
        EXPECT_EQ(runForm(RequestChange), row.response);
        ASSERT_TRUE(robot.runNow()) << robot.failure();
        EXPECT_EQ(question, "Do you want to save the changes to this record?");
        ASSERT_TRUE(fetchByTitle(row.storedTitle));
        if (row.answer == rt::ButtonYes) {
            EXPECT_EQ(table->TST.Group, 8);
            // Back to the original for the next row.
            table->TST.Title = "Original";
            table->TST.Group = 5;
            ASSERT_EQ(manager->Update(), LevelBenign);
        }
    }
}

TEST_F(RecordFormChangeTest, WithCancelAction2ClosingWhileTypingAsksAreYouSureAndNoKeepsTheForm) {
    std::string first, second;
    rt::Robot robot;
    robot.screenshotFolder(outputFolder())
        .waitForWindow("Item Form")
        .type(TitleEntry, "Thrown away")
        .closeWindow()
        .answerMessageBox(rt::ButtonNo, &first)
        .check("the form is still there with the edit",
               [](rt::Window& w) { return w.text(TitleEntry) == "Thrown away"; })
        .screenshot("record-form-cancel-kept.png")
        .press(CancelButton)
        .answerMessageBox(rt::ButtonYes, &second)
        .start();
    FormSettings settings;
    settings.cancelAction = CancelActionAsk;
    EXPECT_EQ(runForm(RequestChange, settings), ResponseCancelled);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(first, "Are you sure you want to cancel?");
    EXPECT_EQ(second, first);
    EXPECT_EQ(manager->updates, 0);
    EXPECT_TRUE(stored("Original", 5));
}

TEST_F(RecordFormChangeTest, ClosingAnUnchangedFormOrOneWithCancelAction0AsksNothing) {
    for (std::uint8_t cancelAction : {std::uint8_t{3}, std::uint8_t{0}}) {
        SCOPED_TRACE(cancelAction);
        rt::Robot robot;
        robot.waitForWindow("Item Form");
        if (cancelAction == 0) robot.type(TitleEntry, "Dropped").clickControl(GroupEntry);
        robot.press(CancelButton).start();
        FormSettings settings;
        settings.cancelAction = cancelAction;
        EXPECT_EQ(runForm(RequestChange, settings), ResponseCancelled);
        ASSERT_TRUE(robot.runNow()) << robot.failure();
        EXPECT_TRUE(robot.messages().empty());
        EXPECT_TRUE(stored("Original", 5));
    }
}

TEST_F(RecordFormChangeTest, ADeleteRequestAsksForConfirmationAndNeverShowsTheForm) {
    struct Row {
        int answer;
        std::uint8_t response;
        bool stillThere;
    };
    for (Row row : {Row{rt::ButtonNo, ResponseCancelled, true},
                    Row{rt::ButtonYes, ResponseCompleted, false}}) {
        SCOPED_TRACE(row.answer);
        ASSERT_TRUE(fetchByTitle("Original"));
        std::string question;
        rt::Robot robot;
        robot.answerMessageBox(row.answer, &question).start();
        EXPECT_EQ(runForm(RequestDelete), row.response);
        ASSERT_TRUE(robot.runNow()) << robot.failure();
        EXPECT_FALSE(formWasShown);
        EXPECT_EQ(question, "Are you sure you want to delete the highlighted record?");
        EXPECT_EQ(fetchByTitle("Original"), row.stillThere);
    }
}

TEST_F(RecordFormChangeTest, AFailedDeleteAsksToRetryUntilItSucceeds) {
    manager->failDeletes = 2;
    std::string notDeleted, retry;
    rt::Robot robot;
    robot.waitForWindow("Item Form")
        .press(OkButton)
        // The relation manager's own question first, answered Yes: a retry.
        .answerMessageBox(rt::ButtonOk, &notDeleted)
        .answerMessageBox(rt::ButtonYes)
        // It fails again; No there hands the failure to the form, which asks
        // once more with Cancel offered; Yes tries again and succeeds.
        .answerMessageBox(rt::ButtonOk)
        .answerMessageBox(rt::ButtonNo)
        .answerMessageBox(rt::ButtonYes, &retry)
        .start();
    FormSettings settings;
    settings.deleteAction = 1;  // show the form, delete when it completes
    EXPECT_EQ(runForm(RequestDelete, settings), ResponseCompleted);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_NE(notDeleted.find("deleting a record from the Items file"), std::string::npos)
        << notDeleted;
    EXPECT_EQ(retry,
              "An error was experienced deleting this record. Do you want to try to delete it "
              "again?");
    EXPECT_FALSE(fetchByTitle("Original"));
    ASSERT_GE(robot.messages().size(), 5u);
    EXPECT_EQ(robot.messages()[4].buttons, rt::ButtonYes | rt::ButtonNo | rt::ButtonCancel);
}

TEST_F(RecordFormChangeTest, AFailedDeleteAnsweredCancelStaysOnTheForm) {
    manager->failDeletes = 1;
    rt::Robot robot;
    robot.waitForWindow("Item Form")
        .press(OkButton)
        .answerMessageBox(rt::ButtonOk)
        .answerMessageBox(rt::ButtonNo)
        .answerMessageBox(rt::ButtonCancel)
        .check("still on the form", [](rt::Window& w) { return w.focus() == TitleEntry; })
        .press(CancelButton)
        .start();
    FormSettings settings;
    settings.deleteAction = 1;
    EXPECT_EQ(runForm(RequestDelete, settings), ResponseCancelled);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(fetchByTitle("Original"));
}

TEST_F(RecordFormChangeTest, RejectedInputIsReplacedByTheStoredValueAndReselected) {
    rt::Robot robot;
    robot.waitForWindow("Item Form")
        .type(GroupEntry, "abc")
        .key(rt::TabKey, GroupEntry)
        .check("the group shows its value again and keeps the focus",
               [](rt::Window& w) {
                   return w.focus() == GroupEntry &&
                          w.text(GroupEntry).find("5") != std::string::npos;
               })
        .press(CancelButton)
        .start();
    EXPECT_EQ(runForm(RequestChange), ResponseCancelled);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(robot.messages().empty());
}
