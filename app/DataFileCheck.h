#pragma once
// lockora --check: a full integrity check of the data file of the working
// folder ("Lockora.lkdb") and of its backups, run without windows. It shows a
// progress line while it reads, then one result line per file, and answers
// the exit code, which speaks of the data file alone (backups are reported,
// a damaged one does not change it):
//
//   code  meaning
//   0     the data file is sound
//   1     the data file is damaged, or is no data file at all
//   2     the data file could not be checked: missing, unreadable, or keyed
//         with a master password that was not given or is wrong
//
// A file keyed with a master password needs it: typed on the terminal (no
// echo), or the first line of standard input when that is no terminal.

#include <cstdio>

enum CheckExitCode : int {
    CheckSound = 0,
    CheckDamaged = 1,
    CheckNotChecked = 2,
};

// Writes to out; answers the exit code.
int CheckDataFile(std::FILE* out = stdout);
