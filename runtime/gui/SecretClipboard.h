#pragma once
// Secrets on the desktop clipboard. A secret is offered with the hint that
// tells clipboard-history tools to leave it out, and is taken off again once
// its time is up, unless something else has been copied since: what the
// user copied later is never cleared. Time is the runtime clock, so a test
// clock moves the countdown. Process-wide; GUI thread only.

#include <functional>
#include <string>

namespace rt {

// Seconds a secret stays on the clipboard (10 until set; 0 or less: until
// something else is copied or the program ends).
void setSecretClearSeconds(int seconds);
// Puts text on the clipboard as a secret and starts its countdown; false
// (and no countdown) when the desktop did not take it.
bool copySecret(const std::string& text);
// Whole seconds left before the secret is cleared, rounded up; 0 when no
// secret is on the clipboard, or when it stays until replaced.
int secretSecondsLeft();
// Called with the seconds left each time they change, and with 0 once the
// secret is cleared or replaced. One listener; an empty one removes it.
void onSecretCountdown(std::function<void(int secondsLeft)> listener);
// Takes a secret still on the clipboard off it now (the program's end).
void clearSecretNow();
// The clipboard's data in a format ("" when it has none), for tests and
// diagnostics.
std::string clipboardData(const std::string& format);

}  // namespace rt
