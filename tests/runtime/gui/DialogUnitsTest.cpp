#include <gtest/gtest.h>

#include "runtime/controls/DialogUnits.h"
#include "runtime/text/FixedText.h"
#include "runtime/gui/Window.h"

using namespace rt;

TEST(DialogUnitsTest, QuarterCharacterWidthAndEighthCharacterHeight) {
    DialogUnits u(7, 16);
    EXPECT_EQ(u.toPixelsX(4), 7);
    EXPECT_EQ(u.toPixelsY(8), 16);
    EXPECT_EQ(u.toPixelsX(100), 175);
    EXPECT_EQ(u.toPixelsY(12), 24);
    EXPECT_EQ(u.fromPixelsX(175), 100);
    EXPECT_EQ(u.fromPixelsY(24), 12);
    EXPECT_EQ(u.toPixelsX(0), 0);
    EXPECT_EQ(u.toPixelsX(-4), -7);
}

TEST(DialogUnitsTest, ABiggerFontMakesBiggerUnitsAndControlsKeepTheirDeclaredUnits) {
    DialogUnits small = DialogUnits::forFont("Arial", 9);
    DialogUnits large = DialogUnits::forFont("Arial", 18);
    EXPECT_GT(large.baseY(), small.baseY());
    EXPECT_GT(large.baseX(), small.baseX());
    WindowDeclaration d;
    d.caption = "Units";
    d.fontSize = 18;
    d.controls = {control(ControlKind::Box).at(10, 20, 100, 40)};
    Window w(d);
    EXPECT_EQ(w.property(1, Prop::XPos).number(), 10);
    EXPECT_EQ(w.property(1, Prop::YPos).number(), 20);
    EXPECT_EQ(w.property(1, Prop::Width).number(), 100);
    EXPECT_EQ(w.property(1, Prop::Height).number(), 40);
    w.setProperty(1, Prop::Width, 60);
    EXPECT_EQ(w.property(1, Prop::Width).number(), 60);
}

TEST(DialogUnitsTest, LooksFollowTheFramework) {
    String<5> t;
    WindowDeclaration d;
    d.caption = "Looks";
    d.controls = {control(ControlKind::Entry).at(10, 10, 50, 12).bind(t)};
    Window w(d);
    w.setProperty(1, Prop::Color, 65535);  // yellow
    EXPECT_EQ(w.property(1, Prop::Color).number(), 65535);
    w.setProperty(1, Prop::FontStyle, 700);
    EXPECT_EQ(w.property(1, Prop::FontStyle).number(), 700);
    w.setProperty(1, Prop::FontStyle, 400);
    EXPECT_EQ(w.property(1, Prop::FontStyle).number(), 400);
    w.setProperty(1, Prop::FontColor, 255);  // red
    EXPECT_EQ(w.property(1, Prop::FontColor).number(), 255);
}
