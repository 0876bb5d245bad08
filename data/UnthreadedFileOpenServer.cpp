#include "data/UnthreadedFileOpenServer.h"

#include "data/FileOpenServers.h"
#include "pairs/CriticalProcedure.h"
#include "runtime/store/FileErrors.h"

UnthreadedFileOpenServer::UnthreadedFileOpenServer() : CSect(std::make_unique<CriticalSection>()) {}

UnthreadedFileOpenServer::~UnthreadedFileOpenServer() = default;

std::int32_t UnthreadedFileOpenServer::OpenFile(int mode) {
    CriticalProcedure lock(*CSect);
    if (FileUsageCount > 0) {
        ++FileUsageCount;
        return 0;
    }
    int code = MyFile->open(mode);
    if (code != 0 && code != rt::ErrAlreadyOpen) return code;
    ++FileUsageCount;
    return 0;
}

std::int32_t UnthreadedFileOpenServer::CloseFile() {
    CriticalProcedure lock(*CSect);
    if (FileUsageCount == 1) {
        // A failed close keeps the count, so the next close tries again.
        if (int code = MyFile->close()) return code;
    }
    if (FileUsageCount > 0) --FileUsageCount;
    return 0;
}

void UnthreadedFileOpenServer::Link() {
    CriticalProcedure lock(*CSect);
    ++Usage;
}

void UnthreadedFileOpenServer::Release() {
    // The map's lock first: a server found in the map must not vanish while
    // CreateUnthreadedFileOpenServer links it.
    CriticalProcedure mapLock(&FileOpenServerMapLock());
    CriticalProcedure lock(*CSect);
    if (Usage > 0) {
        --Usage;
        return;
    }
    RemoveFromFileOpenServerMap(*MyFile);
    lock.Kill();
    delete this;
}
