#pragma once
// The main window: gathers the host facts, lets only the right master
// password in (halting the process otherwise), asks for a master password
// when none is set, and shows the credential list with its buttons, the link
// line and the clock; the list's Add, Change and Delete run the credential
// form. One thread.

// Control numbers of the main window, in declaration order; the link region
// is created at run time.
namespace MainControl {
enum : int {
    ButtonRowGroup = 1,
    InsertButton = 2,
    ChangeButton = 3,
    DeleteButton = 4,
    SystemButton = 5,
    ExitButton = 6,
    AboutButton = 7,
    PasswordList = 8,
    LinkGroup = 9,
    LinkPrompt = 10,
    LocationString = 11,
    LinkButton = 12,
    LinkRegion = 100,
};
}  // namespace MainControl

void Main();
