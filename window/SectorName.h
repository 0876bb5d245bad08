#pragma once
// Sector names: family + "$" + item + "$$" + type, each "$" of the item
// written "$$$" so the parts split apart again; conversions refuse (nullopt)
// what would overflow their BufferSize. Stateless; any thread.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "window/SectorEntry.h"

class SectorName {
  public:
    static constexpr std::size_t BufferSize = 1024;

    // "$" -> "$$$".
    static std::optional<std::string> AddEscapes(std::string_view item);
    // "$$$" -> "$"; every other character stays.
    static std::optional<std::string> RemoveEscapes(std::string_view item);

    // Refuses an empty part, a family holding "$" and a type starting with
    // "$": the name could not be split back into the same parts.
    static std::optional<std::string> Build(std::string_view family, std::string_view item,
                                            std::string_view type);
    // The parts of a sector name, the item still escaped; nullopt when the
    // family, the item or the type would be empty.
    static std::optional<SectorEntry> Split(std::string_view sector);
};
