// What a window tells a person whose text a control's picture cannot read,
// the font styles a program gives its controls, and where it puts a window.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/Date.h"
#include "runtime/FixedText.h"
#include "runtime/Picture.h"
#include "runtime/Prop.h"
#include "runtime/Robot.h"
#include "runtime/Window.h"

using namespace rt;

namespace {

std::string thisYearsLastDay(const char* picture) {
    return format(Value(dateFromParts(12, 31, dateYear(today()))), picture);
}

struct Dated {
    StoredDate when = toStored(dateFromParts(5, 17, 2030));
    std::int32_t count = 3;
    String<10> name;
};

enum { kWhen = 1, kCount = 2, kName = 3, kClose = 4 };

WindowDeclaration datedForm(Dated& d, bool statusBar) {
    WindowDeclaration w;
    w.caption = "Dated";
    w.width = 160;
    w.height = 80;
    if (statusBar) w.statusZones = {-1};
    w.controls = {
        control(ControlKind::Entry).at(40, 8, 100, 12).bind(d.when, "@D6"),
        control(ControlKind::Entry).at(40, 24, 40, 12).bind(d.count),
        control(ControlKind::Entry).at(40, 40, 100, 12).bind(d.name, "@s10"),
        control(ControlKind::Button, "Close").at(40, 58, 45, 14),
    };
    return w;
}

// Runs the window to its end; answers the controls that were refused.
std::vector<int> runCountingRefusals(Window& w) {
    std::vector<int> refused;
    while (WindowEvent e = w.accept()) {
        if (e.event == EventRejected) {
            refused.push_back(e.control);
            w.display(e.control);
        }
        if (e.event == EventAccepted && e.control == kClose) w.close();
    }
    return refused;
}

}  // namespace

TEST(InputRefusalTest, EachPictureSaysWhatItExpects) {
    struct Row {
        const char* picture;
        std::string message;
    };
    for (const Row& row : {
             Row{"@D6", "Type a date like " + thisYearsLastDay("@D6")},
             Row{"@D4", "Type a date like December 31, " + std::to_string(dateYear(today()))},
             Row{"@d17", "Type a date like " + thisYearsLastDay("@d17")},
             Row{"@D15B", "Type a date like " + thisYearsLastDay("@D15")},
             Row{"@T1", "Type a time like 23:45"},
             Row{"@T4", "Type a time like 23:45:00"},
             Row{"@n6.2", "Type a number"},
             Row{"@P###-##P", "Type the digits as ###-##"},
             Row{"@P<#P", "Type the digits as ##"},
             Row{"@s10", ""},
         }) {
        auto picture = Picture::compile(row.picture);
        ASSERT_TRUE(picture) << row.picture;
        EXPECT_EQ(picture->refusalMessage(), row.message) << row.picture;
    }
}

TEST(InputRefusalTest, RefusedTextIsToldAndNeverStored) {
    for (bool statusBar : {false, true}) {
        SCOPED_TRACE(statusBar ? "with a status bar" : "without one");
        Dated dated;
        Window w(datedForm(dated, statusBar));
        std::string told, status;
        Robot robot;
        robot.waitForWindow("Dated")
            .type(kWhen, "32/13/2030")
            .key(TabKey)
            .check("the date was refused", [](Window& w) { return !w.refusalMessage().empty(); })
            .run("read what the window said",
                 [&](Window& w) {
                     told = w.refusalMessage();
                     status = w.statusText(1);
                 })
            .type(kCount, "three")
            .key(TabKey)
            .check("the number was refused",
                   [](Window& w) { return w.refusalMessage() == "Type a number"; })
            .press(kClose)
            .start();
        std::vector<int> refused = runCountingRefusals(w);
        ASSERT_TRUE(robot.runNow()) << robot.failure();
        EXPECT_EQ(told, "Type a date like " + thisYearsLastDay("@D6"));
        EXPECT_EQ(status, statusBar ? told : "");
        EXPECT_EQ(refused, (std::vector<int>{kWhen, kCount}));
        EXPECT_EQ(fromStored(dated.when), dateFromParts(5, 17, 2030));
        EXPECT_EQ(dated.count, 3);
    }
}

TEST(InputRefusalTest, FontStylesCarryUnderlineItalicAndStrikeOut) {
    Dated dated;
    Window w(datedForm(dated, false));
    w.open();
    for (int style : {400, 700, 700 | FontUnderline, 400 | FontItalic, 400 | FontStrikeOut,
                      700 | FontItalic | FontUnderline | FontStrikeOut}) {
        w.setProperty(kClose, Prop::FontStyle, style);
        EXPECT_EQ(w.property(kClose, Prop::FontStyle).number(), style);
    }
    EXPECT_EQ(700 | FontUnderline, 8892);
    w.close();
}

TEST(InputRefusalTest, AProgramPlacesItsWindow) {
    Dated dated;
    Window w(datedForm(dated, false));
    w.open();
    w.setProperty(0, Prop::XPos, 210);
    w.setProperty(0, Prop::YPos, 95);
    EXPECT_NEAR(w.property(0, Prop::XPos).number(), 210, 1);
    EXPECT_NEAR(w.property(0, Prop::YPos).number(), 95, 1);
    w.close();
}
