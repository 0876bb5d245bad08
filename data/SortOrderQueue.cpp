#include "data/SortOrderQueue.h"

SortOrderQueue::~SortOrderQueue() = default;

std::unique_ptr<SortOrder> SortOrderQueue::NewEntry() const {
    return std::make_unique<SortOrder>();
}

SortOrder* SortOrderQueue::Get(int n) const {
    if (n < 1 || n > Records()) return nullptr;
    return entries_[n - 1].get();
}

bool SortOrderQueue::Select(int n) {
    if (!Get(n)) return false;
    pointer_ = n;
    return true;
}

int SortOrderQueue::Append(std::unique_ptr<SortOrder> entry) {
    if (!entry) return 0;
    entries_.push_back(std::move(entry));
    return Records();
}

void SortOrderQueue::Free() {
    entries_.clear();
    pointer_ = 0;
}
