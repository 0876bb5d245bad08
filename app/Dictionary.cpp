#include "app/Dictionary.h"

#include <memory>

#include "data/FilesManager.h"
#include "runtime/host/Thread.h"

// Built in this order and destroyed in reverse at thread end: the registry
// and the record buffers outlive the managers, which use them until killed.
thread_local FilesManager& dictionaryRegistry = FilesManager::Current();
thread_local PasswordsFile PAS;
thread_local SystemFile SYS;

namespace {

thread_local std::unique_ptr<Hide_Relate_System> relateSystem;
thread_local std::unique_ptr<Hide_Relate_Passwords> relatePasswords;

void FilesInit() {
    relateSystem->Init();
    relatePasswords->Init();
}

}  // namespace

void DctInit() {
    auto accessSystem = std::make_unique<Hide_Access_System>();
    relateSystem = std::make_unique<Hide_Relate_System>(std::move(accessSystem));
    Relate_System = relateSystem.get();
    auto accessPasswords = std::make_unique<Hide_Access_Passwords>();
    relatePasswords = std::make_unique<Hide_Relate_Passwords>(std::move(accessPasswords));
    Relate_Passwords = relatePasswords.get();
    FilesInit();
}

void DctKill() {
    if (relateSystem) relateSystem->Kill();
    relateSystem.reset();
    if (relatePasswords) relatePasswords->Kill();
    relatePasswords.reset();
}

Dictionary::Dictionary() {
    // Built before this object is, the buffers outlive it at thread end.
    (void)dictionaryRegistry;
    (void)PAS;
    (void)SYS;
    if (rt::threadNumber() != 1) DctInit();
}

Dictionary::~Dictionary() {
    DctKill();
}
