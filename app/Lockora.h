#pragma once
// The program from start to end: the process-wide objects (registry reader,
// fuzzy matcher, the settings object) and Lockora(), which runs the first
// thread's start, the main procedure and the thread's end. GUI thread.

#include "app/FuzzyClass.h"
#include "util/VSRegistryClass.h"

extern VSRegistryClass RegistryReader;
extern FuzzyClass FuzzyMatcher;

// Brings up the error manager, the settings file, the dictionary and the
// host settings, runs Main, writes the settings and tears everything down.
// Answers the exit code, 0. A refused login halts the process inside Main
// (rt::halt); when the halt handler returns instead, Lockora() returns 0 at
// once without writing the settings file or restoring host settings.
int Lockora();
