#pragma once
// A scoped lock: holds at most one synchronisation object (Sync) entered, and
// leaves it on Kill or destruction. Borrows the object, which must outlive the
// hold. A null object makes the lock do nothing. One thread per instance.

#include "pairs/CriticalSection.h"

class CriticalProcedure {
  public:
    CriticalProcedure() = default;
    explicit CriticalProcedure(SyncObjectInterface* sync) { Init(sync); }
    explicit CriticalProcedure(CriticalSection& section) { Init(&section.GetIface()); }
    ~CriticalProcedure() { Kill(); }
    CriticalProcedure(const CriticalProcedure&) = delete;
    CriticalProcedure& operator=(const CriticalProcedure&) = delete;

    // Leaves whatever is held, then enters sync (when not null).
    void Init(SyncObjectInterface* sync);
    // Leaves the held object and forgets it; harmless when nothing is held.
    void Kill();

    SyncObjectInterface* Sync() const { return sync_; }

  private:
    SyncObjectInterface* sync_ = nullptr;
};
