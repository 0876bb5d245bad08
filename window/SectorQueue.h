#pragma once
// The registered sectors in (Family, Item, Type) order, each triple once;
// parts are non-empty zero-terminated texts of Capacity. Owns its records.
// One thread at a time (INIClass guards its own).

#include <cstddef>
#include <string_view>

#include "window/RecordQueue.h"
#include "window/SectorEntry.h"

class SectorQueue : public RecordQueue<SectorEntry> {
  public:
    static constexpr std::size_t Capacity = 100;

    // Inserts the buffer in key order; a triple already present is kept once
    // and counts as stored. Refuses what Accepts refuses.
    bool Add() override;
    bool Contains(const SectorEntry& entry) const;

    static bool Accepts(const SectorEntry& entry);
};
