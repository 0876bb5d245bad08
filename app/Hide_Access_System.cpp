#include "app/Hide_Access_System.h"

#include "app/GlobalErrors.h"
#include "app/SystemFile.h"

thread_local FileManager* Access_System = nullptr;

void Hide_Access_System::Init() {
    Initialized = false;
    FileNameValue = "System";
    Errors = &GlobalErrors;
    File = &SYS.File;
    FileManager::Init();
    Access_System = this;
}

ErrorLevel Hide_Access_System::UseFile(int useType) {
    if (useType != 5) UseFile(5);
    if (useType == 5 && !Initialized) {
        InUseFile = true;
        Init(SYS.File, GlobalErrors);
        Create = true;  // a missing table is created when it is opened
        LockRecover = 10;
        AddKey(SYS.System_IDKey, "Sys:System_IDKey", 0);
    }
    return FileManager::UseFile(useType);
}

void Hide_Access_System::Kill() {
    FileManager::Kill();
    Access_System = nullptr;
}
