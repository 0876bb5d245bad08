// The picker's preparation, its event loop and its navigation; the month
// drawing is in CalendarDrawing.cpp.
#include "window/CalendarBaseClass.h"

#include <vector>

#include "runtime/controls/ControlKind.h"
#include "runtime/controls/Events.h"
#include "runtime/text/FixedText.h"
#include "runtime/host/Halt.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"

namespace {

// The weekday names, 3 characters each, weekday 1 = Monday.
constexpr const char* kWeekdayNames = "MonTueWedThuFriSatSun";

bool takesFocus(const rt::Window& window, int control) {
    auto kind = static_cast<rt::ControlKind>(window.property(control, rt::Prop::Type).number());
    bool focusable = kind == rt::ControlKind::Entry || kind == rt::ControlKind::Button ||
                     kind == rt::ControlKind::Check || kind == rt::ControlKind::List ||
                     kind == rt::ControlKind::Text;
    return focusable && window.property(control, rt::Prop::Visible).number() != 0 &&
           window.property(control, rt::Prop::Disable).number() == 0;
}

}  // namespace

rt::DateSerial CalendarBaseClass::Ask(const std::string& caption, rt::DateSerial date) {
    prepare(caption, date);
    runLoop();
    if (Response != 1) result_ = startDate_;
    SelectedDate = result_;
    XPos = YPos = 0;
    return result_;
}

void CalendarBaseClass::prepare(const std::string& caption, rt::DateSerial date) {
    FirstWeekDay = 7;
    Setup();
    if (FirstWeekDay == 0 || FirstWeekDay > 7) FirstWeekDay = 7;
    DoReorderDays();
    SelectedDate = 0;
    Response = 2;
    startDate_ = date == 0 ? rt::today() : date;
    if (startDate_ < kCalendarFirstDate || startDate_ > kCalendarLastDate) startDate_ = rt::today();
    TheDate = result_ = startDate_;
    // The right click that opened the picker must not act inside it.
    if (MyWindow->keyCode() == rt::MouseRight) MyWindow->setKeyCode(0);
    place();
    PrepareProcedure();
    setCaptionKeepingHeight(rt::rightTrim(caption));
}

void CalendarBaseClass::place() {
    if (XPos != 0) {
        int width = static_cast<int>(MyWindow->property(0, rt::Prop::Width).number());
        MyWindow->setProperty(0, rt::Prop::XPos, RightAlignment ? XPos - width : XPos);
    }
    if (YPos != 0) MyWindow->setProperty(0, rt::Prop::YPos, YPos);
}

void CalendarBaseClass::PrepareProcedure() {
    for (int key : {rt::EnterKey, rt::LeftKey, rt::UpKey, rt::RightKey, rt::DownKey})
        MyWindow->alert(key);
    TakeTime();
    drawnMonth_ = drawnYear_ = 0;
    DoUpdateScreen();
}

void CalendarBaseClass::DoReorderDays() {
    if (CtrlSun == 0) return;
    for (int k = 0; k < 7; ++k) {
        int weekday = calendarWeekdayIn(k, FirstWeekDay);
        MyWindow->setText(CtrlSun + k, std::string(kWeekdayNames + 3 * (weekday - 1), 3));
    }
}

void CalendarBaseClass::setCaptionKeepingHeight(const std::string& caption) {
    int height = MyWindow->height();
    MyWindow->setCaption(caption);
    redisplay();
    if (MyWindow->height() != height) MyWindow->resize(MyWindow->width(), height);
}

void CalendarBaseClass::runLoop() {
    while (MyWindow->accept()) takeEvent();
}

void CalendarBaseClass::takeEvent() {
    const rt::WindowEvent& e = MyWindow->current();
    switch (e.event) {
        case rt::EventPreAlertKey:
            // The picker's keys do only what the picker makes of them.
            MyWindow->cycle();
            break;
        case rt::EventAlertKey:
            takeAlertKey(e.key);
            break;
        case rt::EventAccepted:
            takeAccepted(e.control);
            break;
        case rt::EventSelected:
            takeSelected(e.control);
            break;
        case rt::EventRejected:
            rt::beep();
            MyWindow->display(e.control);
            MyWindow->select(e.control);
            break;
        case rt::EventOpenWindow:
            redisplay();
            if (CtrlExit) MyWindow->select(CtrlExit);
            break;
        case rt::EventGainFocus:
            redisplay();
            break;
        case rt::EventTimer:
            TakeTime();
            showBoundTexts();
            break;
    }
}

void CalendarBaseClass::takeAlertKey(int key) {
    if (key == rt::EnterKey) {
        if (CtrlExit && MyWindow->focus() == CtrlExit) {
            pressClose();
        } else {
            selectNextControl();
        }
        return;
    }
    int step = 0;
    if (key == rt::LeftKey) step = -1;
    if (key == rt::RightKey) step = 1;
    if (key == rt::UpKey) step = -7;
    if (key == rt::DownKey) step = 7;
    if (step == 0) return;
    // Focus first: a focused day button hidden by the new month must not
    // hand its focus, and with it a day, to a neighbour.
    if (CtrlExit) MyWindow->select(CtrlExit);
    moveTo(TheDate + step);
}

void CalendarBaseClass::takeAccepted(int control) {
    if (control == 0) return;
    if (control == CtrlExit) {
        if (SelectOnClose) Response = 1;
        MyWindow->post(rt::EventCloseWindow);
    } else if (control == CtrlToday) {
        moveTo(rt::today());
    } else if (control == CtrlPrevMonth || control == CtrlNextMonth) {
        moveTo(calendarAddMonths(TheDate, control == CtrlNextMonth ? 1 : -1));
    } else if (control == CtrlPrevYear || control == CtrlNextYear) {
        moveTo(calendarAddYears(TheDate, control == CtrlNextYear ? 1 : -1));
    } else if (control == CtrlMore7 || control == CtrlLess7) {
        moveTo(TheDate + (control == CtrlMore7 ? 7 : -7));
    } else if (control == CtrlMore15 || control == CtrlLess15) {
        moveTo(TheDate + (control == CtrlMore15 ? 15 : -15));
    } else if (rt::DateSerial day = dayOfButton(control)) {
        TheDate = result_ = day;
        DoUpdateScreen();
        Response = 1;
        pressClose();
    }
}

// A day button that took the focus selects its day; a button that no longer
// holds the focus (the month changed under it) selects nothing.
void CalendarBaseClass::takeSelected(int control) {
    rt::DateSerial day = dayOfButton(control);
    if (day == 0 || MyWindow->focus() != control) return;
    TheDate = result_ = day;
    DoUpdateScreen();
}

// The picker shows 1801 to 2099 only: a step beyond either end stays put.
void CalendarBaseClass::moveTo(rt::DateSerial date) {
    if (date < kCalendarFirstDate || date > kCalendarLastDate) {
        rt::beep();
        return;
    }
    TheDate = date;
    DoSelect();
    DoUpdateScreen();
}

void CalendarBaseClass::DoSelect() {
    if (TheDate > 0) result_ = TheDate;
}

void CalendarBaseClass::TakeTime() {
    CurrentTime = rt::clockNow();
}

void CalendarBaseClass::redisplay() {
    showBoundTexts();
    MyWindow->display();
}

bool CalendarBaseClass::isDayButton(int control) const {
    return CtrlDay1 != 0 && control >= CtrlDay1 && control <= CtrlDay42;
}

rt::DateSerial CalendarBaseClass::dayOfButton(int control) const {
    if (!isDayButton(control)) return 0;
    int day = drawn_.dayOn(control - CtrlDay1);
    return day == 0 ? 0 : rt::dateFromParts(drawn_.month, day, drawn_.year);
}

// Enter anywhere but on Close moves on as Tab does, in control order.
void CalendarBaseClass::selectNextControl() {
    std::vector<int> controls = MyWindow->controls();
    int focused = MyWindow->focus();
    std::size_t start = 0;
    while (start < controls.size() && controls[start] != focused) ++start;
    for (std::size_t i = 1; i <= controls.size(); ++i) {
        int candidate = controls[(start + i) % controls.size()];
        if (takesFocus(*MyWindow, candidate)) {
            MyWindow->select(candidate);
            return;
        }
    }
}

void CalendarBaseClass::pressClose() {
    if (CtrlExit) {
        MyWindow->post(rt::EventAccepted, CtrlExit);
    } else {
        MyWindow->post(rt::EventCloseWindow);
    }
}
