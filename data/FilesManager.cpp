#include "data/FilesManager.h"

#include <algorithm>
#include <tuple>

#include "data/FileManager.h"
#include "data/RelationManager.h"
#include "errors/ErrorClass.h"
#include "runtime/host/Assert.h"
#include "runtime/host/Thread.h"

namespace {

template <typename Entry>
auto lowerBound(std::vector<Entry>& list, FileId label) {
    return std::lower_bound(list.begin(), list.end(), label,
                            [](const Entry& e, FileId l) { return e.FileLabel < l; });
}

template <typename Entry>
auto findLabel(const std::vector<Entry>& list, FileId label) {
    auto it = std::lower_bound(list.begin(), list.end(), label,
                               [](const Entry& e, FileId l) { return e.FileLabel < l; });
    return it != list.end() && it->FileLabel == label ? it : list.end();
}

}  // namespace

FilesManager& FilesManager::Current() {
    static rt::PerThread<FilesManager> perThread;
    return perThread.get();
}

FileId FilesManager::GetFileID(const rt::KeyedFile& file) {
    return reinterpret_cast<FileId>(&file);
}

void FilesManager::AddFileMapping(FileManager& manager) {
    Errs = manager.Errors;
    if (!manager.File) {
        RT_ASSERT(false, "File manager has no file to map");
        return;
    }
    FileId label = GetFileID(*manager.File);
    if (findLabel(FileMapping, label) != FileMapping.end()) {
        RT_ASSERT(false, "Mapping for file already exists for the FM");
        return;
    }
    FileMapping.insert(lowerBound(FileMapping, label), {label, &manager});
}

void FilesManager::AddFileMapping(RelationManager& manager) {
    FileId label = GetFileID(*manager.Me->File);
    if (findLabel(RelationMapping, label) != RelationMapping.end()) {
        RT_ASSERT(false, "Mapping for file already exists for the RM");
        return;
    }
    RelationMapping.insert(lowerBound(RelationMapping, label), {label, &manager});
}

FileManager* FilesManager::GetFileMapping(FileId label) const {
    auto it = findLabel(FileMapping, label);
    return it == FileMapping.end() ? nullptr : it->Manager;
}

RelationManager* FilesManager::GetRelationFileMapping(FileId label) const {
    auto it = findLabel(RelationMapping, label);
    return it == RelationMapping.end() ? nullptr : it->Manager;
}

void FilesManager::RemoveFileMapping(FileManager& manager) {
    auto it = std::find_if(FileMapping.begin(), FileMapping.end(),
                           [&](const FileMappingEntry& e) { return e.Manager == &manager; });
    if (it != FileMapping.end()) FileMapping.erase(it);
}

void FilesManager::RemoveFileMapping(FileId label) {
    auto it = findLabel(FileMapping, label);
    if (it != FileMapping.end()) FileMapping.erase(it);
}

void FilesManager::RemoveRelationFileMapping(RelationManager& manager) {
    auto it = std::find_if(RelationMapping.begin(), RelationMapping.end(),
                           [&](const RelationMappingEntry& e) { return e.Manager == &manager; });
    if (it != RelationMapping.end()) RelationMapping.erase(it);
}

void FilesManager::RemoveRelationFileMapping(FileId label) {
    auto it = findLabel(RelationMapping, label);
    if (it != RelationMapping.end()) RelationMapping.erase(it);
}

std::string FilesManager::procedureName() const {
    return Errs ? Errs->GetProcedureName() : std::string();
}

int FilesManager::innermostScope(FileId id) {
    std::stable_sort(
        StatusQ.begin(), StatusQ.end(), [](const StatusEntry& a, const StatusEntry& b) {
            return std::tie(a.Thread, a.Id, a.ScopeLevel) < std::tie(b.Thread, b.Id, b.ScopeLevel);
        });
    int thread = rt::threadNumber();
    int found = -1;
    for (int i = 0; i < static_cast<int>(StatusQ.size()); ++i)
        if (StatusQ[i].Thread == thread && StatusQ[i].Id == id) found = i;
    return found;
}

void FilesManager::NoteUsage(FileManager& manager, int useType) {
    FileId id = GetFileID(*manager.File);
    std::string proc = procedureName();
    int scope = innermostScope(id);
    if (scope < 0) {
        StatusQ.push_back({rt::threadNumber(), proc, id, useType, 0, 1, 0});
        return;
    }
    if (StatusQ[scope].Proc == proc) {
        StatusQ[scope].UStat = std::max(StatusQ[scope].UStat, useType);
        return;
    }
    auto level = static_cast<std::int16_t>(StatusQ[scope].ScopeLevel + 1);
    StatusQ.push_back({rt::threadNumber(), proc, id, useType, 0, level, 0});
    if (useType != 1 && useType != 2) return;
    // The caller's record and position are saved before the callee touches
    // the file. SaveFile notes a usage again, so look the entry up afresh.
    std::uint16_t hold = manager.SaveFile();
    int mine = innermostScope(id);
    if (mine >= 0 && StatusQ[mine].ScopeLevel == level && StatusQ[mine].Hold == 0)
        StatusQ[mine].Hold = hold;
    else if (hold != 0)
        manager.RestoreFile(hold, false);
}

void FilesManager::NoteOpen(FileManager& manager) {
    int scope = innermostScope(GetFileID(*manager.File));
    if (scope >= 0 && StatusQ[scope].Proc == procedureName()) ++StatusQ[scope].NestedOpen;
}

void FilesManager::NoteClose(FileManager& manager) {
    FileId id = GetFileID(*manager.File);
    int scope = innermostScope(id);
    if (scope < 0 || StatusQ[scope].Proc != procedureName()) return;
    if (StatusQ[scope].NestedOpen > 0) {
        --StatusQ[scope].NestedOpen;
        return;
    }
    // Restore while the scope still stands: the restore uses the file again,
    // and that use must count in this scope rather than open a new one.
    if (std::uint16_t hold = StatusQ[scope].Hold) {
        StatusQ[scope].Hold = 0;
        // A procedure that changed records does not get the old record back.
        bool restore = StatusQ[scope].UStat < 3;
        manager.RestoreFile(hold, restore);
        scope = innermostScope(id);
    }
    if (scope >= 0) StatusQ.erase(StatusQ.begin() + scope);
}
