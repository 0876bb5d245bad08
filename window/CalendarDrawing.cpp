// The picker's month drawing: the title, the 42 day buttons with their
// colours and the highlighted working day.
#include "runtime/text/FixedText.h"
#include "runtime/picture/Picture.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"
#include "window/CalendarBaseClass.h"

namespace {

// The month names in slots of 10 characters, right-trimmed when used.
constexpr const char* kMonthNames =
    "January   February  March     April     May       June      "
    "July      August    September October   November  December  ";

constexpr int kDayButtons = 42;
constexpr int kNormalStyle = rt::FontWeightNormal;
constexpr int kWorkingDayStyle = rt::FontWeightBold | rt::FontUnderline;  // 8892

std::string monthName(int month) {
    return rt::rightTrim(std::string(kMonthNames + 10 * (month - 1), 10));
}

std::string dayText(int day) {
    return rt::rightTrim(rt::format(rt::Value(day), "P##P"));
}

}  // namespace

// Within the drawn month only the highlight moves; another month is drawn
// whole.
void CalendarBaseClass::DoUpdateScreen() {
    int month = rt::dateMonth(TheDate), year = rt::dateYear(TheDate);
    if (month == drawnMonth_ && year == drawnYear_) {
        moveHighlight();
    } else {
        drawMonth(calendarMonth(TheDate, FirstWeekDay));
    }
    highlighted_ = TheDate;
    showBoundTexts();
}

void CalendarBaseClass::moveHighlight() {
    if (CtrlDay1 == 0) return;
    int previous = CtrlDay1 + drawn_.offset + rt::dateDay(highlighted_) - 1;
    MyWindow->setText(previous, dayText(rt::dateDay(highlighted_)));
    MyWindow->setProperty(previous, rt::Prop::FontStyle, kNormalStyle);
    int working = CtrlDay1 + drawn_.offset + rt::dateDay(TheDate) - 1;
    MyWindow->setProperty(working, rt::Prop::FontStyle, kWorkingDayStyle);
}

void CalendarBaseClass::drawMonth(const CalendarMonth& month) {
    drawn_ = month;
    drawnMonth_ = month.month;
    drawnYear_ = month.year;
    MonthYear = (monthName(month.month) + " " + std::to_string(month.year)).substr(0, 15);
    if (CtrlDay1 == 0) return;
    for (int control = CtrlDay1; control <= CtrlDay42 && control - CtrlDay1 < kDayButtons;
         ++control) {
        int day = month.dayOn(control - CtrlDay1);
        if (day == 0) {
            MyWindow->hide(control);
        } else {
            drawDay(control, day, month);
        }
    }
}

void CalendarBaseClass::drawDay(int control, int day, const CalendarMonth& month) {
    int column = (control - CtrlDay1) % 7;
    int color = ColorOther;
    if (column == calendarColumnOf(7, FirstWeekDay)) color = ColorSunday;
    if (column == calendarColumnOf(6, FirstWeekDay)) color = ColorSaturday;
    rt::DateSerial date = rt::dateFromParts(month.month, day, month.year);
    if (IsHoliday(day, month.month, month.year, date)) color = ColorHoliday;
    MyWindow->unhide(control);
    MyWindow->setText(control, dayText(day));
    MyWindow->setProperty(control, rt::Prop::FontColor, color);
    MyWindow->setProperty(control, rt::Prop::FontStyle,
                          date == TheDate ? kWorkingDayStyle : kNormalStyle);
}

void CalendarBaseClass::showBoundTexts() {
    if (CtrlMonthYear) MyWindow->setText(CtrlMonthYear, MonthYear);
    if (CtrlTheDate) MyWindow->setText(CtrlTheDate, rt::format(rt::Value(TheDate), "@d18"));
    if (CtrlCurrTime) MyWindow->setText(CtrlCurrTime, rt::format(rt::Value(CurrentTime), "@t7"));
}
