#include "window/ToolbarClass.h"

#include <string>

#include "runtime/host/Assert.h"

ToolbarClass::~ToolbarClass() {
    Kill();
}

void ToolbarClass::Init() {
    List = std::make_unique<std::vector<ClientEntry>>();
    current_ = -1;
}

void ToolbarClass::Kill() {
    List.reset();
    current_ = -1;
}

bool ToolbarClass::hasList(const char* operation) const {
    RT_ASSERT(List, std::string("ToolbarClass::") + operation + ": no client list");
    return List != nullptr;
}

void ToolbarClass::AddTarget(ToolbarClient& client, std::int32_t id) {
    if (!hasList("AddTarget")) return;
    for (ClientEntry& entry : *List) {
        if (entry.Id == id) {
            entry.Item = &client;
            return;
        }
    }
    List->push_back({id, &client});
}

void ToolbarClass::SetTarget(std::int32_t id) {
    if (!hasList("SetTarget")) return;
    if (id == 0) {
        for (std::size_t i = 0; i < List->size(); ++i)
            if ((*List)[i].Item->CanActivate()) current_ = static_cast<int>(i);
        return;
    }
    for (std::size_t i = 0; i < List->size(); ++i) {
        if ((*List)[i].Id != id) continue;
        current_ = static_cast<int>(i);
        (*List)[i].Item->Activate();
        return;
    }
    RT_ASSERT(false, "ToolbarClass::SetTarget: no client " + std::to_string(id));
}

std::int32_t ToolbarClass::CurrentId() const {
    return List && current_ >= 0 ? (*List)[static_cast<std::size_t>(current_)].Id : 0;
}

void ToolbarClass::DisplayButtons() {
    if (!hasList("DisplayButtons")) return;
    RT_ASSERT(current_ >= 0, "ToolbarClass::DisplayButtons: no current client");
    if (current_ >= 0) (*List)[static_cast<std::size_t>(current_)].Item->DisplayButtons();
}

void ToolbarClass::TakeEvent(std::int32_t& request, WindowManager& window) {
    if (!hasList("TakeEvent") || List->empty()) return;
    // Until a client is made current, the one registered last is in charge.
    std::size_t at = current_ >= 0 ? static_cast<std::size_t>(current_) : List->size() - 1;
    (*List)[at].Item->TakeEvent(request, window);
}
