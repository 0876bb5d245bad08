#pragma once
// The program's own switches beyond its windows, read from the settings
// file's section "Options" at each call. A missing key, or one that is not a
// whole number, answers its default; a negative number counts as 0.

namespace Options {

// Seconds a copied password, PIN or security code stays on the clipboard
// ("ClearClipboardSeconds", 10); 0 keeps it until something else is copied.
int ClearClipboardSeconds();
// Days ahead the status bar counts expiring entries for after the login
// ("ExpiryWarningDays", 7); 0 shows no reminder.
int ExpiryWarningDays();
// Minutes without key or mouse input after which the program locks
// ("LockAfterMinutes", 5); 0 never locks for idleness.
int LockAfterMinutes();
// Whether the program locks when the desktop locks the screen
// ("LockWithScreen", 1); 0 does not.
bool LockWithScreen();

}  // namespace Options
