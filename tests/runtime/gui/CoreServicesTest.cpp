#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "runtime/host/Assert.h"
#include "runtime/host/Halt.h"
#include "runtime/host/LastError.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/host/Thread.h"

namespace rt {
namespace {

TEST(LastErrorTest, IsPerThreadAndCarriesTheDriversOwnCodeAndText) {
    setLastError(90, "SQLITE_NOTADB", "file is not a database");
    EXPECT_EQ(lastError().code, 90);
    EXPECT_EQ(lastError().text, "File System Error");
    EXPECT_EQ(lastError().driverCode, "SQLITE_NOTADB");
    int seenOnOtherThread = -1;
    std::thread([&] { seenOnOtherThread = lastError().code; }).join();
    EXPECT_EQ(seenOnOtherThread, 0);
    clearLastError();
    EXPECT_EQ(lastError().code, 0);
    EXPECT_EQ(errorText(2), "File Not Found");
    EXPECT_EQ(errorText(12345), "Unknown Error 12345");
}

TEST(AssertTest, ReplaceableHandlerSeesMessageModuleAndLineAndProgramGoesOn) {
    std::string seen;
    int seenLine = 0;
    AssertHandler old =
        setAssertHandler([&](const std::string& m, const std::string& module, int line) {
            seen = m + "@" + module;
            seenLine = line;
        });
    RT_ASSERT(1 + 1 == 3, "Identifier not found.");
    int line = __LINE__ - 1;
    RT_ASSERT(true, "never");
    setAssertHandler(old);
    EXPECT_EQ(seen.substr(0, seen.find('@')), "Identifier not found.");
    EXPECT_NE(seen.find("CoreServicesTest.cpp"), std::string::npos);
    EXPECT_EQ(seenLine, line);
}

TEST(HaltTest, ReplaceableHandlerObservesExitCodeAndMessage) {
    int code = -1;
    std::string message;
    HaltHandler old = setHaltHandler([&](int c, const std::string& m) {
        code = c;
        message = m;
    });
    halt(0, "File Access Error");
    setHaltHandler(old);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(message, "File Access Error");
}

TEST(HaltTest, DefaultHandlerEndsTheProcessWithTheCode) {
    EXPECT_EXIT(halt(3, "stopping"), testing::ExitedWithCode(3), "stopping");
}

TEST(ThreadTest, FirstThreadIsOneAndStartedThreadsCountOnWithTheirHooks) {
    EXPECT_EQ(threadNumber(), 1);
    std::atomic<int> started{0}, ended{0}, inside{0};
    setThreadHooks([&] { started = threadNumber(); }, [&] { ended = threadNumber(); });
    int number = startThread([&] { inside = threadNumber(); });
    for (int i = 0; i < 500 && ended == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    setThreadHooks(nullptr, nullptr);
    EXPECT_GT(number, 1);
    EXPECT_EQ(inside, number);
    EXPECT_EQ(started, number);
    EXPECT_EQ(ended, number);
    EXPECT_EQ(threadNumber(), 1);
}

TEST(MessageBoxTest, HookAnswersInsteadOfAPerson) {
    MessageBoxRequest seen;
    MessageBoxHook old = TEST_setMessageBoxHook([&](const MessageBoxRequest& r) {
        seen = r;
        return ButtonNo;
    });
    int answer = messageBox(
        {"Do you want to save?", "Save Record", IconQuestion, ButtonYes | ButtonNo, ButtonYes, 0});
    TEST_setMessageBoxHook(old);
    EXPECT_EQ(answer, ButtonNo);
    EXPECT_EQ(seen.caption, "Save Record");
    EXPECT_EQ(seen.buttons, ButtonYes | ButtonNo);
}

// Presses a button of the real box once it is shown.
void pressWhenShown(QMessageBox::StandardButton which, std::string* text) {
    QTimer::singleShot(20, [=] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                *text = box->text().toStdString();
                if (which == QMessageBox::NoButton)
                    box->reject();
                else
                    box->button(which)->click();
                return;
            }
        }
        pressWhenShown(which, text);
    });
}

TEST(MessageBoxTest, RealBoxShowsLinesAndAnswersTheButtonPressed) {
    std::string shown;
    pressWhenShown(QMessageBox::No, &shown);
    EXPECT_EQ(
        messageBox({"first|second", "Caption", IconQuestion, ButtonYes | ButtonNo, ButtonYes, 0}),
        ButtonNo);
    EXPECT_EQ(shown, "first\nsecond");
    pressWhenShown(QMessageBox::NoButton, &shown);
    EXPECT_EQ(
        messageBox({"text", "Caption", IconExclamation, ButtonOk | ButtonCancel, ButtonOk, 0}),
        ButtonCancel);
}

}  // namespace
}  // namespace rt
