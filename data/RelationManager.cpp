#include "data/RelationManager.h"

#include <algorithm>

#include "data/FilesManager.h"
#include "runtime/host/Assert.h"
#include "runtime/store/KeyedStation.h"
#include "runtime/store/KeyedTransaction.h"

RelationManager::~RelationManager() {
    RelationManager::Kill();
}

std::uint32_t& RelationManager::Epoch() {
    thread_local std::uint32_t epoch = 0;
    return epoch;
}

void RelationManager::Init(FileManager& me, bool useLogout) {
    Me = &me;
    Relations = std::make_unique<std::vector<RelationEntry>>();
    UseLogout = useLogout;
    LogoutTimeout = 2;
    FilesManager::Current().AddFileMapping(*this);
}

void RelationManager::Kill() {
    if (!Relations) return;
    FilesManager::Current().RemoveRelationFileMapping(*this);
    for (auto& relation : *Relations)
        if (relation.Fields) relation.Fields->Kill();
    Relations.reset();
}

void RelationManager::AddRelation(RelationManager& related, int updateMode, int deleteMode,
                                  FileKey hisKey, std::unique_ptr<BufferedPairsClass> fields) {
    if (!Relations) return;
    RelationEntry entry;
    entry.File = &related;
    entry.Fields = std::move(fields);
    entry.HisKey = hisKey;
    entry.UpdateMode = updateMode;
    entry.DeleteMode = deleteMode;
    Relations->push_back(std::move(entry));
}

void RelationManager::DeferedAddRelations() {}

void RelationManager::DeferedRelations() {
    if (DeferedRelationsDone) return;
    DeferedRelationsDone = true;
    DeferedAddRelations();
}

ErrorLevel RelationManager::CancelAutoInc() {
    return Me->CancelAutoInc(this);
}

// ---- open and close -------------------------------------------------------

ErrorLevel RelationManager::Open(bool cascading) {
    if (!Me->LazyOpen) ForcingOpen = true;
    ErrorLevel level = OpenCloseServer(cascading, true);
    ForcingOpen = false;
    return level;
}

ErrorLevel RelationManager::ForceOpen(bool cascading) {
    ForcingOpen = true;
    return Open(cascading);
}

ErrorLevel RelationManager::Close(bool cascading) {
    return OpenCloseServer(cascading, false);
}

// A top-level call starts a new epoch; a manager already touched in this
// epoch is not visited again, so cyclic relations end.
ErrorLevel RelationManager::OpenCloseServer(bool cascading, bool opening) {
    std::uint32_t& epoch = Epoch();
    if (!cascading)
        ++epoch;
    else if (LastTouched == epoch)
        return LevelBenign;
    const bool forcing = ForcingOpen;
    LastTouched = epoch;
    if (!Relations) {
        RT_ASSERT(false, "Relation manager incorrectly initialized.");
        return LevelProgram;
    }
    ErrorLevel result;
    if (opening) {
        result = Me->Open();
        // The primary table opens physically now; related ones stay lazy.
        if (result == LevelBenign && !cascading) result = Me->UseFile(2);
    } else {
        result = Me->Close();
    }
    if (!cascading || forcing) DeferedRelations();
    if (result != LevelBenign) return result;
    for (auto& relation : *Relations) {
        FileManager& his = *relation.File->Me;
        std::int32_t before = his.GetOpened();
        if (opening) {
            if (forcing)
                relation.File->ForceOpen(true);
            else
                relation.File->Open(true);
            if (his.GetOpened() > before) ++relation.Opened;
        } else if (relation.Opened > 0) {
            relation.File->Close(true);
            if (his.GetOpened() < before) --relation.Opened;
        }
    }
    return result;
}

// ---- transactions ---------------------------------------------------------

ErrorLevel RelationManager::LogoutPrime() {
    if (ErrorLevel level = Me->UseFile(2)) return level;
    if (!UseLogout) return LevelBenign;
    rt::KeyedFile* file = Me->File;
    if (AliasFile && !file->logout()) file = AliasFile->Me->File;
    if (!file->logout()) file->setLogout(true);
    return LevelBenign;
}

template <typename Step>
ErrorLevel RelationManager::enlistOnce(Step step) {
    if (inLogoutWalk_) return LevelBenign;
    inLogoutWalk_ = true;
    ErrorLevel level = step();
    inLogoutWalk_ = false;
    return level;
}

ErrorLevel RelationManager::LogoutUpdate() {
    return enlistOnce([this] {
        if (ErrorLevel level = LogoutPrime()) return level;
        DeferedRelations();
        for (auto& relation : *Relations)
            if (relation.UpdateMode == RIClear || relation.UpdateMode == RICascade)
                if (ErrorLevel level = relation.File->LogoutUpdate()) return level;
        return ErrorLevel{LevelBenign};
    });
}

ErrorLevel RelationManager::LogoutDelete() {
    return enlistOnce([this] {
        if (ErrorLevel level = LogoutPrime()) return level;
        DeferedRelations();
        for (auto& relation : *Relations) {
            ErrorLevel level = LevelBenign;
            if (relation.DeleteMode == RICascade)
                level = relation.File->LogoutDelete();
            else if (relation.DeleteMode == RIClear)
                level = relation.File->LogoutUpdate();
            if (level != LevelBenign) return level;
        }
        return ErrorLevel{LevelBenign};
    });
}

void RelationManager::collectEnlisted(std::vector<std::shared_ptr<rt::KeyedDatabase>>& dbs,
                                      std::vector<RelationManager*>& seen) {
    if (std::find(seen.begin(), seen.end(), this) != seen.end()) return;
    seen.push_back(this);
    rt::KeyedFile* file = Me->File;
    if (AliasFile && !file->logout()) file = AliasFile->Me->File;
    auto db = file->database();
    if (file->logout() && db && std::find(dbs.begin(), dbs.end(), db) == dbs.end())
        dbs.push_back(db);
    if (Relations)
        for (auto& relation : *Relations) relation.File->collectEnlisted(dbs, seen);
}

bool RelationManager::beginTransaction() {
    std::vector<std::shared_ptr<rt::KeyedDatabase>> dbs;
    std::vector<RelationManager*> seen;
    collectEnlisted(dbs, seen);
    rt::DbStatus status;
    return Me->File->station().begin(dbs, LogoutTimeout, status) == 0;
}

void RelationManager::rollback() {
    rt::KeyedStation& station = Me->File->station();
    rt::DbStatus status;
    if (UseLogout && station.inTransaction()) station.rollback(status);
}

bool RelationManager::commit() {
    return rt::commitTransaction(Me->File->station()) == 0;
}
