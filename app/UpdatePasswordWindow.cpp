#include "app/UpdatePasswordWindow.h"

#include "app/PasswordsFile.h"
#include "app/UpdatePassword.h"
#include "runtime/gui/WindowDeclaration.h"

using namespace PasswordControl;

namespace {

constexpr int kEntryLeft = 72;
constexpr int kRowHeight = 15;
constexpr int kFirstRow = 22;

int rowTop(int row) {
    return kFirstRow + row * kRowHeight;
}

// A prompt and its entry (control number entry) on one row of the General tab.
void addEntry(rt::WindowDeclaration& d, int entry, const char* prompt, int row, int width,
              const rt::FieldRef& field, const char* picture) {
    using rt::ControlKind;
    d.controls.push_back(rt::control(ControlKind::Prompt, prompt)
                             .numbered(entry - 1)
                             .at(12, rowTop(row) + 2)
                             .in(GeneralTab));
    d.controls.push_back(rt::control(ControlKind::Entry)
                             .numbered(entry)
                             .at(kEntryLeft, rowTop(row), width, 12)
                             .bind(field, picture)
                             .in(GeneralTab));
}

// The "..." button beside a date entry, which opens the date picker.
void addPickerButton(rt::WindowDeclaration& d, int button, int row) {
    d.controls.push_back(rt::control(rt::ControlKind::Button, "...")
                             .numbered(button)
                             .at(kEntryLeft + 74, rowTop(row), 16, 12)
                             .tipText("Choose the date")
                             .in(GeneralTab));
}

}  // namespace

rt::WindowDeclaration UpdatePasswordWindow() {
    using rt::ControlKind;
    rt::WindowDeclaration d;
    d.caption = "Password Form";
    d.width = 300;
    d.height = 200;
    d.fontFamily = "Arial";
    d.fontSize = 9;
    d.icon = "Settings.ico";
    d.resizable = true;
    d.controls = {
        rt::control(ControlKind::Sheet).numbered(Sheet).at(4, 4, 292, 174),
        rt::control(ControlKind::Tab, "General").numbered(GeneralTab).in(Sheet),
    };
    addEntry(d, TitleEntry, "Title:", 0, 216, PAS.Title, "@s80");
    addEntry(d, LocationEntry, "Location/URL:", 1, 196, PAS.Location, "@s254");
    addEntry(d, UserNameEntry, "User Name:", 2, 140, PAS.UserName, "@s65");
    addEntry(d, PasswordEntry, "Password:", 3, 64, PAS.Password, "@s10");
    d.controls.push_back(rt::control(ControlKind::Button, "Create Password")
                             .numbered(CreatePasswordButton)
                             .at(kEntryLeft + 70, rowTop(3) - 1, 70, 14)
                             .with(rt::FlagHidden)
                             .in(GeneralTab));
    addEntry(d, PinEntry, "PIN:", 4, 90, PAS.PIN, "@s20");
    addEntry(d, SecurityCodeEntry, "Security Code:", 5, 90, PAS.SecurityCode, "@s20");
    d.controls.push_back(rt::control(ControlKind::Image)
                             .numbered(LinkImage)
                             .at(kEntryLeft + 200, rowTop(1) - 1, 14, 14)
                             .iconName("hyperlink_green.ico")
                             .tipText("Go to the web site")
                             .in(GeneralTab));
    addEntry(d, DateLongEntry, "Date Long:", 6, 72, PAS.DateLong, "@d17");
    addPickerButton(d, DateLongButton, 6);
    addEntry(d, DateShortEntry, "Date Short:", 7, 72, PAS.DateShort, "@D15B");
    addEntry(d, DateCreatedEntry, "Date Created:", 8, 72, PAS.DateCreated, "@d17");
    addPickerButton(d, DateCreatedButton, 8);
    addEntry(d, DateExpiresEntry, "Date Expires:", 9, 72, PAS.DateExpires, "@d17");
    addPickerButton(d, DateExpiresButton, 9);
    d.controls.push_back(rt::control(ControlKind::Tab, "Notes").numbered(NotesTab).in(Sheet));
    d.controls.push_back(
        rt::control(ControlKind::Prompt, "Notes:").numbered(NotesText - 1).at(12, 22).in(NotesTab));
    d.controls.push_back(rt::control(ControlKind::Text)
                             .numbered(NotesText)
                             .at(12, 34, 276, 136)
                             .bind(PAS.Notes, "@s1000")
                             .with(rt::FlagVScroll)
                             .in(NotesTab));
    d.controls.push_back(rt::control(ControlKind::Button, "&OK")
                             .numbered(OkButton)
                             .at(196, 182, 46, 14)
                             .with(rt::FlagDefault)
                             .tipText("Accept data and close the window"));
    d.controls.push_back(rt::control(ControlKind::Button, "&Cancel")
                             .numbered(CancelButton)
                             .at(248, 182, 46, 14)
                             .tipText("Cancel operation"));
    return d;
}
