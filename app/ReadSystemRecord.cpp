#include "app/ReadSystemRecord.h"

#include "app/Dictionary.h"
#include "runtime/host/Assert.h"
#include "window/Requests.h"

std::uint8_t ReadSystemRecord() {
    // A failed open reports itself.
    if (Access_System->UseFile(2) != LevelBenign) return 0;
    SYS.File.set();
    ErrorLevel level = Access_System->TryNext();
    if (level == LevelNotify && Access_System->GetEOF()) {
        Access_System->PrimeRecord();
        return RequestInsert;
    }
    if (level != LevelBenign) {
        // Only the end of the table means "no record": a read that failed
        // would otherwise admit an empty password.
        Access_System->Throw();
        return 0;
    }
    RT_ASSERT(SYS.File.records() <= 1, "ReadSystemRecord: more than one System record");
    return RequestChange;
}
