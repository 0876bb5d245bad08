#pragma once
// The credential form's window: its control numbers and its declaration,
// bound to the thread's PAS buffer.

namespace rt {
struct WindowDeclaration;
}

namespace passwordform {
enum : int {
    Sheet = 1,
    GeneralTab = 2,
    TitlePrompt = 3,
    TitleEntry = 4,
    LocationEntry = 6,
    UserNameEntry = 8,
    PasswordEntry = 10,
    CreatePasswordButton = 11,  // hidden: it plays no part
    PinEntry = 13,
    SecurityCodeEntry = 15,
    LinkImage = 16,
    DateLongEntry = 18,
    DateLongButton = 19,
    DateShortEntry = 21,
    DateCreatedEntry = 23,
    DateCreatedButton = 24,
    DateExpiresEntry = 26,
    DateExpiresButton = 27,
    NotesTab = 28,
    NotesText = 30,
    OkButton = 31,
    CancelButton = 32,
};
}  // namespace passwordform

// The window "Password Form" (the form sets its caption by the request).
rt::WindowDeclaration UpdatePasswordWindow();
