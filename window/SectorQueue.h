#pragma once
// The list of registered sectors, kept in (Family, Item, Type) order with
// each triple once. Every part is non-empty and holds at most Capacity - 1
// characters, as a zero-terminated text of Capacity does; others are refused.
// Owns its records. One thread at a time (INIClass guards its own).

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
