// A copied secret carries the clipboard-history hint, counts down on the
// runtime clock and is cleared when its time is up, but never takes away
// what was copied after it. The clipboard is read through Qt's own API.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <functional>
#include <vector>

#include "runtime/gui/SecretClipboard.h"
#include "runtime/text/Date.h"
#include "runtime/text/Time.h"

namespace rt {
namespace {

const DateSerial kDay = dateFromParts(3, 14, 2027);
const TimeValue kNoon = timeFromParts(12, 0, 0);

QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

QByteArray hint() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data ? data->data("x-kde-passwordManagerHint") : QByteArray();
}

// Lets the countdown's timer run until done() holds (false after 5 s).
bool pumpUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > 5000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

class SecretClipboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TEST_setClock(kDay, kNoon);
        setSecretClearSeconds(10);
        onSecretCountdown([this](int left) { told.push_back(left); });
        QGuiApplication::clipboard()->setText("before");
    }
    void TearDown() override {
        onSecretCountdown(nullptr);
        clearSecretNow();
        TEST_resetClock();
    }
    void at(int hundredths) { TEST_setClock(kDay, kNoon + hundredths); }

    std::vector<int> told;
};

TEST_F(SecretClipboardTest, ASecretIsHintedCountsDownAndIsClearedWhenItsTimeIsUp) {
    ASSERT_TRUE(copySecret("s3cr3t"));
    EXPECT_EQ(clipboardText(), "s3cr3t");
    EXPECT_EQ(hint(), "secret");
    EXPECT_EQ(secretSecondsLeft(), 10);

    at(401);  // 4.01 s: 5.99 s left, shown rounded up
    ASSERT_TRUE(pumpUntil([] { return secretSecondsLeft() == 6; }));
    ASSERT_TRUE(pumpUntil([this] { return told.back() == 6; }));
    EXPECT_EQ(clipboardText(), "s3cr3t");

    at(999);
    ASSERT_TRUE(pumpUntil([this] { return told.back() == 1; }));
    EXPECT_EQ(clipboardText(), "s3cr3t") << "cleared before its time";

    at(1000);
    ASSERT_TRUE(pumpUntil([] { return clipboardText().isEmpty(); }));
    EXPECT_EQ(told.back(), 0);
    EXPECT_EQ(secretSecondsLeft(), 0);
    EXPECT_EQ(told.front(), 10);
    for (std::size_t i = 1; i < told.size(); ++i) EXPECT_LT(told[i], told[i - 1]);
}

TEST_F(SecretClipboardTest, WhatWasCopiedSinceIsNeverCleared) {
    ASSERT_TRUE(copySecret("s3cr3t"));
    QGuiApplication::clipboard()->setText("copied later");
    ASSERT_TRUE(pumpUntil([this] { return !told.empty() && told.back() == 0; }));
    at(1500);
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(clipboardText(), "copied later");

    // The same text copied again without the hint is the user's, not ours.
    at(0);
    ASSERT_TRUE(copySecret("same text"));
    QGuiApplication::clipboard()->setText("same text");
    at(1500);
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(clipboardText(), "same text");
    EXPECT_EQ(secretSecondsLeft(), 0);
}

TEST_F(SecretClipboardTest, ASecondSecretRestartsTheCountdownAndZeroSecondsKeepsIt) {
    ASSERT_TRUE(copySecret("first"));
    at(800);
    ASSERT_TRUE(copySecret("second"));
    EXPECT_EQ(secretSecondsLeft(), 10);
    at(1500);
    ASSERT_TRUE(pumpUntil([] { return secretSecondsLeft() == 3; }));
    EXPECT_EQ(clipboardText(), "second");

    setSecretClearSeconds(0);
    at(0);
    ASSERT_TRUE(copySecret("kept"));
    EXPECT_EQ(secretSecondsLeft(), 0);
    at(100000);
    for (int i = 0; i < 10; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(clipboardText(), "kept");
    EXPECT_EQ(hint(), "secret");

    // The program's end takes a secret still held off the clipboard.
    clearSecretNow();
    EXPECT_TRUE(clipboardText().isEmpty());
    EXPECT_FALSE(copySecret("")) << "an empty secret is not copied";
}

TEST_F(SecretClipboardTest, TheCountdownRunsAcrossMidnight) {
    TEST_setClock(kDay, timeFromParts(23, 59, 55));
    ASSERT_TRUE(copySecret("late"));
    TEST_setClock(kDay + 1, timeFromParts(0, 0, 2));
    ASSERT_TRUE(pumpUntil([] { return secretSecondsLeft() == 3; }));
    TEST_setClock(kDay + 1, timeFromParts(0, 0, 6));
    ASSERT_TRUE(pumpUntil([] { return clipboardText().isEmpty(); }));
}

}  // namespace
}  // namespace rt
