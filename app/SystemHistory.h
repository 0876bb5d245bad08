#pragma once
// The saved copy of the System record that a form's ditto key (Ctrl+H)
// restores fields from, and both records seen as their fields. Owns the
// copy; borrows the thread's SYS buffer. One thread.

#include <cstdint>

#include "runtime/text/FixedText.h"
#include "window/WindowManager.h"

class SystemHistory {
  public:
    SystemHistory();
    SystemHistory(const SystemHistory&) = delete;
    SystemHistory& operator=(const SystemHistory&) = delete;

    // The live record (SYS) and the copy, fields in stored order.
    RecordFields Live;
    RecordFields Saved;

  private:
    std::int32_t System_ID = 0;
    rt::String<35> CompanyName;
    rt::String<50> Address;
    rt::String<20> City;
    rt::String<2> State;
    rt::String<5> Zip;
    rt::String<13> Phone;
    rt::String<13> Fax;
    rt::String<65> WebSite;
    rt::String<35> Email;
    rt::String<20> MasterPassword;
    rt::String<254> FileLocation;
};
