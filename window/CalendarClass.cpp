#include "window/CalendarClass.h"

#include <memory>

#include "runtime/gui/Window.h"
#include "runtime/gui/WindowDeclaration.h"

using namespace CalendarControl;

namespace {

constexpr int kButtonWidth = 20, kButtonHeight = 14;
constexpr int kLeft = 4, kHeadersTop = 24, kDaysTop = 38;
constexpr int kWidth = 2 * kLeft + 7 * kButtonWidth;  // 148
constexpr int kFooterTop = kDaysTop + 6 * kButtonHeight + 6;
constexpr int kLightGrey = 0xE0E0E0;

rt::ControlDeclaration navButton(int number, const char* icon, const char* tip, int x, int y) {
    return rt::control(rt::ControlKind::Button)
        .numbered(number)
        .at(x, y, 16, 14)
        .iconName(icon)
        .tipText(tip)
        .with(rt::FlagFlat);
}

void addWeekdayHeaders(rt::WindowDeclaration& d) {
    for (int k = 0; k < 7; ++k)
        d.controls.push_back(
            rt::control(rt::ControlKind::String)
                .numbered(SundayHeader + k)
                .at(kLeft + k * kButtonWidth + 4, kHeadersTop, kButtonWidth - 4, 10));
}

void addDayButtons(rt::WindowDeclaration& d) {
    for (int n = 0; n < 42; ++n)
        d.controls.push_back(rt::control(rt::ControlKind::Button)
                                 .numbered(Day1 + n)
                                 .at(kLeft + (n % 7) * kButtonWidth,
                                     kDaysTop + (n / 7) * kButtonHeight, kButtonWidth,
                                     kButtonHeight)
                                 .font("Arial", 8)
                                 .with(rt::FlagFlat));
}

}  // namespace

rt::WindowDeclaration CalendarWindow() {
    using rt::ControlKind;
    rt::WindowDeclaration d;
    d.width = kWidth;
    d.height = kFooterTop + 20;
    d.controls = {
        rt::control(ControlKind::Box).numbered(TitleBox).at(0, 0, kWidth, 20),
        rt::control(ControlKind::Box).numbered(BodyBox).at(0, 20, kWidth, d.height - 20),
        rt::control(ControlKind::String)
            .numbered(MonthYearTitle)
            .at(38, 5, 72, 10)
            .font("MS Sans Serif", 9),
    };
    d.controls.front().background = kLightGrey;
    addWeekdayHeaders(d);
    d.controls.push_back(rt::control(ControlKind::Line)
                             .numbered(HeaderLine)
                             .at(kLeft, kDaysTop - 3, 7 * kButtonWidth, 1));
    addDayButtons(d);
    d.controls.push_back(rt::control(ControlKind::Line)
                             .numbered(FooterLine)
                             .at(kLeft, kFooterTop - 3, 7 * kButtonWidth, 1));
    d.controls.push_back(rt::control(ControlKind::Button, "&Today")
                             .numbered(TodayButton)
                             .at(24, kFooterTop, 48, 14));
    d.controls.push_back(rt::control(ControlKind::Button, "&Close")
                             .numbered(CloseButton)
                             .at(76, kFooterTop, 48, 14));
    d.controls.push_back(navButton(PrevYearButton, "VCRFIRST.ICO", "Previous Year", 2, 3));
    d.controls.push_back(navButton(PrevMonthButton, "VCRPRIOR.ICO", "Previous Month", 19, 3));
    d.controls.push_back(
        navButton(PrevWeekButton, "VCRUP.ICO", "Previous Week", kLeft, kFooterTop));
    d.controls.push_back(
        navButton(NextWeekButton, "VCRDOWN.ICO", "Next Week", kWidth - kLeft - 16, kFooterTop));
    d.controls.push_back(navButton(NextMonthButton, "VCRNEXT.ICO", "Next Month", kWidth - 35, 3));
    d.controls.push_back(navButton(NextYearButton, "VCRLAST.ICO", "Next Year", kWidth - 18, 3));
    return d;
}

rt::DateSerial CalendarClass::Ask(const std::string& caption, rt::DateSerial date) {
    auto window = std::make_unique<rt::Window>(CalendarWindow());
    window->open();
    MyWindow = window.get();
    CtrlTitleBG = CalendarControl::TitleBox;
    CtrlBodyBG = CalendarControl::BodyBox;
    CtrlMonthYear = CalendarControl::MonthYearTitle;
    CtrlSun = CalendarControl::SundayHeader;
    CtrlDay1 = CalendarControl::Day1;
    CtrlDay42 = CalendarControl::Day42;
    CtrlToday = CalendarControl::TodayButton;
    CtrlExit = CalendarControl::CloseButton;
    CtrlPrevYear = CalendarControl::PrevYearButton;
    CtrlPrevMonth = CalendarControl::PrevMonthButton;
    CtrlLess7 = CalendarControl::PrevWeekButton;
    CtrlMore7 = CalendarControl::NextWeekButton;
    CtrlNextMonth = CalendarControl::NextMonthButton;
    CtrlNextYear = CalendarControl::NextYearButton;
    CtrlMore15 = CtrlLess15 = CtrlCurrTime = CtrlTheDate = 0;
    rt::DateSerial result = CalendarBaseClass::Ask(caption, date);
    window->close();
    MyWindow = nullptr;
    return result;
}
