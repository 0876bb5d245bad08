// The credential form as a person uses it, over a real data file: adding an
// entry with every field and all four dates, changing, viewing, cancelling,
// the ditto key, the link and the date pickers. What it wrote is read back
// straight through the storage library; dates are checked against std::chrono.
#include <chrono>

#include "runtime/controls/Prop.h"
#include "runtime/gui/Clipboard.h"
#include "runtime/picture/Picture.h"
#include "tests/app/PasswordFormFixture.h"
#include "tests/window/CalendarOracle.h"
#include "window/CalendarClass.h"

using namespace PasswordControl;
using namespace passwordform;
using namespace calendaroracle;

namespace {

constexpr int CtrlH = rt::keyFor('H') + rt::KeyCtrl;
constexpr int CtrlV = rt::keyFor('V') + rt::KeyCtrl;
constexpr int kYellow = 65535;

const std::vector<std::string> kColumns = {"Primary_ID", "Title",       "Location",     "UserName",
                                           "Password",   "PIN",         "SecurityCode", "DateLong",
                                           "DateShort",  "DateCreated", "DateExpires",  "Notes"};

// A date as a person types it in the host's short form.
std::string typed(year_month_day date) {
    return rt::format(rt::Value(serialOf(date)), "@d17");
}

std::string serialText(year_month_day date) {
    return std::to_string(serialOf(date));
}

}  // namespace

TEST_F(PasswordFormTest, AddsAnEntryWithEveryFieldAndFourDates) {
    PinnedClock clock;
    const year_month_day today = kPinnedToday;
    // The created date is picked a month on, the expiry date a year on.
    const year_month nextMonth = today.year() / today.month() + months{1};
    const year_month nextYear = today.year() / today.month() + years{1};
    primeNewEntry();
    rt::Robot robot;
    robot.screenshotFolder(testsupport::outputDir().string())
        .waitForWindow(kAddCaption)
        .type(TitleEntry, "Bank of Examples")
        .type(LocationEntry, "https://bank.example/login")
        .type(UserNameEntry, "ada.lovelace")
        .type(PasswordEntry, "s3cr3t!pw")
        .type(PinEntry, "4711")
        .type(SecurityCodeEntry, "993")
        .type(DateLongEntry, typed(2031y / March / 14))
        .type(DateShortEntry, "29/02")
        .press(DateCreatedButton)
        .waitForWindow(kPickerCaption)
        .check("an empty date starts on today",
               [&](rt::Window& w) {
                   return w.property(CalendarControl::Day1 + buttonOf(today, 7),
                                     rt::Prop::FontStyle)
                              .number() == 8892;
               })
        .press(CalendarControl::NextMonthButton)
        .press(CalendarControl::Day1 + buttonOf(nextMonth / day{10}, 7))
        .waitForWindow(kAddCaption)
        .press(DateExpiresButton)
        .waitForWindow(kPickerCaption)
        .press(CalendarControl::NextYearButton)
        .press(CalendarControl::Day1 + buttonOf(nextYear / day{20}, 7))
        .waitForWindow(kAddCaption)
        .check("the picked dates are shown",
               [&](rt::Window& w) {
                   return w.text(DateShortEntry) == "29/02" &&
                          w.text(DateCreatedEntry) == typed(nextMonth / day{10}) &&
                          w.text(DateExpiresEntry) == typed(nextYear / day{20});
               })
        .screenshot("password-form-general.png")
        .chooseTab(NotesTab)
        .type(NotesText, "Opened in 2019; the branch is in Bath")
        .screenshot("password-form-notes.png")
        .press(OkButton);
    EXPECT_EQ(runForm(RequestInsert, robot), ResponseCompleted);

    auto rows = query(kColumns);
    ASSERT_EQ(rows.size(), 1u);
    auto& row = rows[0];
    EXPECT_EQ(row["Primary_ID"], "1");
    EXPECT_EQ(row["Title"], "Bank of Examples");
    EXPECT_EQ(row["Location"], "https://bank.example/login");
    EXPECT_EQ(row["UserName"], "ada.lovelace");
    EXPECT_EQ(row["Password"], "s3cr3t!pw");
    EXPECT_EQ(row["PIN"], "4711");
    EXPECT_EQ(row["SecurityCode"], "993");
    EXPECT_EQ(row["DateLong"], serialText(2031y / March / 14));
    // The short date shows year and month ("29/02"): it reads as the 1st.
    EXPECT_EQ(row["DateShort"], serialText(2029y / February / 1));
    EXPECT_EQ(row["DateCreated"], serialText(nextMonth / day{10}));
    EXPECT_EQ(row["DateExpires"], serialText(nextYear / day{20}));
    EXPECT_EQ(row["Notes"], "Opened in 2019; the branch is in Bath");
}

TEST_F(PasswordFormTest, ChangesAnEntryAndABlankDateStoresZero) {
    std::int32_t id = addEntry("Mail", "https://mail.example");
    PAS.DateLong = rt::toStored(serialOf(2030y / May / 17));
    PAS.DateShort = rt::toStored(serialOf(2030y / June / 1));
    PAS.DateExpires = rt::toStored(serialOf(2031y / January / 2));
    PAS.Password = "old";
    ASSERT_EQ(Access_Passwords->Update(), LevelBenign);
    loadEntry(id);
    std::string shortShown;
    rt::Robot robot;
    robot.waitForWindow(kChangeCaption)
        .check("the entry is shown with its dates",
               [&](rt::Window& w) {
                   return w.text(TitleEntry) == "Mail" &&
                          w.text(DateLongEntry) == typed(2030y / May / 17) &&
                          w.text(DateCreatedEntry).empty();
               })
        .run("read the short date", [&](rt::Window& w) { shortShown = w.text(DateShortEntry); })
        .type(TitleEntry, "Mail at work")
        .type(DateLongEntry, typed(2032y / December / 31))
        .type(DateExpiresEntry, "")
        .press(OkButton);
    EXPECT_EQ(runForm(RequestChange, robot), ResponseCompleted);
    EXPECT_EQ(shortShown, "30/06") << "@D15 shows year and month";

    auto rows = query(kColumns);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["Title"], "Mail at work");
    EXPECT_EQ(rows[0]["Location"], "https://mail.example");
    EXPECT_EQ(rows[0]["Password"], "old");
    EXPECT_EQ(rows[0]["DateLong"], serialText(2032y / December / 31));
    EXPECT_EQ(rows[0]["DateShort"], serialText(2030y / June / 1));
    EXPECT_EQ(rows[0]["DateCreated"], "0");
    EXPECT_EQ(rows[0]["DateExpires"], "0");
}

TEST_F(PasswordFormTest, ViewingOffersNoWayToSave) {
    std::int32_t id = addEntry("Read only");
    loadEntry(id);
    rt::Robot robot;
    robot.waitForWindow(kViewCaption).type(TitleEntry, "Edited while viewing").press(OkButton);
    EXPECT_EQ(runForm(RequestView, robot), ResponseCancelled);
    EXPECT_TRUE(robot.messages().empty()) << "closing a view asks nothing";
    auto rows = query({"Title"});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["Title"], "Read only");
}

TEST_F(PasswordFormTest, CancellingAChangedFormAsksAndThenWritesNothing) {
    std::int32_t id = addEntry("Keep me");
    loadEntry(id);
    std::string question;
    rt::Robot robot;
    robot.waitForWindow(kChangeCaption)
        .type(TitleEntry, "Throw me away")
        .type(PinEntry, "1234")
        .press(CancelButton)
        .answerMessageBox(rt::ButtonNo, &question)
        .check("the form stays open on the title",
               [](rt::Window& w) {
                   return w.focus() == TitleEntry && w.text(TitleEntry) == "Throw me away";
               })
        .press(CancelButton)
        .answerMessageBox(rt::ButtonYes);
    EXPECT_EQ(runForm(RequestChange, robot), ResponseCancelled);
    EXPECT_EQ(question, "Are you sure you want to cancel?");
    auto rows = query({"Title", "PIN"});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["Title"], "Keep me");
    EXPECT_EQ(rows[0]["PIN"], "");
}

TEST_F(PasswordFormTest, CancellingANewEntryAddsNothing) {
    primeNewEntry();
    rt::Robot robot;
    robot.waitForWindow(kAddCaption)
        .type(TitleEntry, "Never saved")
        .press(CancelButton)
        .answerMessageBox(rt::ButtonYes);
    EXPECT_EQ(runForm(RequestInsert, robot), ResponseCancelled);
    EXPECT_TRUE(query({"Title"}).empty());
}

TEST_F(PasswordFormTest, CtrlHRecallsAFieldFromTheRecordSavedLast) {
    primeNewEntry();
    rt::Robot first;
    first.waitForWindow(kAddCaption)
        .type(TitleEntry, "Remembered title")
        .type(UserNameEntry, "remembered.user")
        .type(DateLongEntry, typed(2029y / April / 30))
        .press(OkButton);
    ASSERT_EQ(runForm(RequestInsert, first), ResponseCompleted);

    primeNewEntry();
    rt::Robot second;
    second.waitForWindow(kAddCaption)
        .key(CtrlH, UserNameEntry)
        .key(CtrlH, DateLongEntry)
        .check("the user name and the date came back, nothing else",
               [](rt::Window& w) {
                   return w.text(UserNameEntry) == "remembered.user" &&
                          w.text(DateLongEntry) == typed(2029y / April / 30) &&
                          w.text(TitleEntry).empty();
               })
        .type(TitleEntry, "Second")
        .press(OkButton);
    ASSERT_EQ(runForm(RequestInsert, second), ResponseCompleted);
    auto rows = query({"Title", "UserName", "DateLong"});
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1]["Title"], "Second");
    EXPECT_EQ(rows[1]["UserName"], "remembered.user");
    EXPECT_EQ(rows[1]["DateLong"], serialText(2029y / April / 30));
}

TEST_F(PasswordFormTest, TheLinkImageOpensTheLocationInTheRecordBuffer) {
    std::int32_t id = addEntry("Site", "https://stored.example/   ");
    loadEntry(id);
    rt::Robot robot;
    robot.waitForWindow(kChangeCaption)
        .clickControl(LinkRegion)
        .type(LocationEntry, "https://typed.example")
        // Still in the entry: the buffer holds the stored location.
        .clickControl(LinkRegion)
        .key(rt::TabKey)
        .clickControl(LinkRegion)
        .press(OkButton);
    EXPECT_EQ(runForm(RequestChange, robot), ResponseCompleted);
    EXPECT_EQ(opened,
              (std::vector<std::string>{"https://stored.example/", "https://stored.example/",
                                        "https://typed.example"}));
}

TEST_F(PasswordFormTest, ThePasswordEntryKeepsTenCharactersOfAPaste) {
    std::int32_t id = addEntry("Paste target");
    loadEntry(id);
    rt::setClipboardText("0123456789XYZ");
    rt::Robot robot;
    robot.waitForWindow(kChangeCaption)
        .type(PasswordEntry, "")
        .key(CtrlV, PasswordEntry)
        .check("ten characters by the keyboard",
               [](rt::Window& w) { return w.text(PasswordEntry) == "0123456789"; })
        .type(PasswordEntry, "")
        .rightClick(PasswordEntry)
        .choosePopupItem("Paste (0123456789XYZ)")
        .check("ten characters by the menu, the other fields as they were",
               [](rt::Window& w) {
                   return w.text(PasswordEntry) == "0123456789" &&
                          w.text(TitleEntry) == "Paste target" && w.text(PinEntry).empty();
               })
        .press(OkButton);
    EXPECT_EQ(runForm(RequestChange, robot), ResponseCompleted);
    auto rows = query({"Title", "Password", "PIN"});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["Password"], "0123456789");
    EXPECT_EQ(rows[0]["Title"], "Paste target");
    EXPECT_EQ(rows[0]["PIN"], "");
}

TEST_F(PasswordFormTest, AnUnreadableDateIsRefusedWithThePicturesMessage) {
    PinnedClock clock;
    std::int32_t id = addEntry("Dated");
    PAS.DateLong = rt::toStored(serialOf(2030y / May / 17));
    ASSERT_EQ(Access_Passwords->Update(), LevelBenign);
    loadEntry(id);
    std::string message;
    rt::Robot robot;
    robot.waitForWindow(kChangeCaption)
        .type(DateLongEntry, "31/31/31")
        .key(rt::TabKey)
        .check("the entry is back on the stored date, with the focus",
               [](rt::Window& w) {
                   return w.focus() == DateLongEntry &&
                          w.text(DateLongEntry) == typed(2030y / May / 17);
               })
        .run("read the message", [&](rt::Window& w) { message = w.refusalMessage(); })
        .type(DateShortEntry, "not a date")
        .key(rt::TabKey)
        .check("the short date refused too",
               [](rt::Window& w) { return w.focus() == DateShortEntry; })
        .press(OkButton);
    EXPECT_EQ(runForm(RequestChange, robot), ResponseCompleted);
    EXPECT_EQ(message, "Type a date like " + typed(kPinnedToday.year() / December / 31));
    auto rows = query({"DateLong", "DateShort"});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["DateLong"], serialText(2030y / May / 17));
    EXPECT_EQ(rows[0]["DateShort"], "0");
}

TEST_F(PasswordFormTest, PickersStartOnTheFieldsDateAndClosingThemOtherwiseChangesNothing) {
    std::int32_t id = addEntry("Picked");
    PAS.DateLong = rt::toStored(serialOf(2030y / May / 17));
    ASSERT_EQ(Access_Passwords->Update(), LevelBenign);
    loadEntry(id);
    rt::Robot robot;
    robot.waitForWindow(kChangeCaption)
        .press(DateLongButton)
        .waitForWindow(kPickerCaption)
        .check("May 2030 with the 17th highlighted",
               [](rt::Window& w) {
                   return w.text(CalendarControl::MonthYearTitle) == "May 2030" &&
                          w.property(CalendarControl::Day1 + buttonOf(2030y / May / 17, 7),
                                     rt::Prop::FontStyle)
                                  .number() == 8892;
               })
        .key(rt::RightKey)
        .closeWindow()
        .waitForWindow(kChangeCaption)
        .press(DateLongButton)
        .waitForWindow(kPickerCaption)
        .key(rt::DownKey)
        // Close takes the day moved to.
        .press(CalendarControl::CloseButton)
        .waitForWindow(kChangeCaption)
        .check("a week later",
               [](rt::Window& w) { return w.text(DateLongEntry) == typed(2030y / May / 24); })
        .press(OkButton);
    EXPECT_EQ(runForm(RequestChange, robot), ResponseCompleted);
    auto rows = query({"DateLong"});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["DateLong"], serialText(2030y / May / 24));
}

TEST_F(PasswordFormTest, ADeleteRequestAsksAndDeletesWithoutShowingTheForm) {
    addEntry("Stays");
    std::int32_t id = addEntry("Goes");
    loadEntry(id);
    std::string question;
    rt::Robot robot;
    robot.answerMessageBox(rt::ButtonYes, &question);
    EXPECT_EQ(runForm(RequestDelete, robot), ResponseCompleted);
    EXPECT_EQ(question, "Are you sure you want to delete the highlighted record?");
    auto rows = query({"Title"});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0]["Title"], "Stays");
}

TEST_F(PasswordFormTest, TheFormShowsItsControlsAsDeclared) {
    primeNewEntry();
    struct Seen {
        std::string okTip, cancelTip, generalTab, notesTab, dateButton;
        bool createHidden = false, linkVisible = false;
        std::string caption;
    } seen;
    int width = 0, okX = 0;
    rt::Robot robot;
    robot.waitForWindow(kAddCaption)
        .check("the title has the focus highlight",
               [](rt::Window& w) {
                   return w.focus() == TitleEntry &&
                          w.property(TitleEntry, rt::Prop::Color).number() == kYellow &&
                          w.property(TitleEntry, rt::Prop::FontStyle).number() == 700;
               })
        .key(rt::TabKey)
        .check("the highlight followed Tab",
               [](rt::Window& w) {
                   return w.property(LocationEntry, rt::Prop::Color).number() == kYellow &&
                          w.property(TitleEntry, rt::Prop::Color).number() != kYellow;
               })
        .run("enlarge the form",
             [&](rt::Window& w) {
                 width = w.width();
                 okX = static_cast<int>(w.property(OkButton, rt::Prop::XPos).number());
                 w.resize(width + 100, w.height() + 40);
             })
        .check("the buttons followed the right edge",
               [&](rt::Window& w) { return w.property(OkButton, rt::Prop::XPos).number() > okX; })
        .run("read the controls",
             [&](rt::Window& w) {
                 seen.okTip = w.property(OkButton, rt::Prop::Tip).text();
                 seen.cancelTip = w.property(CancelButton, rt::Prop::Tip).text();
                 seen.generalTab = w.text(GeneralTab);
                 seen.notesTab = w.text(NotesTab);
                 seen.dateButton = w.text(DateLongButton);
                 seen.createHidden =
                     w.property(CreatePasswordButton, rt::Prop::Visible).number() == 0;
                 seen.linkVisible = w.property(LinkRegion, rt::Prop::Visible).number() != 0;
                 seen.caption = w.caption();
             })
        .press(CancelButton);
    EXPECT_EQ(runForm(RequestInsert, robot), ResponseCancelled);
    EXPECT_EQ(seen.okTip, "Accept data and close the window");
    EXPECT_EQ(seen.cancelTip, "Cancel operation");
    EXPECT_EQ(seen.generalTab, "General");
    EXPECT_EQ(seen.notesTab, "Notes");
    EXPECT_EQ(seen.dateButton, "...");
    EXPECT_TRUE(seen.createHidden);
    EXPECT_TRUE(seen.linkVisible);
    EXPECT_EQ(seen.caption, kAddCaption);
}
