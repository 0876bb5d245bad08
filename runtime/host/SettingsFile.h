#pragma once
// Settings files: values by section and key in an INI text file, read with a
// default and written in place (see IniDocument for the format). The file
// last used is kept parsed and read again only when it changed on disk (its
// size, times or inode); writes replace the file atomically, so a crash
// leaves the old file or the new one, never half of one. A file larger than
// MaxFileSize is refused whole: reads give the default and writes leave it as
// it is. Any thread.
//
// File names may use "\" as the path separator (".\Lockora.INI"); relative
// names resolve against the working directory.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

class SettingsFile {
  public:
    // The caller's buffer size: a value read holds at most this minus one
    // characters (longer values are cut).
    static constexpr std::size_t DefaultBufferSize = 1024;
    static constexpr std::uintmax_t MaxFileSize = 4 * 1024 * 1024;

    // The stored value, or fallback when the file, the section or the key is
    // missing or the file cannot be read.
    static std::string get(std::string_view file, std::string_view section, std::string_view key,
                           std::string_view fallback, std::size_t bufferSize = DefaultBufferSize);

    // Writes the value, creating the file, the section and the key as needed;
    // std::nullopt deletes the key. Answers 0, or sets and answers the error
    // code: 87 for a section, key or value that cannot be stored (a blank
    // name, a line break or NUL, "]" or "=" in a name), 5 when the file
    // cannot be read or written, 90 when it is larger than MaxFileSize.
    static int put(std::string_view file, std::string_view section, std::string_view key,
                   std::optional<std::string_view> value);
    // Deletes the section with all its keys and the lines between them.
    static int removeSection(std::string_view file, std::string_view section);

    static std::vector<std::string> sections(std::string_view file);
    static std::vector<std::string> keys(std::string_view file, std::string_view section);

    // Whether the file can be used: 0 (a missing file can: the first write
    // makes it), 5 when it cannot be read, 90 when it is larger than
    // MaxFileSize; the last error's driver text then says why.
    static int check(std::string_view file);

    // How many times a settings file has been read and parsed.
    static std::size_t TEST_parses();
};

}  // namespace rt
