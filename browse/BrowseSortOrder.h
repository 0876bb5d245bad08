#pragma once
// One sort order of a browse: the view manager's order with the order's
// locator, its reset fields and its step object, and the queue that makes
// entries of this kind. Owns the reset pairs; borrows the locator and the
// step object, which must outlive the browse. One thread.

#include <memory>

#include "data/SortOrder.h"
#include "data/SortOrderQueue.h"
#include "pairs/FieldPairsClass.h"

class LocatorClass;
class StepClass;

struct BrowseSortOrder : SortOrder {
    LocatorClass* Locator = nullptr;
    // Left: a live field whose change forces a reload; right: its copy.
    std::unique_ptr<FieldPairsClass> Resets;
    StepClass* Thumb = nullptr;
};

class BrowseSortOrderQueue : public SortOrderQueue {
  public:
    std::unique_ptr<SortOrder> NewEntry() const override {
        return std::make_unique<BrowseSortOrder>();
    }
    BrowseSortOrder* Current() const {
        return static_cast<BrowseSortOrder*>(SortOrderQueue::Current());
    }
    BrowseSortOrder* Get(int n) const {
        return static_cast<BrowseSortOrder*>(SortOrderQueue::Get(n));
    }
};
