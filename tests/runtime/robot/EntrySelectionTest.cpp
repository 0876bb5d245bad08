// An entry's selection and caret as properties, counted in characters, and
// the masked and read-only facts the clipboard menu asks for, and the right
// click an entry leaves to the program when it alerts the button.
#include <gtest/gtest.h>

#include <QApplication>

#include "runtime/robot/Robot.h"
#include "runtime/gui/Window.h"

using namespace rt;

namespace {

WindowDeclaration entries() {
    WindowDeclaration d;
    d.caption = "Entries";
    d.controls = {
        control(ControlKind::Entry).at(4, 4, 120, 12),
        control(ControlKind::Entry).at(4, 20, 120, 12).with(FlagMasked | FlagReadOnly),
    };
    return d;
}

int prop(Window& w, Prop p) {
    return static_cast<int>(w.property(1, p).number());
}

}  // namespace

TEST(EntrySelectionTest, SelectionAndCaretCountCharacters) {
    Window w(entries());
    w.setText(1, "Grüße 😀 aus Köln");
    struct Row {
        int start, end;          // written
        int readStart, readEnd;  // read back
    };
    for (Row r : {Row{1, 5, 1, 5}, Row{7, 7, 7, 7}, Row{9, 11, 9, 11}, Row{4, 0, 4, 0},
                  Row{17, 0, 17, 0}}) {
        w.setProperty(1, Prop::SelStart, r.start);
        w.setProperty(1, Prop::SelEnd, r.end);
        EXPECT_EQ(prop(w, Prop::SelStart), r.readStart) << r.start << "-" << r.end;
        EXPECT_EQ(prop(w, Prop::SelEnd), r.readEnd) << r.start << "-" << r.end;
    }
}

TEST(EntrySelectionTest, MaskedAndReadOnlyAreReadable) {
    Window w(entries());
    EXPECT_EQ(prop(w, Prop::Password), 0);
    EXPECT_EQ(prop(w, Prop::ReadOnly), 0);
    EXPECT_EQ(w.property(2, Prop::Password).number(), 1);
    EXPECT_EQ(w.property(2, Prop::ReadOnly).number(), 1);
    w.setProperty(2, Prop::ReadOnly, 0);
    EXPECT_EQ(w.property(2, Prop::ReadOnly).number(), 0);
}

TEST(EntrySelectionTest, AnEntryThatAlertsTheRightButtonLeavesTheMenuToTheProgram) {
    Window w(entries());
    w.alert(MouseRight, 1);
    bool alertedShowedMenu = true;
    Robot robot;
    robot.waitForWindow("Entries")
        .rightClick(1)
        .run("look for a menu",
             [&](Window&) { alertedShowedMenu = QApplication::activePopupWidget() != nullptr; })
        .rightClick(2)
        .dismissPopup()  // the toolkit's own menu on the other entry
        .closeWindow()
        .start();
    int alerts = 0;
    while (WindowEvent e = w.accept()) alerts += e.event == EventAlertKey && e.control == 1;
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_FALSE(alertedShowedMenu);
    EXPECT_EQ(alerts, 1);
}
