// A control's background colour: painted over the whole control whatever its
// kind, and given back to the widget's default by ColorNone.
#include <gtest/gtest.h>

#include "runtime/gui/Window.h"

using namespace rt;

TEST(BackgroundColorTest, AColourCoversTheControlAndColorNoneGivesTheDefaultBack) {
    WindowDeclaration d;
    d.caption = "Colours";
    d.width = 120;
    d.height = 40;
    d.controls = {
        control(ControlKind::Check, "Keep").at(4, 4, 80, 10),
        control(ControlKind::Entry).at(4, 20, 80, 12),
    };
    Window w(d);
    w.open();
    const int background = w.TEST_pixel(100, 8);  // nothing there
    const int entryPlain = w.TEST_pixel(70, 26);
    for (int c : {1, 2}) EXPECT_EQ(w.property(c, Prop::Color).number(), ColorNone) << c;
    EXPECT_EQ(w.TEST_pixel(70, 8), background);  // right of the check box's text

    for (int c : {1, 2}) w.setProperty(c, Prop::Color, 65535);
    EXPECT_EQ(w.property(1, Prop::Color).number(), 65535);
    EXPECT_EQ(w.TEST_pixel(70, 8), 65535);
    EXPECT_EQ(w.TEST_pixel(70, 26), 65535);

    for (int c : {1, 2}) w.setProperty(c, Prop::Color, ColorNone);
    EXPECT_EQ(w.property(1, Prop::Color).number(), ColorNone);
    EXPECT_EQ(w.TEST_pixel(70, 8), background);
    EXPECT_EQ(w.TEST_pixel(70, 26), entryPlain);
    w.close();
}
