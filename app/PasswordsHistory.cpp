#include "app/PasswordsHistory.h"

#include "app/PasswordsFile.h"

PasswordsHistory::PasswordsHistory()
    : Live{PAS.Primary_ID, PAS.Title,       PAS.Location,     PAS.UserName,
           PAS.Password,   PAS.PIN,         PAS.SecurityCode, PAS.DateLong,
           PAS.DateShort,  PAS.DateCreated, PAS.DateExpires,  PAS.Notes},
      Saved{Primary_ID,   Title,    Location,  UserName,    Password,    PIN,
            SecurityCode, DateLong, DateShort, DateCreated, DateExpires, Notes} {}

PasswordsHistory& PasswordsHistory::Current() {
    // Built after the thread's PAS, so it goes before PAS at thread end.
    thread_local PasswordsHistory history;
    return history;
}
