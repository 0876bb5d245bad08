#pragma once
// One sort order of a view manager: its key, its order text, its range limits
// and its named filters. Owns the order and filter texts and the range pairs;
// borrows the key and the free element (the record's own field). A browse
// derives its own entries from it.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/FileManager.h"
#include "pairs/BufferedPairsClass.h"
#include "runtime/text/FieldRef.h"

// One named filter of a sort order.
struct FilterEntry {
    std::string ID;  // up to 30 characters
    std::string Filter;
};

// Kept in descending order of ID, so the filter text lists them that way.
using FilterQueue = std::vector<FilterEntry>;

struct SortOrder {
    SortOrder() = default;
    virtual ~SortOrder() = default;
    SortOrder(const SortOrder&) = delete;
    SortOrder& operator=(const SortOrder&) = delete;

    std::unique_ptr<FilterQueue> Filter;  // null until the first named filter
    rt::FieldRef FreeElement;             // the key's first component
    std::uint8_t LimitType = 0;
    FileKey MainKey = nullptr;  // may be null
    std::string Order;
    // Left: the live limit value; right: the value last applied.
    std::unique_ptr<BufferedPairsClass> RangeList;
};
