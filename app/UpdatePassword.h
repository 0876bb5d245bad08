#pragma once
// The credential form: adds, changes or shows one entry of the Passwords
// table on two tabs, with date pickers for three of its dates and a link that
// opens the location. Takes its request from GlobalRequest and the entry from
// the thread's PAS buffer; answers in GlobalResponse. One thread.

// Control numbers of the credential form, in declaration order: each entry
// follows its prompt; the link region is created at run time.
namespace PasswordControl {
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
    LinkRegion = 100,
};
}  // namespace PasswordControl

void UpdatePassword();
