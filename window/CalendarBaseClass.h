#pragma once
// A modal month calendar that lets the user pick a day: the picker's logic,
// run on any open window that has its controls (the Ctrl* fields name them;
// 0 = the window has no such control). CalendarClass gives it a window of its
// own. Borrows the window (MyWindow) for one Ask. GUI thread only.
//
// States of one Ask:
//   prepared (Response 2, the start date drawn)
//     --navigation--> the working date moves; its month is drawn
//     --a day clicked--> Response 1 --> closing
//     --Close--> closing (Response 1 with SelectOnClose)
//     --the window closed any other way--> closing with Response 2
//   closing: the result is the start date unless Response is 1.

#include <cstdint>
#include <string>

#include "runtime/text/Date.h"
#include "window/CalendarMonth.h"

namespace rt {
class Window;
}

class CalendarBaseClass {
  public:
    CalendarBaseClass() = default;
    virtual ~CalendarBaseClass() = default;
    CalendarBaseClass(const CalendarBaseClass&) = delete;
    CalendarBaseClass& operator=(const CalendarBaseClass&) = delete;

    // Runs the picker on MyWindow, captioned caption, starting on date (0,
    // or a date outside 1801..2099, starts on today). Answers the chosen day,
    // or the start date when Response is 2.
    // REQUIRES: MyWindow is set and its window is open or about to open.
    virtual rt::DateSerial Ask(const std::string& caption, rt::DateSerial date);
    // Called before the window is prepared; may change FirstWeekDay.
    virtual void Setup() {}
    // A holiday's day number shows in ColorHoliday. date is the day count.
    virtual bool IsHoliday(int day, int month, int year, rt::DateSerial date) {
        (void)day, (void)month, (void)year, (void)date;
        return false;
    }

    // Control numbers; 0 when the window has no such control.
    std::int16_t CtrlExit = 0;
    std::int16_t CtrlToday = 0;
    std::int16_t CtrlDay1 = 0;
    std::int16_t CtrlDay42 = 0;
    std::int16_t CtrlPrevMonth = 0;
    std::int16_t CtrlNextMonth = 0;
    std::int16_t CtrlPrevYear = 0;
    std::int16_t CtrlNextYear = 0;
    std::int16_t CtrlMore7 = 0;
    std::int16_t CtrlLess7 = 0;
    std::int16_t CtrlMore15 = 0;
    std::int16_t CtrlLess15 = 0;
    std::int16_t CtrlCurrTime = 0;
    std::int16_t CtrlMonthYear = 0;
    std::int16_t CtrlTheDate = 0;
    std::int16_t CtrlTitleBG = 0;
    std::int16_t CtrlBodyBG = 0;
    std::int16_t CtrlSun = 0;  // the first of 7 weekday headers
    // Where to place the window (0 = leave it); both cleared after each Ask.
    std::int32_t XPos = 0;
    std::int32_t YPos = 0;
    std::uint8_t Response = 0;      // 1 a day was chosen, 2 cancelled
    std::uint8_t FirstWeekDay = 7;  // 1 Monday .. 7 Sunday
    rt::DateSerial SelectedDate = 0;
    std::int32_t ColorSunday = 255;
    std::int32_t ColorSaturday = 255;
    std::int32_t ColorOther = 0;
    std::int32_t ColorHoliday = 0x8000;
    std::uint8_t SelectOnClose = 0;   // Close accepts the selected day
    std::uint8_t RightAlignment = 0;  // XPos is the right edge

    // The window the next Ask runs on.
    rt::Window* MyWindow = nullptr;

  protected:
    // The working date and what its month drawing left behind.
    rt::DateSerial TheDate = 0;
    rt::TimeValue CurrentTime = 0;
    std::string MonthYear;  // up to 15 characters

  private:
    void prepare(const std::string& caption, rt::DateSerial date);
    void place();
    void PrepareProcedure();
    void DoReorderDays();
    void setCaptionKeepingHeight(const std::string& caption);
    void runLoop();
    void takeEvent();
    void takeAlertKey(int key);
    void takeAccepted(int control);
    void takeSelected(int control);
    // Moves the working date, selects it and draws its month.
    void moveTo(rt::DateSerial date);
    void DoSelect();
    void DoUpdateScreen();
    void drawMonth(const CalendarMonth& month);
    void drawDay(int control, int day, const CalendarMonth& month);
    void moveHighlight();
    void showBoundTexts();
    void redisplay();
    void TakeTime();
    // The day button's day in the drawn month; 0 when control is none.
    rt::DateSerial dayOfButton(int control) const;
    bool isDayButton(int control) const;
    void selectNextControl();
    void pressClose();

    rt::DateSerial startDate_ = 0;
    rt::DateSerial result_ = 0;
    int drawnMonth_ = 0;
    int drawnYear_ = 0;
    rt::DateSerial highlighted_ = 0;
    CalendarMonth drawn_;
};
