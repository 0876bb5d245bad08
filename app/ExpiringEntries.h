#pragma once
// Counts the entries of the Passwords table whose expiry date is set and
// falls on or before a day, through a view on that date so that only those
// entries are read. Uses the thread's Passwords table, which must be open;
// the record buffer (PAS) is overwritten. One thread.

#include <string>

#include "runtime/text/Date.h"

int CountEntriesExpiringBy(rt::DateSerial lastDay);

// The status bar's reminder for count entries expiring within days: "" for
// none, else "1 entry expires within 7 days", "3 entries expire within 7 days".
std::string ExpiryReminderText(int count, int days);
