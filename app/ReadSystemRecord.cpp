#include "app/ReadSystemRecord.h"

#include "app/Dictionary.h"
#include "runtime/host/Assert.h"
#include "runtime/host/Halt.h"
#include "window/Requests.h"

namespace {

// The exit code of a program ended by a fatal error.
constexpr int kUnreadableFileExitCode = 1;

}  // namespace

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
        // would otherwise admit an empty password. A data file that cannot
        // be read ends the program as a failure, as every fatal error does.
        Access_System->Throw();
        rt::halt(kUnreadableFileExitCode);
        return 0;
    }
    RT_ASSERT(SYS.File.records() <= 1, "ReadSystemRecord: more than one System record");
    return RequestChange;
}
