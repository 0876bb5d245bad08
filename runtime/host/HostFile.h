#pragma once
// Helpers over host files: the path a runtime file name stands for, whole-file
// reads, and replacing a file's content atomically (the new bytes go to a
// temporary file beside it that is then renamed over it, so a crash leaves the
// old file or the new one). Stateless; any thread.

#include <string>
#include <string_view>

namespace rt {

// Runtime file names may use "\" as the path separator (".\Lockora.INI");
// relative names resolve against the working directory.
std::string localPath(std::string_view name);

enum class FileRead { Read, Missing, Unreadable };

// Reads the regular file at path into bytes; a directory, a device or a file
// without read permission is Unreadable.
FileRead readWholeFile(const std::string& path, std::string& bytes);
// Answers whether the file now holds bytes; the file keeps its permissions.
bool replaceFile(const std::string& path, const std::string& bytes);

}  // namespace rt
