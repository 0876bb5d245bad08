// The toolbox: the menu's items as a floating row of buttons that a person
// presses while the owner window goes on working.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/robot/Robot.h"
#include "runtime/gui/Window.h"
#include "tests/support/TempDir.h"
#include "window/PopupClass.h"

using namespace rt;

namespace {

enum { kAdd = 1, kDelete = 2, kTools = 3, kNote = 4 };

WindowDeclaration owner() {
    WindowDeclaration d;
    d.caption = "Owner";
    d.width = 180;
    d.height = 40;
    d.controls = {
        control(ControlKind::Button, "&Add").at(4, 4, 40, 14),
        control(ControlKind::Button, "&Delete").at(48, 4, 40, 14),
        control(ControlKind::Button, "Tools").at(92, 4, 40, 14),
        control(ControlKind::Entry).at(136, 4, 40, 12),
    };
    return d;
}

bool disabled(Window& w, int control) {
    return w.property(control, Prop::Disable).truthy();
}

}  // namespace

TEST(PopupToolboxTest, ButtonsActForTheOwnerWhileItsLoopGoesOn) {
    Window w(owner());
    PopupClass popup;
    popup.Init(&w);
    popup.AddItemMimic("Insert", kAdd, "!&Insert");
    popup.AddItemEvent("Remove", EventAccepted, kDelete);
    popup.SetToolbox("Remove", false);
    popup.AddItem("-");
    popup.AddItemEvent("&Note", EventNotify, kNote);

    Robot robot;
    std::string addText, noteText;
    int boxWidth = 0, addWidth = 0, noteX = 0, noteWidth = 0;
    robot.screenshotFolder(testsupport::outputDir().string())
        .waitForWindow("Owner")
        .press(kTools)
        .waitForWindow("Browse Actions")
        .screenshot("popup-toolbox.png")
        .check("the row left off the toolbox rests",
               [&](Window&) { return disabled(w, kDelete) && popup.InToolbox == 1; })
        .run("read the buttons",
             [&](Window& box) {
                 addText = box.text(100);
                 noteText = box.text(101);
                 boxWidth = box.width();
                 addWidth = static_cast<int>(box.property(100, Prop::Width).number());
                 noteX = static_cast<int>(box.property(101, Prop::XPos).number());
                 noteWidth = static_cast<int>(box.property(101, Prop::Width).number());
             })
        .press(100)
        .check("the owner took the press", [&](Window&) { return popup.LastSelection == "Insert"; })
        .run("disable the mimicked button", [&](Window&) { w.disable(kAdd); })
        .check("the button follows its control", [](Window& box) { return disabled(box, 100); })
        .press(101)
        .closeWindow()
        .check("the toolbox has gone",
               [&](Window& front) { return &front == &w && popup.InToolbox == 0; })
        .check("the resting control is back", [&](Window&) { return !disabled(w, kDelete); })
        .closeWindow()
        .start();
    std::vector<std::string> seen;
    while (WindowEvent e = w.accept()) {
        if (e.event == EventAccepted && e.control == kTools) {
            popup.Toolbox("Browse Actions");
            continue;
        }
        if (e.event == EventAccepted || e.event == EventNotify)
            seen.push_back(std::to_string(e.event) + "/" + std::to_string(e.control));
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(addText, "&Add");
    EXPECT_EQ(noteText, "&Note");
    // Side by side from the left, the window just wide enough for both
    // (dialog units round to the pixel).
    EXPECT_GT(addWidth, 0);
    EXPECT_NEAR(noteX, addWidth, 1);
    EXPECT_NEAR(boxWidth, addWidth + noteWidth, 2);
    EXPECT_EQ(seen, (std::vector<std::string>{"1/1", "522/4"}));
    EXPECT_EQ(popup.ThisWindow, nullptr);
    EXPECT_EQ(popup.LastSelection, "");
}

TEST(PopupToolboxTest, AControlTheProgramDisabledStaysDisabledAfterwards) {
    Window w(owner());
    PopupClass popup;
    popup.Init(&w);
    popup.AddItemEvent("Remove", EventAccepted, kDelete);
    popup.SetToolbox("Remove", false);
    popup.SetItemEnable("Remove", false);
    popup.AddItemEvent("Note", EventAccepted, kNote);

    Robot robot;
    robot.waitForWindow("Owner")
        .press(kTools)
        .waitForWindow("Tools")
        .closeWindow()
        .check("the toolbox has gone", [&](Window&) { return popup.InToolbox == 0; })
        .closeWindow()
        .start();
    while (WindowEvent e = w.accept())
        if (e.event == EventAccepted && e.control == kTools) {
            w.disable(kDelete);
            popup.Toolbox("Tools");
            popup.Toolbox("Tools");  // already open: nothing more
        }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(disabled(w, kDelete));
}
