#include "pairs/CriticalSection.h"

void CriticalSection::Sync::Enter() {
    section_.enter();
}

void CriticalSection::Sync::Leave() {
    section_.leave();
}

// The section belongs to the CriticalSection and goes with it; a borrower's
// Kill is ignored so a lock another thread still holds never vanishes.
void CriticalSection::Sync::Kill() {}
