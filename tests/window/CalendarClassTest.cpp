// The date picker as a person uses it: the month shown (checked against the
// standard library's calendar), clicking a day, Close, the arrow keys, the
// month and year buttons, Today, Enter, placement and the hooks.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"
#include "runtime/gui/WindowDeclaration.h"
#include "runtime/picture/Picture.h"
#include "runtime/robot/Robot.h"
#include "tests/support/TempDir.h"
#include "tests/window/CalendarOracle.h"
#include "window/CalendarClass.h"

using namespace calendaroracle;
using namespace CalendarControl;

namespace {

const std::string kCaption = "Select a Date";
constexpr int kRed = 255, kBlack = 0, kGreen = 0x8000;
constexpr int kWorkingDayStyle = 8892, kNormalStyle = 400;

class TestPicker : public CalendarClass {
  public:
    void Setup() override { FirstWeekDay = firstWeekDay; }
    bool IsHoliday(int, int, int, rt::DateSerial date) override { return holidays.count(date); }

    int firstWeekDay = 7;
    std::set<rt::DateSerial> holidays;
};

// The day numbers the window shows on its 42 buttons, 0 for a hidden one.
std::array<int, 42> shownDays(const rt::Window& w) {
    std::array<int, 42> days{};
    for (int n = 0; n < 42; ++n)
        if (w.property(Day1 + n, rt::Prop::Visible).number() != 0)
            days[static_cast<std::size_t>(n)] = std::stoi(w.text(Day1 + n));
    return days;
}

int dayButton(year_month_day date, int firstWeekDay = 7) {
    return Day1 + buttonOf(date, firstWeekDay);
}

std::string monthTitle(year_month_day date) {
    static const char* names[] = {"January",   "February", "March",    "April",
                                  "May",       "June",     "July",     "August",
                                  "September", "October",  "November", "December"};
    return std::string(names[unsigned{date.month()} - 1]) + " " +
           std::to_string(static_cast<int>(date.year()));
}

int number(const rt::Window& w, int control, rt::Prop prop) {
    return static_cast<int>(w.property(control, prop).number());
}

class CalendarClassTest : public testing::Test {
  protected:
    // Runs the picker from start with the robot's script alongside.
    rt::DateSerial ask(rt::Robot& robot, rt::DateSerial start,
                       const std::string& caption = kCaption) {
        robot.start();
        rt::DateSerial result = picker.Ask(caption, start);
        EXPECT_TRUE(robot.runNow()) << robot.failure();
        return result;
    }

    PinnedClock clock;
    TestPicker picker;
};

}  // namespace

TEST_F(CalendarClassTest, ClickingADayReturnsItWithResponseOne) {
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .check("March 2026 is shown",
               [](rt::Window& w) { return w.text(MonthYearTitle) == "March 2026"; })
        .press(dayButton(2026y / March / 20));
    rt::DateSerial result = ask(robot, serialOf(2026y / March / 15));
    EXPECT_EQ(result, serialOf(2026y / March / 20));
    EXPECT_EQ(picker.Response, 1);
    EXPECT_EQ(picker.SelectedDate, result);
}

TEST_F(CalendarClassTest, CloseReturnsTheStartDateUnlessSelectOnCloseIsSet) {
    for (bool selectOnClose : {false, true}) {
        SCOPED_TRACE(selectOnClose ? "SelectOnClose" : "no SelectOnClose");
        picker.SelectOnClose = selectOnClose;
        rt::Robot robot;
        robot.waitForWindow(kCaption)
            .key(rt::RightKey)
            .key(rt::RightKey)
            .key(rt::DownKey)
            .key(rt::UpKey)
            .key(rt::DownKey)
            .key(rt::LeftKey)
            .check("the focus went back to Close",
                   [](rt::Window& w) { return w.focus() == CloseButton; })
            .press(CloseButton);
        rt::DateSerial start = serialOf(2026y / March / 15);
        rt::DateSerial result = ask(robot, start);
        // +1 +1 +7 -7 +7 -1 = +8 days.
        EXPECT_EQ(result, selectOnClose ? serialOf(2026y / March / 23) : start);
        EXPECT_EQ(picker.Response, selectOnClose ? 1 : 2);
        EXPECT_EQ(picker.SelectedDate, result);
    }
}

TEST_F(CalendarClassTest, ClosingTheWindowOtherwiseCancels) {
    picker.SelectOnClose = 1;
    rt::Robot robot;
    robot.waitForWindow(kCaption).key(rt::RightKey).closeWindow();
    rt::DateSerial start = serialOf(2027y / July / 4);
    EXPECT_EQ(ask(robot, start), start);
    EXPECT_EQ(picker.Response, 2);
}

TEST_F(CalendarClassTest, NoDateAndDatesOutside1801To2099StartOnToday) {
    const year_month_day today = kPinnedToday;
    for (rt::DateSerial start : {rt::DateSerial{0}, serialOf(2100y / January / 1),
                                 rt::DateSerial{3}, rt::DateSerial{-5}}) {
        SCOPED_TRACE(start);
        picker.SelectOnClose = 1;
        rt::Robot robot;
        robot.waitForWindow(kCaption)
            .check("today's month with today highlighted",
                   [&](rt::Window& w) {
                       return w.text(MonthYearTitle) == monthTitle(today) &&
                              number(w, dayButton(today), rt::Prop::FontStyle) == kWorkingDayStyle;
                   })
            .press(CloseButton);
        EXPECT_EQ(ask(robot, start), serialOf(today));
    }
}

TEST_F(CalendarClassTest, MonthAndYearStepsKeepTheDayOrTakeTheFirst) {
    struct Row {
        year_month_day start;
        int button;
        year_month_day expected;
    };
    picker.SelectOnClose = 1;
    for (Row row : {Row{2026y / January / 31, NextMonthButton, 2026y / February / 1},
                    Row{2028y / February / 29, NextYearButton, 2029y / February / 1},
                    Row{2028y / February / 29, PrevYearButton, 2027y / February / 1},
                    Row{2026y / March / 31, PrevMonthButton, 2026y / February / 1},
                    Row{2026y / December / 15, NextMonthButton, 2027y / January / 15},
                    Row{2026y / January / 15, PrevMonthButton, 2025y / December / 15},
                    Row{2026y / January / 15, NextWeekButton, 2026y / January / 22},
                    Row{2026y / January / 5, PrevWeekButton, 2025y / December / 29}}) {
        SCOPED_TRACE(row.button);
        rt::Robot robot;
        robot.waitForWindow(kCaption)
            .press(row.button)
            .check(
                "the new month is shown",
                [&](rt::Window& w) { return w.text(MonthYearTitle) == monthTitle(row.expected); })
            .press(CloseButton);
        EXPECT_EQ(ask(robot, serialOf(row.start)), serialOf(row.expected));
    }
}

TEST_F(CalendarClassTest, TodayMovesToTodaysMonth) {
    const year_month_day today = kPinnedToday;
    picker.SelectOnClose = 1;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .press(TodayButton)
        .check("today's month",
               [&](rt::Window& w) { return w.text(MonthYearTitle) == monthTitle(today); })
        .press(CloseButton);
    EXPECT_EQ(ask(robot, serialOf(1999y / June / 1)), serialOf(today));
}

TEST_F(CalendarClassTest, LeapFebruariesShow29DaysAndHideTheOther13Buttons) {
    struct Row {
        year_month month;
        int days;
    };
    for (Row row : {Row{2028y / February, 29}, Row{2000y / February, 29}, Row{1900y / February, 28},
                    Row{2027y / February, 28}, Row{1804y / February, 29}}) {
        std::array<int, 42> seen{};
        rt::Robot robot;
        robot.waitForWindow(kCaption)
            .run("read the buttons", [&](rt::Window& w) { seen = shownDays(w); })
            .press(CloseButton);
        ask(robot, serialOf(row.month / day{10}));
        int shown = 0;
        for (int d : seen) shown += d != 0;
        EXPECT_EQ(shown, row.days) << static_cast<int>(row.month.year());
        EXPECT_EQ(seen, expectedButtons(row.month, 7)) << static_cast<int>(row.month.year());
    }
}

TEST_F(CalendarClassTest, TheWindowDrawsMonthsAsTheStandardCalendarDoes) {
    // Two years a month at a time with each first weekday, and both ends of
    // the picker's range; every month's layout is checked on its own over
    // all 299 years by CalendarMonthTest.
    for (int firstWeekDay : {7, 1}) {
        for (year_month first : {2027y / January, 1801y / January, 2098y / January}) {
            picker.firstWeekDay = firstWeekDay;
            std::vector<std::array<int, 42>> seen;
            std::vector<std::string> titles;
            rt::Robot robot;
            robot.waitForWindow(kCaption);
            for (int i = 0; i < 24; ++i) {
                robot.run("read the month", [&](rt::Window& w) {
                    seen.push_back(shownDays(w));
                    titles.push_back(w.text(MonthYearTitle));
                });
                if (i < 23) robot.press(NextMonthButton);
            }
            robot.press(CloseButton);
            ask(robot, serialOf(first / day{1}));
            ASSERT_EQ(seen.size(), 24u);
            year_month m = first;
            for (int i = 0; i < 24; ++i, m += months{1}) {
                EXPECT_EQ(titles[static_cast<std::size_t>(i)], monthTitle(m / day{1}));
                EXPECT_EQ(seen[static_cast<std::size_t>(i)], expectedButtons(m, firstWeekDay))
                    << titles[static_cast<std::size_t>(i)] << ", weeks from " << firstWeekDay;
            }
        }
    }
}

TEST_F(CalendarClassTest, HeadersAndColoursFollowTheFirstWeekDay) {
    for (int firstWeekDay : {7, 1}) {
        picker.firstWeekDay = firstWeekDay;
        picker.holidays = {serialOf(2026y / December / 25)};
        std::vector<std::string> headers;
        std::map<int, int> colors;  // day -> colour
        rt::Robot robot;
        robot.waitForWindow(kCaption)
            .run("read headers and colours",
                 [&](rt::Window& w) {
                     for (int k = 0; k < 7; ++k) headers.push_back(w.text(SundayHeader + k));
                     for (int n = 0; n < 42; ++n)
                         if (number(w, Day1 + n, rt::Prop::Visible))
                             colors[std::stoi(w.text(Day1 + n))] =
                                 number(w, Day1 + n, rt::Prop::FontColor);
                 })
            .press(CloseButton);
        ask(robot, serialOf(2026y / December / 1));
        if (firstWeekDay == 7) {
            EXPECT_EQ(headers,
                      (std::vector<std::string>{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}));
        } else {
            EXPECT_EQ(headers,
                      (std::vector<std::string>{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}));
        }
        ASSERT_EQ(colors.size(), 31u);
        for (auto [d, color] : colors) {
            weekday wd{sys_days{2026y / December / day{static_cast<unsigned>(d)}}};
            int expected = (wd == Sunday || wd == Saturday) ? kRed : kBlack;
            if (d == 25) expected = kGreen;
            EXPECT_EQ(color, expected) << "December " << d;
        }
    }
}

TEST_F(CalendarClassTest, WithinAMonthOnlyTheHighlightMoves) {
    // A mark the picker did not make survives a move within the month and
    // is drawn over when the month changes.
    const int marked = dayButton(2026y / May / 20), from = dayButton(2026y / May / 14),
              to = dayButton(2026y / May / 15);
    constexpr int kBlue = 0xFF0000;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .run("mark a day",
             [&](rt::Window& w) { w.setProperty(marked, rt::Prop::FontColor, kBlue); })
        .key(rt::RightKey)
        .check("the highlight moved and the mark stayed",
               [&](rt::Window& w) {
                   return number(w, to, rt::Prop::FontStyle) == kWorkingDayStyle &&
                          number(w, from, rt::Prop::FontStyle) == kNormalStyle &&
                          w.text(from) == "14" && number(w, marked, rt::Prop::FontColor) == kBlue;
               })
        .press(NextMonthButton)
        .press(PrevMonthButton)
        .check("the whole month was drawn again",
               [&](rt::Window& w) { return number(w, marked, rt::Prop::FontColor) == kBlack; })
        .press(CloseButton);
    ask(robot, serialOf(2026y / May / 14));
}

TEST_F(CalendarClassTest, DayNumbersShowWithTwoDigits) {
    std::string first, last;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .run("read the 1st and the 31st",
             [&](rt::Window& w) {
                 first = w.text(dayButton(2026y / May / 1));
                 last = w.text(dayButton(2026y / May / 31));
             })
        .press(CloseButton);
    ask(robot, serialOf(2026y / May / 14));
    EXPECT_EQ(first, "01");
    EXPECT_EQ(last, "31");
}

TEST_F(CalendarClassTest, EnterMovesOnLikeTabButClosesOnClose) {
    picker.SelectOnClose = 1;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .key(rt::EnterKey, TodayButton)
        .check("Enter moved to Close", [](rt::Window& w) { return w.focus() == CloseButton; })
        .key(rt::EnterKey, dayButton(2026y / May / 2))
        .check("Enter moved to the next day, which selected it",
               [](rt::Window& w) { return w.focus() == dayButton(2026y / May / 3); })
        .key(rt::EnterKey, CloseButton);
    EXPECT_EQ(ask(robot, serialOf(2026y / May / 14)), serialOf(2026y / May / 3));
    EXPECT_EQ(picker.Response, 1);
}

TEST_F(CalendarClassTest, StepsBeyond1801Or2099StayPut) {
    picker.SelectOnClose = 1;
    for (auto [start, button, key] :
         {std::tuple{1801y / January / 1, PrevYearButton, int{rt::LeftKey}},
          std::tuple{2099y / December / 31, NextMonthButton, int{rt::RightKey}}}) {
        rt::Robot robot;
        robot.waitForWindow(kCaption)
            .key(key)
            .press(button)
            .key(key == rt::LeftKey ? rt::UpKey : rt::DownKey)
            .check("still the same month",
                   [&](rt::Window& w) { return w.text(MonthYearTitle) == monthTitle(start); })
            .press(CloseButton);
        EXPECT_EQ(ask(robot, serialOf(start)), serialOf(start));
    }
}

TEST_F(CalendarClassTest, PlacementAndCaption) {
    int x = 0, y = 0, width = 0;
    std::string caption;
    picker.XPos = 300;
    picker.YPos = 120;
    rt::Robot robot;
    robot.waitForWindow("  Pick a day  ")
        .run("note where the window is",
             [&](rt::Window& w) {
                 x = number(w, 0, rt::Prop::XPos);
                 y = number(w, 0, rt::Prop::YPos);
                 width = number(w, 0, rt::Prop::Width);
                 caption = w.caption();
             })
        .press(CloseButton);
    ask(robot, serialOf(2026y / May / 14), "  Pick a day  ");
    EXPECT_NEAR(x, 300, 1);
    EXPECT_NEAR(y, 120, 1);
    EXPECT_EQ(caption, "  Pick a day") << "the caption is right-trimmed";
    EXPECT_EQ(picker.XPos, 0);
    EXPECT_EQ(picker.YPos, 0);

    picker.XPos = 400;
    picker.RightAlignment = 1;
    rt::Robot right;
    right.waitForWindow(kCaption)
        .run("note the left edge", [&](rt::Window& w) { x = number(w, 0, rt::Prop::XPos); })
        .press(CloseButton);
    ask(right, serialOf(2026y / May / 14));
    EXPECT_NEAR(x, 400 - width, 1);
}

TEST_F(CalendarClassTest, TheBaseRunsOnAnyWindowWithItsControls) {
    // A window of its own with the 15-day steps, the working date and the
    // time, and no Close button: a clicked day ends it.
    enum { Title = 1, TheDateString = 2, TimeString = 3, Less15 = 4, More15 = 5, FirstDay = 6 };
    rt::WindowDeclaration d;
    d.caption = "Own window";
    d.width = 160;
    d.height = 140;
    d.controls = {rt::control(rt::ControlKind::String).at(4, 4, 100, 10),
                  rt::control(rt::ControlKind::String).at(4, 16, 150, 10),
                  rt::control(rt::ControlKind::String).at(110, 4, 46, 10),
                  rt::control(rt::ControlKind::Button, "-15").at(4, 28, 30, 12),
                  rt::control(rt::ControlKind::Button, "+15").at(40, 28, 30, 12)};
    for (int n = 0; n < 42; ++n)
        d.controls.push_back(
            rt::control(rt::ControlKind::Button).at(4 + (n % 7) * 20, 44 + (n / 7) * 14, 20, 14));
    rt::Window window(d);
    window.open();
    CalendarBaseClass base;
    base.MyWindow = &window;
    base.CtrlMonthYear = Title;
    base.CtrlTheDate = TheDateString;
    base.CtrlCurrTime = TimeString;
    base.CtrlLess15 = Less15;
    base.CtrlMore15 = More15;
    base.CtrlDay1 = FirstDay;
    base.CtrlDay42 = FirstDay + 41;
    std::string dateText, timeText;
    rt::Robot robot;
    robot.waitForWindow("Own window")
        .press(More15)
        .press(More15)
        .check("a month later", [](rt::Window& w) { return w.text(Title) == "February 2026"; })
        .press(Less15)
        .run("read the date and the time",
             [&](rt::Window& w) {
                 dateText = w.text(TheDateString);
                 timeText = w.text(TimeString);
             })
        .press(FirstDay + buttonOf(2026y / February / 9, 7));
    robot.start();
    rt::DateSerial result = base.Ask("Own window", serialOf(2026y / January / 20));
    EXPECT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(result, serialOf(2026y / February / 9));
    EXPECT_EQ(base.Response, 1);
    EXPECT_EQ(dateText, rt::format(rt::Value(serialOf(2026y / February / 4)), "@d18"));
    EXPECT_FALSE(timeText.empty());
}

TEST_F(CalendarClassTest, ScreenshotOfFebruary2028) {
    rt::Robot robot;
    robot.screenshotFolder(testsupport::outputDir().string())
        .waitForWindow(kCaption)
        .screenshot("date-picker-february-2028.png")
        .press(CloseButton);
    ask(robot, serialOf(2028y / February / 29));
    EXPECT_TRUE(
        std::filesystem::exists(testsupport::outputDir() / "date-picker-february-2028.png"));
}

TEST_F(CalendarClassTest, OnlySetupChoosesTheFirstWeekDayAndNonsenseMeansSunday) {
    struct Row {
        int fromSetup;
        std::string firstHeader;
    };
    for (Row row : {Row{0, "Sun"}, Row{9, "Sun"}, Row{3, "Wed"}}) {
        picker.firstWeekDay = row.fromSetup;
        std::string header;
        rt::Robot robot;
        robot.waitForWindow(kCaption)
            .run("read the first header", [&](rt::Window& w) { header = w.text(SundayHeader); })
            .press(CloseButton);
        ask(robot, serialOf(2026y / May / 14));
        EXPECT_EQ(header, row.firstHeader) << row.fromSetup;
    }
    // A value set before Ask does not count: Ask starts from Sunday.
    CalendarClass plain;
    plain.FirstWeekDay = 1;
    std::string header;
    rt::Robot robot;
    robot.waitForWindow(kCaption)
        .run("read the first header", [&](rt::Window& w) { header = w.text(SundayHeader); })
        .press(CloseButton);
    robot.start();
    plain.Ask(kCaption, serialOf(2026y / May / 14));
    EXPECT_TRUE(robot.runNow()) << robot.failure();
    EXPECT_EQ(header, "Sun");
}
