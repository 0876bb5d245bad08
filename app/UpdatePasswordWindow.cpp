#include "app/UpdatePasswordWindow.h"

#include "app/PasswordsFile.h"
#include "runtime/WindowDeclaration.h"

using namespace passwordform;

namespace {

constexpr int kEntryLeft = 72;
constexpr int kRowHeight = 15;
constexpr int kFirstRow = 22;

int rowTop(int row) {
    return kFirstRow + row * kRowHeight;
}

// A prompt and its entry on one row of the General tab.
void addEntry(rt::WindowDeclaration& d, const char* prompt, int row, int width,
              const rt::FieldRef& field, const char* picture) {
    using rt::ControlKind;
    d.controls.push_back(
        rt::control(ControlKind::Prompt, prompt).at(12, rowTop(row) + 2).in(GeneralTab));
    d.controls.push_back(rt::control(ControlKind::Entry)
                             .at(kEntryLeft, rowTop(row), width, 12)
                             .bind(field, picture)
                             .in(GeneralTab));
}

// The "..." button beside a date entry, which opens the date picker.
void addPickerButton(rt::WindowDeclaration& d, int row) {
    d.controls.push_back(rt::control(rt::ControlKind::Button, "...")
                             .at(kEntryLeft + 74, rowTop(row), 16, 12)
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
        rt::control(ControlKind::Sheet).at(4, 4, 292, 174),
        rt::control(ControlKind::Tab, "General").in(Sheet),
    };
    addEntry(d, "Title:", 0, 216, PAS.Title, "@s80");
    addEntry(d, "Location/URL:", 1, 196, PAS.Location, "@s254");
    addEntry(d, "User Name:", 2, 140, PAS.UserName, "@s65");
    addEntry(d, "Password:", 3, 64, PAS.Password, "@s10");
    d.controls.push_back(rt::control(ControlKind::Button, "Create Password")
                             .at(kEntryLeft + 70, rowTop(3) - 1, 70, 14)
                             .with(rt::FlagHidden)
                             .in(GeneralTab));
    addEntry(d, "PIN:", 4, 90, PAS.PIN, "@s20");
    addEntry(d, "Security Code:", 5, 90, PAS.SecurityCode, "@s20");
    d.controls.push_back(rt::control(ControlKind::Image)
                             .at(kEntryLeft + 200, rowTop(1) - 1, 14, 14)
                             .iconName("hyperlink_green.ico")
                             .tipText("Go to the web site")
                             .in(GeneralTab));
    addEntry(d, "Date Long:", 6, 72, PAS.DateLong, "@d17");
    addPickerButton(d, 6);
    addEntry(d, "Date Short:", 7, 72, PAS.DateShort, "@D15B");
    addEntry(d, "Date Created:", 8, 72, PAS.DateCreated, "@d17");
    addPickerButton(d, 8);
    addEntry(d, "Date Expires:", 9, 72, PAS.DateExpires, "@d17");
    addPickerButton(d, 9);
    d.controls.push_back(rt::control(ControlKind::Tab, "Notes").in(Sheet));
    d.controls.push_back(rt::control(ControlKind::Prompt, "Notes:").at(12, 22).in(NotesTab));
    d.controls.push_back(rt::control(ControlKind::Text)
                             .at(12, 34, 276, 136)
                             .bind(PAS.Notes, "@s1000")
                             .with(rt::FlagVScroll)
                             .in(NotesTab));
    d.controls.push_back(rt::control(ControlKind::Button, "&OK")
                             .at(196, 182, 46, 14)
                             .with(rt::FlagDefault)
                             .tipText("Accept data and close the window"));
    d.controls.push_back(rt::control(ControlKind::Button, "&Cancel")
                             .at(248, 182, 46, 14)
                             .tipText("Cancel operation"));
    return d;
}
