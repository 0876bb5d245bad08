// The list control as the browse uses it: format, rows, clicks with their key
// codes, header cells, and the page-loaded mode that reports scrolling.
#include <gtest/gtest.h>

#include <algorithm>

#include "runtime/controls/ListFormat.h"
#include "runtime/gui/Window.h"
#include "runtime/robot/Robot.h"
#include "tests/support/TempDir.h"

using namespace rt;

namespace {

constexpr char kFormat[] =
    "150L(2)|M~Title~@s80@150L(2)|M~Location/URL~@s254@123L(2)|M~User "
    "Name~@s65@69L(2)|M~Password~@s10@";

enum { kList = 1, kClose = 2 };

WindowDeclaration listWindow(unsigned flags) {
    WindowDeclaration d;
    d.caption = "List";
    d.width = 300;
    d.height = 140;
    d.controls = {
        control(ControlKind::List).at(4, 4, 290, 110).listFormat(kFormat).with(flags),
        control(ControlKind::Button, "Close").at(4, 120, 40, 14),
    };
    return d;
}

std::vector<std::vector<Value>> rows(int n) {
    std::vector<std::vector<Value>> r;
    for (int i = 1; i <= n; ++i)
        r.push_back({Value("Title " + std::to_string(i)), Value("http://x/" + std::to_string(i)),
                     Value("user"), Value("pw")});
    return r;
}

bool has(const std::vector<WindowEvent>& events, int event, int control, int key = -1) {
    return std::any_of(events.begin(), events.end(), [&](const WindowEvent& e) {
        return e.event == event && e.control == control && (key < 0 || e.key == key);
    });
}

std::vector<WindowEvent> runUntilClose(Window& w) {
    std::vector<WindowEvent> events;
    while (WindowEvent e = w.accept()) {
        events.push_back(e);
        if (e.event == EventAccepted && e.control == kClose) w.close();
    }
    return events;
}

}  // namespace

TEST(ListFormatTest, ReadsWidthsAlignmentIndentBordersHeadersAndPictures) {
    ListFormat f = ListFormat::parse(kFormat);
    ASSERT_EQ(f.columns().size(), 4u);
    const ListColumn& first = f.columns()[0];
    EXPECT_EQ(first.width, 150);
    EXPECT_EQ(first.align, ColumnAlign::Left);
    EXPECT_EQ(first.indent, 2);
    EXPECT_TRUE(first.rightBorder);
    EXPECT_TRUE(first.resizable);
    EXPECT_EQ(first.header, "Title");
    EXPECT_EQ(first.picture, "@s80");
    EXPECT_EQ(f.columns()[1].header, "Location/URL");
    EXPECT_EQ(f.columns()[3].width, 69);
    EXPECT_EQ(f.columns()[3].picture, "@s10");
}

TEST(ListFormatTest, OddFormsAndMalformedTails) {
    struct Row {
        const char* format;
        size_t columns;
        ColumnAlign align;
        const char* header;
    };
    const Row table[] = {
        {"", 0, ColumnAlign::Left, ""},
        {"40R~Amount~C(0)@n10.2@", 1, ColumnAlign::Right, "Amount"},
        {"20C|~Mid~", 1, ColumnAlign::Center, "Mid"},
        {"30L~Open header", 0, ColumnAlign::Left, ""},       // unterminated header: dropped
        {"30L~A~@s5@40L~B~@s5", 1, ColumnAlign::Left, "A"},  // second picture unterminated
    };
    for (const Row& row : table) {
        ListFormat f = ListFormat::parse(row.format);
        ASSERT_EQ(f.columns().size(), row.columns) << row.format;
        if (row.columns == 0) continue;
        EXPECT_EQ(f.columns()[0].align, row.align) << row.format;
        EXPECT_EQ(f.columns()[0].header, row.header) << row.format;
    }
    // Widths and indents of absurd length saturate instead of overflowing.
    ListFormat huge = ListFormat::parse("11111111111111111111L(99999999999999)~H~");
    ASSERT_EQ(huge.columns().size(), 1u);
    EXPECT_EQ(huge.columns()[0].width, 1000000);
    EXPECT_EQ(huge.columns()[0].indent, 1000000);
    EXPECT_EQ(huge.columns()[0].header, "H");
}

TEST(ListControlTest, ShowsExactlyTheGivenRowsThroughTheColumnsFormat) {
    Window w(listWindow(FlagVScroll));
    w.setListRows(kList, rows(3));
    EXPECT_EQ(w.listRowCount(kList), 3);
    EXPECT_EQ(w.listCell(kList, 2, 1), "Title 2");
    EXPECT_EQ(w.listCell(kList, 3, 2), "http://x/3");
    EXPECT_EQ(w.property(kList, Prop::Columns).number(), 4);
    EXPECT_EQ(w.property(kList, Prop::HeaderText, 2).text(), "Location/URL");
    EXPECT_EQ(w.property(kList, Prop::ColumnWidth, 1).number(), 150);
    w.setProperty(kList, Prop::HeaderText, Value("Title[+]"), 1);
    EXPECT_EQ(w.property(kList, Prop::HeaderText, 1).text(), "Title[+]");
    w.setProperty(kList, Prop::Selected, 2);
    EXPECT_EQ(w.property(kList, Prop::Selected).number(), 2);
    // Fewer rows keep the highlight on the last row there is.
    w.setListRows(kList, rows(1));
    EXPECT_EQ(w.property(kList, Prop::Selected).number(), 1);
    w.setListRows(kList, {});
    EXPECT_EQ(w.property(kList, Prop::Selected).number(), 0);
}

TEST(ListControlTest, AListWithMoreRowsThanFitShowsTheRowAskedForAtTheTop) {
    Window w(listWindow(FlagVScroll));
    w.setListRows(kList, rows(60));
    w.open();
    EXPECT_EQ(w.property(kList, Prop::FirstShown).number(), 1);
    w.setProperty(kList, Prop::FirstShown, 20);
    EXPECT_EQ(w.property(kList, Prop::FirstShown).number(), 20);
    w.close();
}

TEST(ListControlTest, ClicksSelectRowsAndCarryTheirModifierKeyCodes) {
    Window w(listWindow(FlagVScroll));
    w.setListRows(kList, rows(5));
    Robot robot;
    robot.waitForWindow("List")
        .clickRow(kList, 2)
        .clickRow(kList, 4, KeyCtrl)
        .clickRow(kList, 3, KeyShift)
        .check("row 3 is highlighted",
               [](Window& w) { return w.property(kList, Prop::Selected).number() == 3; })
        .press(kClose)
        .start();
    auto events = runUntilClose(w);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_TRUE(has(events, EventNewSelection, kList, MouseLeft));
    EXPECT_TRUE(has(events, EventNewSelection, kList, MouseLeft + KeyCtrl));
    EXPECT_TRUE(has(events, EventNewSelection, kList, MouseLeft + KeyShift));
}

TEST(ListControlTest, AlertedClicksReportRowColumnAndZoneUnderTheMouse) {
    Window w(listWindow(FlagVScroll));
    w.setListRows(kList, rows(5));
    w.alert(MouseLeft, kList);
    w.alert(MouseLeft2, kList);
    w.alert(MouseRightUp, kList);
    Robot robot;
    robot.waitForWindow("List")
        .clickHeader(kList, 2)
        .doubleClickRow(kList, 3)
        .rightClick(kList, 4)
        .press(kClose)
        .start();
    struct Seen {
        int key, row, column, zone;
    };
    std::vector<Seen> alerts;
    while (WindowEvent e = w.accept()) {
        if (e.event == EventAlertKey)
            alerts.push_back({e.key, static_cast<int>(w.property(kList, Prop::MouseRow).number()),
                              static_cast<int>(w.property(kList, Prop::MouseColumn).number()),
                              static_cast<int>(w.property(kList, Prop::MouseZone).number())});
        if (e.event == EventAccepted && e.control == kClose) w.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    ASSERT_GE(alerts.size(), 3u);
    EXPECT_EQ(alerts[0].key, MouseLeft);
    EXPECT_EQ(alerts[0].row, 0);  // the header
    EXPECT_EQ(alerts[0].column, 2);
    EXPECT_EQ(alerts[0].zone, 2);
    auto dbl = std::find_if(alerts.begin(), alerts.end(),
                            [](const Seen& s) { return s.key == MouseLeft2; });
    ASSERT_NE(dbl, alerts.end());
    EXPECT_EQ(dbl->row, 3);
    EXPECT_EQ(alerts.back().key, MouseRightUp);
    EXPECT_EQ(alerts.back().row, 4);
    EXPECT_GT(w.property(kList, Prop::HeaderHeight).number(), 0);
}

TEST(ListControlTest, PageLoadedListReportsScrollingInsteadOfScrolling) {
    Window w(listWindow(FlagVScroll | FlagPageLoaded));
    w.setListRows(kList, rows(4));
    w.setProperty(kList, Prop::Selected, 1);
    Robot robot;
    robot.waitForWindow("List")
        .key(DownKey, kList)
        .key(UpKey, kList)
        .key(PgDnKey, kList)
        .key(PgUpKey, kList)
        .key(CtrlHome, kList)
        .key(CtrlEnd, kList)
        .wheel(kList, -2)
        .press(kClose)
        .start();
    auto events = runUntilClose(w);
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    for (int e : {EventScrollDown, EventScrollUp, EventPageDown, EventPageUp, EventScrollTop,
                  EventScrollBottom})
        EXPECT_TRUE(has(events, e, kList)) << e;
    long downs = std::count_if(events.begin(), events.end(),
                               [](const WindowEvent& e) { return e.event == EventScrollDown; });
    EXPECT_EQ(downs, 3);  // the Down key and two wheel notches
    // The highlight did not move by itself: the program decides.
    EXPECT_EQ(w.property(kList, Prop::Selected).number(), 1);
}

TEST(ListControlTest, PageLoadedListReportsTypedCharactersAsAlertKeys) {
    Window w(listWindow(FlagVScroll | FlagPageLoaded));
    w.setListRows(kList, rows(4));
    w.setProperty(kList, Prop::Selected, 2);
    std::vector<WindowEvent> typed;
    Robot robot;
    robot.waitForWindow("List")
        .typeKeys(kList, "b7É/")
        .key(keyFor('B') + KeyCtrl, kList)
        .press(kClose)
        .start();
    for (WindowEvent e = w.accept(); e; e = w.accept()) {
        if (e.event == EventAlertKey) typed.push_back(e);
        if (e.event == EventAccepted && e.control == kClose) w.close();
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    ASSERT_EQ(typed.size(), 4u) << "Ctrl+B types nothing";
    EXPECT_EQ(typed[0].character, U'b');
    EXPECT_EQ(typed[0].key, keyFor('B'));
    EXPECT_EQ(typed[1].character, U'7');
    EXPECT_EQ(typed[2].character, U'É') << "a letter outside ASCII has no key code of its own";
    EXPECT_EQ(typed[3].character, U'/');
    for (const WindowEvent& e : typed) EXPECT_EQ(e.control, kList);
    EXPECT_EQ(w.property(kList, Prop::Selected).number(), 2) << "no search among the rows";
}

TEST(ListControlTest, AListWithASourceShowsItWheneverItIsDisplayed) {
    Window w(listWindow(FlagVScroll | FlagPageLoaded));
    w.open();
    int n = 2;
    w.setListRowsSource(kList, [&n] { return rows(n); });
    EXPECT_EQ(w.listRowCount(kList), 0) << "shown at the next display";
    w.display(kList);
    EXPECT_EQ(w.listRowCount(kList), 2);
    n = 3;
    w.display();
    EXPECT_EQ(w.listRowCount(kList), 3);
    EXPECT_EQ(w.listCell(kList, 3, 1), "Title 3");
    w.setListRowsSource(kList, {});
    n = 1;
    w.display();
    EXPECT_EQ(w.listRowCount(kList), 3);
    w.close();
}

// A page that slides by one row keeps its row count: every row shows its
// new values, the highlight stays on its row and no selection is reported.
TEST(ListControlTest, ASourceWithAsManyRowsShowsTheChangedRowsAndKeepsTheHighlight) {
    Window w(listWindow(FlagVScroll | FlagPageLoaded));
    w.open();
    int first = 1;
    w.setListRowsSource(kList, [&first] {
        std::vector<std::vector<Value>> r = rows(first + 3);
        r.erase(r.begin(), r.begin() + (first - 1));
        return r;
    });
    w.display(kList);
    w.setProperty(kList, Prop::Selected, 3);
    first = 2;
    w.display(kList);
    EXPECT_EQ(w.listRowCount(kList), 4);
    for (int row = 1; row <= 4; ++row)
        EXPECT_EQ(w.listCell(kList, row, 1), "Title " + std::to_string(row + 1));
    EXPECT_EQ(w.listCell(kList, 4, 2), "http://x/5");
    EXPECT_EQ(w.property(kList, Prop::Selected).number(), 3);
    w.setListRows(kList, rows(4));
    EXPECT_EQ(w.listCell(kList, 1, 1), "Title 1") << "rows handed over replace the source's";
    w.display(kList);
    EXPECT_EQ(w.listCell(kList, 1, 1), "Title 2") << "the source's rows come back at a display";
    std::vector<WindowEvent> events;
    while (WindowEvent e = w.poll()) events.push_back(e);
    EXPECT_FALSE(has(events, EventNewSelection, kList));
    w.close();
}

TEST(ListControlTest, PageLoadedThumbIsTheProgramsToPlaceAndShow) {
    Window w(listWindow(FlagVScroll | FlagPageLoaded));
    w.open();
    EXPECT_EQ(w.property(kList, Prop::VScroll).number(), 1);
    w.setProperty(kList, Prop::ScrollPos, 40);
    EXPECT_EQ(w.property(kList, Prop::ScrollPos).number(), 40);
    w.setProperty(kList, Prop::ScrollPos, 250);
    EXPECT_EQ(w.property(kList, Prop::ScrollPos).number(), 100);
    w.setProperty(kList, Prop::VScroll, 0);
    EXPECT_EQ(w.property(kList, Prop::VScroll).number(), 0);
    EXPECT_GE(w.property(kList, Prop::Items).number(), 5);
    w.close();
}

TEST(ListControlTest, ACredentialListIsPicturedWithItsButtonsAndStatusBar) {
    WindowDeclaration d;
    d.caption = "Password Lockora";
    d.width = 520;
    d.height = 200;
    d.resizable = true;
    d.statusZones = {200, 100, -1};
    d.controls = {
        control(ControlKind::Group).at(4, 2, 512, 36),
        control(ControlKind::Button, "&Add")
            .at(8, 8, 73, 26)
            .iconName("Add.ico")
            .tipText("Insert a Record"),
        control(ControlKind::Button, "&Change").at(84, 8, 73, 26).iconName("Refresh.ico"),
        control(ControlKind::Button, "&Delete").at(160, 8, 73, 26).iconName("delete.ico"),
        control(ControlKind::List)
            .at(4, 42, 512, 150)
            .listFormat(kFormat)
            .with(FlagVScroll | FlagPageLoaded),
    };
    Window w(d);
    w.setListRows(5, rows(6));
    w.setProperty(5, Prop::Selected, 2);
    w.setStatusText(2, "December 7, 2026");
    w.setStatusText(3, "6:30:00AM");
    Robot robot;
    robot.screenshotFolder(testsupport::outputDir().string())
        .waitForWindow("Password Lockora")
        .screenshot("list-credentials.png")
        .closeWindow()
        .start();
    while (w.accept()) {
    }
    ASSERT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_GT(testsupport::readFile(testsupport::outputDir() / "list-credentials.png").size(),
              100u);
}
