#pragma once
// The login gate: asks for the master password and sets
// GLO.PasswordVerified (1 when it matched). Leaves the stored System record,
// or a blank one when there is none, in SYS. One thread.

// Control numbers of the login window, in declaration order.
namespace LoginControl {
enum : int {
    PasswordPrompt = 1,
    PasswordEntry = 2,
    NoteString = 3,
    LoginMessageString = 4,
    LoginButton = 5,
    OkButton = 6,
    CancelButton = 7,
};
}  // namespace LoginControl

void GetPasswordWindow();
