#pragma once
// Keeps the process's memory, which holds the data file's key and typed
// passwords, out of core dumps and away from other processes of the same
// user that would attach to it. Called once at start, before any secret is
// read. Any thread.

namespace rt {

// Marks the process not dumpable and sets its core size limit to zero;
// false when either could not be done.
bool disableCoreDumps();

}  // namespace rt
