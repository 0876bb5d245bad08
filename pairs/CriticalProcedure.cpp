#include "pairs/CriticalProcedure.h"

void CriticalProcedure::Init(SyncObjectInterface* sync) {
    Kill();
    sync_ = sync;
    if (sync_) sync_->Enter();
}

void CriticalProcedure::Kill() {
    if (sync_) sync_->Leave();
    sync_ = nullptr;
}
