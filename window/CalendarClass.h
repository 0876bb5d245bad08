#pragma once
// The date picker on its own window, "CALENDAR": opens the window, names its
// controls for CalendarBaseClass, runs the picker and closes the window.
// Owns the window for the length of one Ask. GUI thread only.

#include "window/CalendarBaseClass.h"

namespace rt {
struct WindowDeclaration;
}

// Control numbers of the "CALENDAR" window.
namespace CalendarControl {
enum : int {
    TitleBox = 1,
    BodyBox = 2,
    MonthYearTitle = 3,
    SundayHeader = 4,  // 4 .. 10: the weekday headers
    HeaderLine = 11,
    Day1 = 12,  // 12 .. 53: the day buttons, 6 weeks of 7
    Day42 = 53,
    FooterLine = 54,
    TodayButton = 55,
    CloseButton = 56,
    PrevYearButton = 57,
    PrevMonthButton = 58,
    PrevWeekButton = 59,
    NextWeekButton = 60,
    NextMonthButton = 61,
    NextYearButton = 62,
};
}  // namespace CalendarControl

class CalendarClass : public CalendarBaseClass {
  public:
    rt::DateSerial Ask(const std::string& caption, rt::DateSerial date) override;
};

// The "CALENDAR" window's declaration; its caption is set by Ask.
rt::WindowDeclaration CalendarWindow();
