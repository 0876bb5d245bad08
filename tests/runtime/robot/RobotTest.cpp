// The robot itself: failing steps end the scenario with a message instead of
// hanging it, message boxes are answered, screenshots are written.
#include <gtest/gtest.h>

#include <filesystem>

#include "runtime/gui/Clipboard.h"
#include "runtime/text/FixedText.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/robot/Robot.h"
#include "runtime/gui/Window.h"
#include "tests/support/TempDir.h"

using namespace rt;

namespace {

WindowDeclaration small(const std::string& caption, FieldRef use = {}) {
    WindowDeclaration d;
    d.caption = caption;
    d.width = 180;
    d.height = 60;
    d.controls = {
        control(ControlKind::Prompt, "&Name:").at(6, 8),
        control(ControlKind::Entry).at(50, 6, 120, 12).bind(use),
        control(ControlKind::Button, "&OK").at(70, 36, 45, 14).with(FlagDefault),
        control(ControlKind::Button, "&Cancel").at(125, 36, 45, 14),
    };
    return d;
}

}  // namespace

TEST(RobotTest, AStepThatNeverComesTrueFailsNamingItAndTheOpenWindows) {
    Window w(small("Waiting"));
    Robot robot;
    robot.timeout(200).waitForWindow("Waiting").waitForWindow("Never shown").start();
    int events = 0;
    while (w.accept()) ++events;  // ends because the robot gives up
    EXPECT_TRUE(robot.failed());
    EXPECT_NE(robot.failure().find("step 2 (wait for the window \"Never shown\")"),
              std::string::npos)
        << robot.failure();
    EXPECT_NE(robot.failure().find("'Waiting'"), std::string::npos) << robot.failure();
    EXPECT_GE(events, 1);
}

TEST(RobotTest, AnUnclosedWindowFailsTheScenarioAfterTheLastStep) {
    Window w(small("Stays"));
    Robot robot;
    robot.timeout(200).waitForWindow("Stays").start();
    while (w.accept()) {
    }
    EXPECT_NE(robot.failure().find("every window closes"), std::string::npos) << robot.failure();
}

TEST(RobotTest, MessageBoxesAreAnsweredAndAnUnexpectedOneFails) {
    String<10> name;
    Window w(small("Ask", name));
    Robot robot;
    std::string seen;
    robot.waitForWindow("Ask").press(3).answerMessageBox(ButtonNo, &seen).press(3).start();
    std::vector<int> answers;
    while (WindowEvent e = w.accept()) {
        if (e.event == EventAccepted && e.control == 3)
            answers.push_back(
                messageBox({"Save?", "Ask", IconQuestion, ButtonYes | ButtonNo | ButtonCancel}));
        if (answers.size() == 2) w.close();
    }
    EXPECT_TRUE(robot.failed());
    EXPECT_NE(robot.failure().find("nobody expected: \"Save?\""), std::string::npos)
        << robot.failure();
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0], ButtonNo);
    EXPECT_EQ(answers[1], ButtonCancel);  // the unexpected one is cancelled
    EXPECT_EQ(seen, "Save?");
    EXPECT_EQ(robot.messages().size(), 2u);
}

TEST(RobotTest, ScreenshotsLandInTheNamedFolderAsPng) {
    String<20> name("Ada Lovelace");
    Window w(small("Shot", name));
    std::filesystem::path folder = testsupport::outputDir();
    std::filesystem::remove(folder / "robot-small-form.png");
    Robot robot;
    robot.screenshotFolder(folder.string())
        .waitForWindow("Shot")
        .screenshot("robot-small-form.png")
        .press(4)
        .start();
    while (WindowEvent e = w.accept()) {
        if (e.event == EventAccepted && e.control == 4) w.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    std::string png = testsupport::readFile(folder / "robot-small-form.png");
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(png.substr(1, 3), "PNG");
}

TEST(RobotTest, ReadsTextAndStateOfControls) {
    String<10> name("Bob");
    Window w(small("Read", name));
    w.disable(3);
    Robot robot;
    std::string text;
    bool okEnabled = true;
    robot.waitForWindow("Read")
        .run("read the entry and the OK button",
             [&](Window& w) {
                 text = w.text(2);
                 okEnabled = w.property(3, Prop::Disable).number() == 0;
             })
        .press(4)
        .start();
    while (WindowEvent e = w.accept()) {
        if (e.event == EventAccepted && e.control == 4) w.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(text, "Bob");
    EXPECT_FALSE(okEnabled);
}

TEST(ClipboardTest, TextRoundTrips) {
    setClipboardText("secret \xC3\xA9");
    EXPECT_EQ(clipboardText(), "secret \xC3\xA9");
    setClipboardText("");
    EXPECT_EQ(clipboardText(), "");
}
