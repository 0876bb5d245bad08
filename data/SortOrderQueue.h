#pragma once
// The list of a view manager's sort orders with the selected one. Owns its
// entries; a browse's queue overrides NewEntry to hold entries of its own
// kind. One thread.

#include <memory>
#include <vector>

#include "data/SortOrder.h"

class SortOrderQueue {
  public:
    SortOrderQueue() = default;
    virtual ~SortOrderQueue();
    SortOrderQueue(const SortOrderQueue&) = delete;
    SortOrderQueue& operator=(const SortOrderQueue&) = delete;

    // A blank entry of the kind this queue holds.
    virtual std::unique_ptr<SortOrder> NewEntry() const;

    int Records() const { return static_cast<int>(entries_.size()); }
    // Entries are numbered from 1; null when there is no entry n.
    SortOrder* Get(int n) const;
    // The selected entry's number, 0 before the first selection.
    int Pointer() const { return pointer_; }
    SortOrder* Current() const { return Get(pointer_); }
    // False (and the selection unchanged) when there is no entry n.
    bool Select(int n);
    // Answers the new entry's number, 0 for a null entry.
    int Append(std::unique_ptr<SortOrder> entry);
    void Free();

    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

  private:
    std::vector<std::unique_ptr<SortOrder>> entries_;
    int pointer_ = 0;
};
