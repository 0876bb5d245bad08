// Controls named in a window's header take those numbers; no two may share one.
#include <gtest/gtest.h>

#include "runtime/gui/WindowDeclaration.h"

using rt::ControlKind;

TEST(WindowDeclarationTest, NamedControlsTakeTheirNumbersAndNoTwoMayShareOne) {
    rt::WindowDeclaration d;
    EXPECT_EQ(rt::clashingControl(d), 0) << "an empty window has no clash";
    d.controls = {
        rt::control(ControlKind::Prompt, "&Name:").numbered(1),
        rt::control(ControlKind::Entry),  // unnamed: numbered by its place
        rt::control(ControlKind::Button, "&OK").numbered(3),
        rt::control(ControlKind::Button, "&Help").numbered(100),
    };
    EXPECT_EQ(rt::clashingControl(d), 0);
    EXPECT_EQ(rt::controlNumberAt(d, 2), 2);
    EXPECT_EQ(rt::controlNumberAt(d, 4), 100);

    // A control inserted before the button takes the button's number.
    d.controls.insert(d.controls.begin() + 2, rt::control(ControlKind::String, "Note"));
    EXPECT_EQ(rt::clashingControl(d), 4);

    // The first control whose number is taken already is the one reported.
    d.controls[0].numbered(2);
    EXPECT_EQ(rt::clashingControl(d), 2);
}
