// A settings form laid out as the program declares one (sheet with two tabs,
// prompts and entries, a required entry, OK and Cancel, status bar), walked
// through by the robot, with screenshots left in the test output folder.
#include <gtest/gtest.h>

#include "runtime/text/FixedText.h"
#include "runtime/robot/Robot.h"
#include "runtime/gui/Window.h"
#include "tests/support/TempDir.h"

using namespace rt;

namespace {

struct Owner {
    String<35> name;
    String<50> address;
    String<20> city;
    String<20> master;
    String<65> user;
};

enum {
    kSheet = 1,
    kGeneral = 2,
    kName = 4,
    kAddress = 6,
    kCity = 8,
    kMaster = 10,
    kInfo = 12,
    kOk = 15,
    kCancel = 16
};

WindowDeclaration ownerForm(Owner& o) {
    WindowDeclaration d;
    d.caption = "Record Will Be Added  (New)";
    d.width = 300;
    d.height = 150;
    d.statusZones = {120, -1};
    d.controls = {
        control(ControlKind::Sheet).at(4, 4, 292, 120),
        control(ControlKind::Tab, "General System").in(kSheet),
        control(ControlKind::Prompt, "Name").at(12, 24).in(kGeneral),
        control(ControlKind::Entry).at(84, 22, 140, 12).bind(o.name, "@s35").in(kGeneral),
        control(ControlKind::Prompt, "Address:").at(12, 40).in(kGeneral),
        control(ControlKind::Entry).at(84, 38, 200, 12).bind(o.address, "@s50").in(kGeneral),
        control(ControlKind::Prompt, "City:").at(12, 56).in(kGeneral),
        control(ControlKind::Entry).at(84, 54, 90, 12).bind(o.city, "@s20").in(kGeneral),
        control(ControlKind::Prompt, "Master Password:").at(12, 80).in(kGeneral),
        control(ControlKind::Entry)
            .at(84, 78, 90, 12)
            .bind(o.master, "@s20")
            .requiredMessage("You cannot have a blank password!")
            .tipText("Please enter a password")
            .in(kGeneral),
        control(ControlKind::String, "You MUST enter a Master Password")
            .at(84, 96)
            .font("Arial", 12, 255)
            .in(kGeneral),
        control(ControlKind::Tab, "System Info").in(kSheet),
        control(ControlKind::Prompt, "User Name:").at(12, 24).in(kInfo),
        control(ControlKind::String).at(84, 24, 150, 10).bind(o.user, "@s65").in(kInfo),
        control(ControlKind::Button, "&OK")
            .at(196, 130, 45, 14)
            .with(FlagDefault)
            .tipText("Accept data and close the window"),
        control(ControlKind::Button, "&Cancel").at(250, 130, 45, 14).tipText("Cancel operation"),
    };
    return d;
}

}  // namespace

TEST(FormScreenshotTest, ARequiredBlankStopsOkUntilFilledAndEveryStepIsPictured) {
    Owner o;
    o.user = "alice";
    Window w(ownerForm(o));
    std::string folder = testsupport::outputDir().string();
    Robot robot;
    robot.screenshotFolder(folder)
        .waitForWindow("Record Will Be Added  (New)")
        .type(kName, "Brennick Computers")
        .type(kAddress, "1 Main Street")
        .type(kCity, "Springfield")
        .screenshot("form-general.png")
        .chooseTab(kInfo)
        .press(kOk)
        .check("the pass stopped on the master password",
               [](Window& w) { return w.focus() == kMaster; })
        .check("its message is in the status bar",
               [](Window& w) { return w.statusText(1) == "You cannot have a blank password!"; })
        .screenshot("form-required-stop.png")
        .chooseTab(kInfo)
        .screenshot("form-system-info.png")
        .chooseTab(kGeneral)
        .type(kMaster, "Secret1")
        .press(kOk)
        .start();
    int completed = 0;
    while (WindowEvent e = w.accept()) {
        if (e.event == EventAccepted && e.control == kOk) w.acceptAll();
        if (e.event == EventCompleted && ++completed) w.close();
        if (e.event == EventAccepted && e.control == kCancel) w.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(completed, 1);
    EXPECT_EQ(o.master.clipped(), "Secret1");
    EXPECT_EQ(o.name.clipped(), "Brennick Computers");
    EXPECT_EQ(o.city.clipped(), "Springfield");
    EXPECT_GT(testsupport::readFile(testsupport::outputDir() / "form-required-stop.png").size(),
              100u);
}
