#pragma once
// The edit queue of a browse: one entry per list column that has its own
// editor, or none (a null editor keeps the column from being edited).
// Owns the editors marked FreeUp (made by the edit-in-place manager);
// borrows the others, which must outlive it. One thread.

#include <cstdint>
#include <vector>

class EditClass;

struct EditQueueEntry {
    std::int32_t Field = 0;  // the queue field the column shows (1-based)
    bool FreeUp = false;     // made here; disposed with the queue
    EditClass* Control = nullptr;
    std::int32_t Column = 0;  // the list column (1-based)
};

class EditQueue {
  public:
    EditQueue() = default;
    ~EditQueue();
    EditQueue(const EditQueue&) = delete;
    EditQueue& operator=(const EditQueue&) = delete;

    std::vector<EditQueueEntry> Entries;
};
