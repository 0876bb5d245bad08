#pragma once
// The login gate: asks for the master password and sets
// GLO.PasswordVerified (1 when it matched). Leaves the stored System record,
// or a blank one when there is none, in SYS. One thread.

void GetPasswordWindow();
