#pragma once
// Puts a finished file in its place in one step, never over a file that is
// already there, and makes the folder's change durable: how a new data file
// appears whole or not at all, even when two processes make it at once.
// Stateless; any thread.

#include <filesystem>

namespace rt {

enum class Placement {
    Placed,   // `to` is now the file that was `from`; `from` is gone
    Taken,    // a file already had the name `to`: nothing was moved
    Refused,  // the move failed (see errno); nothing was moved
};

// Moves `from` to `to` in the same folder without replacing anything at
// `to`: an exclusive rename, else a hard link and the unlink of `from` where
// the file system has no exclusive rename. A file system with neither is
// refused rather than risk a replacing rename. The folder is synced after a
// move.
Placement placeWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

// Flushes a file's (or a folder's) contents to the disk; false (errno set)
// when that fails. Only for files no connection of this process has open:
// closing any descriptor on a file drops this process's locks on it.
bool syncToDisk(const std::filesystem::path& path);

}  // namespace rt
