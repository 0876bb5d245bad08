#pragma once
// The framework's lock: one re-entrant runtime critical section, made with the
// object and disposed with it. Borrowers reach it through GetIface(); the
// object must outlive every CriticalProcedure holding it. Any thread.

#include "runtime/host/RuntimeCriticalSection.h"

// What a scoped lock holds: a synchronisation object it can enter and leave.
class SyncObjectInterface {
  public:
    virtual ~SyncObjectInterface() = default;
    virtual void Enter() = 0;
    virtual void Leave() = 0;
    // Ends the object's use by its owner.
    virtual void Kill() = 0;
};

class CriticalSection {
  public:
    CriticalSection() = default;
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    SyncObjectInterface& GetIface() { return sync_; }

  private:
    class Sync : public SyncObjectInterface {
      public:
        void Enter() override;
        void Leave() override;
        void Kill() override;

      private:
        rt::RuntimeCriticalSection section_;
    };

    Sync sync_;
};
