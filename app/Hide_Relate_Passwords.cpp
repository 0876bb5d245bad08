#include "app/Hide_Relate_Passwords.h"

thread_local RelationManager* Relate_Passwords = nullptr;

Hide_Relate_Passwords::Hide_Relate_Passwords(std::unique_ptr<Hide_Access_Passwords> access)
    : access_(std::move(access)) {}

Hide_Relate_Passwords::~Hide_Relate_Passwords() {
    Hide_Relate_Passwords::Kill();
}

void Hide_Relate_Passwords::Init() {
    access_->Init();
    RelationManager::Init(*access_, true);
}

void Hide_Relate_Passwords::Kill() {
    if (access_) access_->Kill();
    RelationManager::Kill();
    if (Relate_Passwords == this) Relate_Passwords = nullptr;
    Me = nullptr;
    access_.reset();
}
