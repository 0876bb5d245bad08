#pragma once
// The data files whose owner password the cipher refused in this process,
// each with the state the file was in then (size and modification time of
// the file and of its write-ahead log). Every try of a password costs the
// cipher a deliberately slow derivation, and a master-keyed file is tried
// several times before its login; a refusal stands until the file changes
// on disk. Reads the files' metadata only, never their bytes. Any thread.

#include <filesystem>
#include <string_view>

namespace rt {

class OwnerKeyRefusals {
  public:
    // True when `password` was refused for the file as it is now.
    static bool refused(const std::filesystem::path& file, std::string_view password);
    static void note(const std::filesystem::path& file, std::string_view password);
    static void forgetAll();
};

}  // namespace rt
