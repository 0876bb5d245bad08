// What a window tells a person whose text a control's picture cannot read.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"
#include "runtime/picture/Picture.h"
#include "runtime/robot/Robot.h"
#include "runtime/text/Date.h"
#include "runtime/text/FixedText.h"

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
