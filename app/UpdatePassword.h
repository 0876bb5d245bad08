#pragma once
// The credential form: adds, changes or deletes one entry of the Passwords
// table. Takes its request from GlobalRequest and the entry from the thread's
// PAS buffer; answers in GlobalResponse. One thread.

void UpdatePassword();
