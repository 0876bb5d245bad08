#pragma once
// Settings files: values by section and key in an INI text file, read with a
// default and written in place (see IniDocument for the format). Every call
// reads the file afresh; writes replace the file atomically, so a crash leaves
// the old file or the new one, never half of one. Any thread.
//
// File names may use "\" as the path separator (".\Lockora.INI"); relative
// names resolve against the working directory.

#include <cstddef>
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

    // The stored value, or fallback when the file, the section or the key is
    // missing or the file cannot be read.
    static std::string get(std::string_view file, std::string_view section, std::string_view key,
                           std::string_view fallback, std::size_t bufferSize = DefaultBufferSize);

    // Writes the value, creating the file, the section and the key as needed;
    // std::nullopt deletes the key. Answers 0, or sets and answers the error
    // code: 87 for a section, key or value that cannot be stored (a blank
    // name, a line break or NUL, "]" or "=" in a name), 5 when the file
    // cannot be written.
    static int put(std::string_view file, std::string_view section, std::string_view key,
                   std::optional<std::string_view> value);
    // Deletes the section with all its keys and the lines between them.
    static int removeSection(std::string_view file, std::string_view section);

    static std::vector<std::string> sections(std::string_view file);
    static std::vector<std::string> keys(std::string_view file, std::string_view section);
};

}  // namespace rt
