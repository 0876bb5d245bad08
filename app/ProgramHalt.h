#pragma once
// How the program ends when it halts (a refused login): at once, with the
// exit code, and without the process's clean-up of static and per-thread
// objects, which would run while the windows that use them are still on the
// stack. The data file needs no clean-up: its commits are already durable.

// Makes rt::halt end the process this way. Call once, from main().
void InstallProgramHalt();
