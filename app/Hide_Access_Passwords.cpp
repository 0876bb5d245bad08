#include "app/Hide_Access_Passwords.h"

#include "app/GlobalErrors.h"
#include "app/PasswordsFile.h"
#include "runtime/expr/Bindings.h"

thread_local FileManager* Access_Passwords = nullptr;

void Hide_Access_Passwords::Init() {
    Initialized = false;
    FileNameValue = "Passwords";
    Errors = &GlobalErrors;
    File = &PAS.File;
    FileManager::Init();
    Access_Passwords = this;
}

ErrorLevel Hide_Access_Passwords::UseFile(int useType) {
    if (useType != 5) UseFile(5);
    if (useType == 5 && !Initialized) {
        InUseFile = true;
        Init(PAS.File, GlobalErrors);
        Create = true;  // a missing table is created when it is opened
        LockRecover = 10;
        AddKey(PAS.KeyPrimary, "PAS:KeyPrimary", 1);
        AddKey(PAS.KeyTitle, "PAS:KeyTitle", 0);
    }
    return FileManager::UseFile(useType);
}

void Hide_Access_Passwords::BindFields() {
    FileManager::BindFields();
    // Filters and sort orders may name the memo too.
    rt::bind("PAS:Notes", PAS.Notes);
}

void Hide_Access_Passwords::Kill() {
    FileManager::Kill();
    Access_Passwords = nullptr;
}
