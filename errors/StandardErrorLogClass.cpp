#include "errors/StandardErrorLogClass.h"

#include "pairs/CriticalProcedure.h"

StandardErrorLogClass::StandardErrorLogClass(std::string_view fileName)
    : file_(fileName, rt::LineFile::DefaultCapacity) {}

StandardErrorLogClass::~StandardErrorLogClass() {
    Close(true);
}

ErrorLevel StandardErrorLogClass::Open(bool force) {
    CriticalProcedure lock(CritSect);
    // Opening an open file again would fail with "file already open"; a forced
    // open of an open log only counts.
    if ((Usage == 0 || force) && !file_.isOpen()) {
        if (!rt::LineFile::exists(file_.path()) && file_.create() != 0) return LevelNotify;
        if (file_.open(rt::LineFile::Access::ReadWrite) != 0) return LevelNotify;
    }
    ++Usage;
    return LevelBenign;
}

ErrorLevel StandardErrorLogClass::Close(bool force) {
    CriticalProcedure lock(CritSect);
    // An unmatched close must not drive the count below zero, or the next
    // open would not open the file.
    if (Usage == 0 && !force) return LevelBenign;
    if (Usage == 1 || force) {
        if (file_.isOpen() && file_.close() != 0) return LevelNotify;
        Usage = 1;
    }
    --Usage;
    return LevelBenign;
}

ErrorLevel StandardErrorLogClass::Take(std::string_view text) {
    CriticalProcedure lock(CritSect);
    return file_.append(text) == 0 ? LevelBenign : LevelNotify;
}
