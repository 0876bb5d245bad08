// The font styles a program gives its controls, and where it puts a window.
#include <gtest/gtest.h>

#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"
#include "runtime/gui/WindowDeclaration.h"

using namespace rt;

namespace {

WindowDeclaration smallWindow() {
    WindowDeclaration d;
    d.caption = "Styled";
    d.width = 120;
    d.height = 40;
    d.controls = {control(ControlKind::Button, "Close").at(40, 12, 45, 14)};
    return d;
}

constexpr int kClose = 1;

}  // namespace

TEST(WindowStyleTest, FontStylesCarryUnderlineItalicAndStrikeOut) {
    Window w(smallWindow());
    w.open();
    for (int style : {400, 700, 700 | FontUnderline, 400 | FontItalic, 400 | FontStrikeOut,
                      700 | FontItalic | FontUnderline | FontStrikeOut}) {
        w.setProperty(kClose, Prop::FontStyle, style);
        EXPECT_EQ(w.property(kClose, Prop::FontStyle).number(), style);
    }
    EXPECT_EQ(700 | FontUnderline, 8892);
    w.close();
}

TEST(WindowStyleTest, AProgramPlacesItsWindow) {
    Window w(smallWindow());
    w.open();
    w.setProperty(0, Prop::XPos, 210);
    w.setProperty(0, Prop::YPos, 95);
    EXPECT_NEAR(w.property(0, Prop::XPos).number(), 210, 1);
    EXPECT_NEAR(w.property(0, Prop::YPos).number(), 95, 1);
    w.close();
}
