#pragma once
// One registered sector split into its parts; the item keeps its escaped
// ("$$$") form while registered. Ordered by family, item, then type.

#include <compare>
#include <string>

struct SectorEntry {
    std::string Family;
    std::string Item;
    std::string Type;

    auto operator<=>(const SectorEntry&) const = default;
};
