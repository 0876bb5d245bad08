#pragma once
// The first bytes of a data file, read through SQLite's own file layer. A
// plain open and close of the file would drop every POSIX lock this process
// holds on it (they belong to the process, not to the descriptor), so a
// connection of this process would lose its locks and another process could
// checkpoint and delete the write-ahead log under it. SQLite keeps such a
// descriptor open until the locks are gone. Any thread.

#include <filesystem>
#include <optional>
#include <string>

namespace rt {

// Up to `size` bytes from the start of the file; none when it cannot be
// opened or read. Shorter when the file is.
std::optional<std::string> readFileHead(const std::filesystem::path& file, std::size_t size);

}  // namespace rt
