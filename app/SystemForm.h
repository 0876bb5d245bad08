#pragma once
// The settings form: edits the single System record (owner details and the
// master password, which may not be left blank) and shows the host facts and
// the data file location. Answers in GlobalResponse. One thread.

// Control numbers of the settings form, in declaration order: each entry
// follows its prompt.
namespace SystemControl {
enum : int {
    SheetControl = 1,
    GeneralTab = 2,
    NameEntry = 4,
    AddressEntry = 6,
    CityEntry = 8,
    StateEntry = 10,
    ZipEntry = 12,
    PhoneEntry = 14,
    FaxEntry = 16,
    WebSiteEntry = 18,
    EmailEntry = 20,
    MasterPasswordEntry = 22,
    MasterWarningString = 23,
    InfoTab = 24,
    UserString = 26,
    OsString = 28,
    ComputerString = 30,
    FileLocationString = 32,
    OkButton = 33,
    CancelButton = 34,
};
}  // namespace SystemControl

void SystemForm();
