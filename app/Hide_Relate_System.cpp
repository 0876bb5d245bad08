#include "app/Hide_Relate_System.h"

thread_local RelationManager* Relate_System = nullptr;

Hide_Relate_System::Hide_Relate_System(std::unique_ptr<Hide_Access_System> access)
    : access_(std::move(access)) {}

Hide_Relate_System::~Hide_Relate_System() {
    Hide_Relate_System::Kill();
}

void Hide_Relate_System::Init() {
    access_->Init();
    RelationManager::Init(*access_, true);
}

void Hide_Relate_System::Kill() {
    if (access_) access_->Kill();
    RelationManager::Kill();
    if (Relate_System == this) Relate_System = nullptr;
    Me = nullptr;
    access_.reset();
}
