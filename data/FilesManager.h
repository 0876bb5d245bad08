#pragma once
// The per-thread registry: maps each file to its file and relation manager,
// and keeps a usage stack per file and procedure so that a procedure that
// borrows a file its caller uses gives the caller its record and position
// back when it closes the file. Borrows the managers it maps. One per thread.

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/store/KeyedFile.h"

class ErrorClass;
class FileManager;
class RelationManager;

// The identity of the current thread's instance of a file.
using FileId = std::uintptr_t;

class FilesManager {
  public:
    struct FileMappingEntry {
        FileId FileLabel = 0;
        FileManager* Manager = nullptr;
    };
    struct RelationMappingEntry {
        FileId FileLabel = 0;
        RelationManager* Manager = nullptr;
    };
    // One file in one procedure's scope.
    struct StatusEntry {
        int Thread = 0;
        std::string Proc;
        FileId Id = 0;
        int UStat = 0;           // highest use type noted in this scope
        std::uint16_t Hold = 0;  // SaveFile handle, 0 none
        std::int16_t ScopeLevel = 1;
        std::int16_t NestedOpen = 0;
    };

    FilesManager() = default;
    FilesManager(const FilesManager&) = delete;
    FilesManager& operator=(const FilesManager&) = delete;

    // The calling thread's registry.
    static FilesManager& Current();
    static FileId GetFileID(const rt::KeyedFile& file);

    void AddFileMapping(FileManager& manager);
    void AddFileMapping(RelationManager& manager);
    FileManager* GetFileMapping(FileId label) const;
    RelationManager* GetRelationFileMapping(FileId label) const;
    void RemoveFileMapping(FileManager& manager);
    void RemoveFileMapping(FileId label);
    void RemoveRelationFileMapping(RelationManager& manager);
    void RemoveRelationFileMapping(FileId label);

    void NoteUsage(FileManager& manager, int useType);
    void NoteOpen(FileManager& manager);
    void NoteClose(FileManager& manager);

    ErrorClass* Errs = nullptr;
    std::vector<FileMappingEntry> FileMapping;          // sorted by FileLabel
    std::vector<RelationMappingEntry> RelationMapping;  // sorted by FileLabel
    std::vector<StatusEntry> StatusQ;

  private:
    // Position in StatusQ of the file's innermost scope on this thread, -1
    // when it has none. Sorts StatusQ by thread, file and scope level.
    int innermostScope(FileId id);
    std::string procedureName() const;
};
