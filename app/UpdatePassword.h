#pragma once
// The credential form: adds, changes or shows one entry of the Passwords
// table on two tabs, with date pickers for three of its dates and a link that
// opens the location. Takes its request from GlobalRequest and the entry from
// the thread's PAS buffer; answers in GlobalResponse. One thread.

void UpdatePassword();
