#pragma once
// The settings form: edits the single System record (owner details and the
// master password, which may not be left blank) and shows the host facts and
// the data file location. Answers in GlobalResponse. One thread.

void SystemForm();
