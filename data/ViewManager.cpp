// ViewManager: life cycle, the view's tables, saved record images.
#include "data/ViewManager.h"

#include <algorithm>

#include "data/FilesManager.h"
#include "runtime/host/Assert.h"

namespace {

constexpr const char* kNoView = "View manager has not been assigned a view";

// Whether manager is still registered on this thread; a manager that was
// destroyed since is never dereferenced.
bool registered(const FileManager* manager) {
    const auto& map = FilesManager::Current().FileMapping;
    return std::any_of(map.begin(), map.end(),
                       [&](const auto& entry) { return entry.Manager == manager; });
}

}  // namespace

ViewManager::~ViewManager() {
    if (Inited && !Killed) Kill();
}

void ViewManager::Init(rt::View& view, RelationManager& primary, SortOrderQueue* order) {
    Inited = true;
    View = &view;
    Primary = &primary;
    if (order) {
        Order = order;
        DisposeOrder = false;
    } else {
        ownedOrder_ = std::make_unique<SortOrderQueue>();
        Order = ownedOrder_.get();
        DisposeOrder = true;
    }
    SavedBuffers = std::make_unique<std::vector<SavedBuffer>>();
    PageSize = 20;
    PagesBehind = 2;
    PagesAhead = 0;
    TimeOut = 60;
    Killed = false;
    UseView();
}

void ViewManager::Kill() {
    if (!Inited || Killed) return;
    if (Order)
        for (const auto& entry : *Order) {
            if (entry->RangeList) entry->RangeList->Kill();
            entry->RangeList.reset();
            entry->Filter.reset();
            entry->Order.clear();
            entry->FreeElement = {};
        }
    if (DisposeOrder) ownedOrder_.reset();
    Order = nullptr;
    releaseSavedBuffers();
    SavedBuffers.reset();
    Close();
    UnUseView();
    Killed = true;
}

std::vector<rt::KeyedFile*> ViewManager::tables() const {
    return {&View->primary()};
}

void ViewManager::UseView() {
    RT_ASSERT(View, kNoView);
    if (!View) return;
    FilesManager& files = FilesManager::Current();
    for (rt::KeyedFile* file : tables()) {
        RT_ASSERT(file, "View driver failed to return consituent file.");
        if (!file) return;
        FileId id = FilesManager::GetFileID(*file);
        FileManager* manager = files.GetFileMapping(id);
        RT_ASSERT(manager, "Unable to obtain file manager for constituent file:" + file->name());
        RelationManager* relation = files.GetRelationFileMapping(id);
        RT_ASSERT(relation,
                  "Unable to obtain relation manager for constituent file:" + file->name());
        if (!manager || !relation) return;
        relation->Open(false);
        Used = true;
        if (manager->UseFile(2) != LevelBenign) return;
    }
}

void ViewManager::UnUseView() {
    if (!Used) return;
    FilesManager& files = FilesManager::Current();
    for (rt::KeyedFile* file : tables())
        if (RelationManager* relation =
                files.GetRelationFileMapping(FilesManager::GetFileID(*file)))
            relation->Close(false);
    Used = false;
}

void ViewManager::ClearFilesRecord() {
    RT_ASSERT(View, kNoView);
    if (!View) return;
    for (rt::KeyedFile* file : tables()) file->clearBuffer();
}

void ViewManager::SaveBuffers() {
    RT_ASSERT(View, kNoView);
    RT_ASSERT(SavedBuffers, "View manager has not  properly initialized");
    if (!View || !SavedBuffers) return;
    // Images saved earlier and never restored would stay in their managers.
    releaseSavedBuffers();
    FilesManager& files = FilesManager::Current();
    for (rt::KeyedFile* file : tables())
        if (FileManager* manager = files.GetFileMapping(FilesManager::GetFileID(*file)))
            SavedBuffers->push_back({manager->SaveBuffer(), manager});
}

void ViewManager::RestoreBuffers() {
    RT_ASSERT(View, kNoView);
    RT_ASSERT(SavedBuffers, "View manager has not  properly initialized");
    if (!View || !SavedBuffers) return;
    for (auto& saved : *SavedBuffers)
        if (registered(saved.FM)) saved.FM->RestoreBuffer(saved.Buff, true);
    SavedBuffers->clear();
}

void ViewManager::releaseSavedBuffers() {
    if (!SavedBuffers) return;
    for (auto& saved : *SavedBuffers)
        if (registered(saved.FM)) saved.FM->RestoreBuffer(saved.Buff, false);
    SavedBuffers->clear();
}
