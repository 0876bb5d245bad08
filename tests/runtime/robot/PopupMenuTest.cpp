// Popup menus from menu strings: how the string is read, and what a person's
// choice or dismissal answers.
#include <gtest/gtest.h>

#include "runtime/gui/PopupMenu.h"
#include "runtime/robot/Robot.h"
#include "runtime/gui/Window.h"

using namespace rt;

TEST(PopupMenuTest, SubmenusNestAndOnlySelectableItemsAreNumbered) {
    PopupMenu m("File{Open|Close}|Exit");
    ASSERT_EQ(m.items().size(), 4u);
    EXPECT_TRUE(m.items()[0].submenu);
    EXPECT_EQ(m.items()[0].depth, 1);
    EXPECT_EQ(m.items()[1].depth, 2);
    EXPECT_EQ(m.items()[1].number, 1);
    EXPECT_EQ(m.items()[2].number, 2);
    EXPECT_EQ(m.items()[3].text, "Exit");
    EXPECT_EQ(m.items()[3].depth, 1);
    EXPECT_EQ(m.items()[3].number, 3);
    EXPECT_EQ(m.selectableCount(), 3);
}

TEST(PopupMenuTest, MarkersSeparatorsAndIconAttributes) {
    PopupMenu m("|~&Insert|+Checked|-Unchecked|-|[31848(~Add.ico),31290(0)]With icon|~+Both");
    const auto& it = m.items();
    ASSERT_EQ(it.size(), 6u);  // the leading "|" adds nothing
    EXPECT_TRUE(it[0].disabled);
    EXPECT_EQ(it[0].text, "&Insert");
    EXPECT_EQ(it[1].check, 1);
    EXPECT_EQ(it[2].check, 2);
    EXPECT_EQ(it[2].text, "Unchecked");
    EXPECT_TRUE(it[3].separator);
    EXPECT_EQ(it[3].number, 0);
    EXPECT_EQ(it[4].icon, "Add.ico");
    EXPECT_EQ(it[4].text, "With icon");
    EXPECT_TRUE(it[5].disabled);
    EXPECT_EQ(it[5].check, 1);
    // Disabled items keep their place in the numbering.
    EXPECT_EQ(it[4].number, 4);
    EXPECT_EQ(it[5].number, 5);
}

TEST(PopupMenuTest, UnbalancedClosingBracesStayAtTheTopLevel) {
    PopupMenu m("A}|B");
    ASSERT_EQ(m.items().size(), 2u);
    EXPECT_EQ(m.items()[1].depth, 1);
    EXPECT_EQ(PopupMenu("").items().size(), 0u);
}

TEST(PopupMenuTest, ChoosingAnItemAnswersItsNumberAndDismissingAnswersZero) {
    WindowDeclaration d;
    d.caption = "Menu";
    d.controls = {control(ControlKind::Button, "Menu").at(4, 4, 40, 14)};
    Window w(d);
    Robot robot;
    robot.waitForWindow("Menu")
        .press(1)
        .choosePopupItem("Close")
        .press(1)
        .dismissPopup()
        .press(1)
        .choosePopupItem("Exit")
        .start();
    std::vector<int> answers;
    while (WindowEvent e = w.accept()) {
        if (e.event != EventAccepted) continue;
        answers.push_back(PopupMenu("File{Open|&Close}|-|~Disabled|Exit").ask());
        if (answers.back() == 4) w.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(answers, (std::vector<int>{2, 0, 4}));
}

TEST(PopupMenuTest, ADisabledItemCannotBeChosen) {
    WindowDeclaration d;
    d.caption = "Disabled";
    d.controls = {control(ControlKind::Button, "Menu").at(4, 4, 40, 14)};
    Window w(d);
    Robot robot;
    robot.timeout(300).waitForWindow("Disabled").press(1).choosePopupItem("Off").start();
    int answer = -1;
    while (WindowEvent e = w.accept()) {
        if (e.event == EventAccepted) answer = PopupMenu("~Off|On").ask();
    }
    EXPECT_FALSE(robot.runNow());
    EXPECT_NE(robot.failure().find("choose \"Off\""), std::string::npos) << robot.failure();
    EXPECT_EQ(answer, 0);
}
