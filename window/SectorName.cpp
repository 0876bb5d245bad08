#include "window/SectorName.h"

#include "runtime/text/FixedText.h"

namespace {

bool fitsBuffer(std::string_view text) {
    return rt::utf8Length(text) < SectorName::BufferSize;
}

std::optional<std::string> replaceAll(std::string_view text, std::string_view from,
                                      std::string_view to) {
    if (!fitsBuffer(text)) return std::nullopt;
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        if (text.substr(at, from.size()) == from) {
            out += to;
            at += from.size();
        } else {
            out += text[at++];
        }
    }
    if (!fitsBuffer(out)) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> SectorName::AddEscapes(std::string_view item) {
    return replaceAll(item, "$", "$$$");
}

std::optional<std::string> SectorName::RemoveEscapes(std::string_view item) {
    return replaceAll(item, "$$$", "$");
}

std::optional<std::string> SectorName::Build(std::string_view family, std::string_view item,
                                             std::string_view type) {
    if (family.empty() || item.empty() || type.empty()) return std::nullopt;
    if (family.find('$') != std::string_view::npos || type.front() == '$') return std::nullopt;
    auto escaped = AddEscapes(item);
    if (!escaped) return std::nullopt;
    return std::string(family) + "$" + *escaped + "$$" + std::string(type);
}

// The item is read in steps: an escaped "$$$" is taken whole, so the first
// "$$" that is not the start of one ends the item.
std::optional<SectorEntry> SectorName::Split(std::string_view sector) {
    std::size_t familyEnd = sector.find('$');
    if (familyEnd == std::string_view::npos || familyEnd == 0) return std::nullopt;
    std::size_t itemBegin = familyEnd + 1;
    for (std::size_t at = itemBegin; at < sector.size();) {
        if (sector.substr(at, 3) == "$$$") {
            at += 3;
        } else if (sector.substr(at, 2) == "$$") {
            SectorEntry entry{std::string(sector.substr(0, familyEnd)),
                              std::string(sector.substr(itemBegin, at - itemBegin)),
                              std::string(sector.substr(at + 2))};
            if (entry.Item.empty() || entry.Type.empty()) return std::nullopt;
            return entry;
        } else {
            ++at;
        }
    }
    return std::nullopt;
}
