#include "app/ReadSystemRecord.h"

#include "app/Dictionary.h"
#include "runtime/host/Assert.h"
#include "window/Requests.h"

std::uint8_t ReadSystemRecord() {
    Access_System->UseFile(2);
    SYS.File.set();
    if (Access_System->TryNext() != LevelBenign) {
        Access_System->PrimeRecord();
        return RequestInsert;
    }
    RT_ASSERT(SYS.File.records() <= 1, "ReadSystemRecord: more than one System record");
    return RequestChange;
}
