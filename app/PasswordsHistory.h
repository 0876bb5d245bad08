#pragma once
// The copy of the Passwords record that the credential form's ditto key
// (Ctrl+H) recalls fields from, and both records seen as their fields, the
// notes last (field 12). The form saves into it whenever it completes, so the
// copy outlives each form: the next form recalls the record saved last.
// One per thread (PasswordsHistory::Current); borrows the thread's PAS.

#include <cstdint>
#include <string>

#include "runtime/text/Date.h"
#include "runtime/text/FixedText.h"
#include "window/WindowManager.h"

class PasswordsHistory {
  public:
    PasswordsHistory();
    PasswordsHistory(const PasswordsHistory&) = delete;
    PasswordsHistory& operator=(const PasswordsHistory&) = delete;

    // The calling thread's copy.
    static PasswordsHistory& Current();

    // The live record (PAS) and the copy, fields in stored order.
    RecordFields Live;
    RecordFields Saved;

  private:
    std::int32_t Primary_ID = 0;
    rt::String<80> Title;
    rt::String<254> Location;
    rt::String<65> UserName;
    rt::String<10> Password;
    rt::String<20> PIN;
    rt::String<20> SecurityCode;
    rt::StoredDate DateLong;
    rt::StoredDate DateShort;
    rt::StoredDate DateCreated;
    rt::StoredDate DateExpires;
    std::string Notes;
};
