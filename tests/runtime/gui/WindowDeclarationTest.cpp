// Controls named in a window's header are checked against their places.
#include <gtest/gtest.h>

#include "runtime/gui/WindowDeclaration.h"

using rt::ControlKind;

TEST(WindowDeclarationTest, NamedControlsMustStandWhereTheirNumbersSay) {
    rt::WindowDeclaration d;
    EXPECT_EQ(rt::misplacedControl(d), 0) << "an empty window has nothing out of place";
    d.controls = {
        rt::control(ControlKind::Prompt, "&Name:").numbered(1),
        rt::control(ControlKind::Entry),  // unnamed controls are not checked
        rt::control(ControlKind::Button, "&OK").numbered(3),
    };
    EXPECT_EQ(rt::misplacedControl(d), 0);

    // A control inserted before the button moves it to place 4.
    d.controls.insert(d.controls.begin() + 2, rt::control(ControlKind::String, "Note"));
    EXPECT_EQ(rt::misplacedControl(d), 4);

    // The first misplaced control is the one reported.
    d.controls[0].numbered(2);
    EXPECT_EQ(rt::misplacedControl(d), 1);
}
