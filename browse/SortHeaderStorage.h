#pragma once
// Where a header sort is kept: one named text value in a section of a
// settings file, or, when the place is the decimal number of a registry root
// handle (2147483648 to 2147483654), under a key of that root in the
// registry stand-in. Reads and writes replace nothing else. Any thread.

#include <string>
#include <string_view>

class SortHeaderStorage {
  public:
    // The stored value; "" when there is none or it cannot be read. Values
    // longer than ValueSize - 1 characters are cut.
    static std::string Load(std::string_view place, std::string_view section,
                            std::string_view name);
    // False when the value could not be written; the place is then unchanged.
    static bool Save(std::string_view place, std::string_view section, std::string_view name,
                     std::string_view value);
    // The registry root the place names; 0 when it names a settings file.
    static unsigned RegistryRoot(std::string_view place);

    static constexpr std::size_t ValueSize = 1024;
};
