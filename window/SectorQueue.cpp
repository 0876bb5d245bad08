#include "window/SectorQueue.h"

#include <algorithm>

#include "runtime/text/FixedText.h"

namespace {

bool partFits(std::string_view part) {
    return !part.empty() && rt::utf8Length(part) < SectorQueue::Capacity;
}

}  // namespace

bool SectorQueue::Accepts(const SectorEntry& entry) {
    return partFits(entry.Family) && partFits(entry.Item) && partFits(entry.Type);
}

bool SectorQueue::Add() {
    if (!Accepts(Buffer)) return false;
    auto at = std::lower_bound(records_.begin(), records_.end(), Buffer);
    if (at == records_.end() || *at != Buffer) records_.insert(at, Buffer);
    return true;
}

bool SectorQueue::Contains(const SectorEntry& entry) const {
    return std::binary_search(records_.begin(), records_.end(), entry);
}
