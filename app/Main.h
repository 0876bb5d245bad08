#pragma once
// The main window: gathers the host facts, lets only the right master
// password in (halting the process otherwise), asks for a master password
// when none is set, and shows the credential list with its buttons, the link
// line and the clock; the list's Add, Change and Delete run the credential
// form. One thread.

void Main();
