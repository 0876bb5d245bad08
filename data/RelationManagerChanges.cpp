// RelationManager: updates and deletes with referential integrity, and the
// driver's quick-scan mode over related tables.
#include "data/RelationManager.h"
#include "runtime/host/Assert.h"

namespace {

// Key components past the linking fields are cleared up to this one.
constexpr int kLastKeyComponent = 22;

bool activeMode(int mode) {
    return mode >= RelationManager::RIClear && mode <= RelationManager::RICascade;
}

}  // namespace

void RelationManager::Save() {
    DeferedRelations();
    if (!Relations) return;
    for (auto& relation : *Relations)
        if (relation.Fields) relation.Fields->AssignLeftToBuffer();
}

// ---- update ---------------------------------------------------------------

ErrorLevel RelationManager::Update(bool fromForm) {
    auto finish = [&](ErrorLevel level) {
        Close(false);
        return level;
    };
    if (ErrorLevel level = ForceOpen(false)) return finish(level);
    if (UseLogout) {
        if (ErrorLevel level = LogoutUpdate()) return finish(level);
        if (!beginTransaction()) {
            Me->Throw(ErrTransactionFrame);
            return finish(LevelNotify);
        }
    }
    if (ErrorLevel level = Me->TryUpdate()) {
        rollback();
        if (fromForm && Me->LastError == ErrChangedByAnother)
            Me->LastError = ErrChangedByAnotherShown;
        if (level == LevelNotify) Me->Throw();
        bool changedByAnother =
            Me->LastError == ErrChangedByAnother || Me->LastError == ErrChangedByAnotherShown;
        return finish(changedByAnother ? LevelNotify : LevelUser);
    }
    DeferedRelations();
    for (auto& relation : *Relations)
        if (activeMode(relation.UpdateMode) && relation.Fields &&
            !relation.Fields->EqualLeftBuffer()) {
            ErrorLevel level = relation.File->UpdateSecondary(
                relation.HisKey, relation.Fields.get(), relation.UpdateMode);
            if (level != LevelBenign) {
                rollback();
                relation.Fields->AssignRightToLeft();
                return finish(level);
            }
        }
    // A commit the disk refused wrote nothing: the change failed.
    if (UseLogout && !commit()) {
        Me->Throw(ErrPutFailed);
        return finish(LevelNotify);
    }
    return finish(LevelBenign);
}

// Positions Me on the first related record whose linking fields equal the
// values the pairs give (their left side when fromLeft, else their buffer).
ErrorLevel RelationManager::secondaryFrame(FileKey hisKey, BufferedPairsClass* fields,
                                           bool fromLeft, std::uint16_t& state) {
    if (ErrorLevel level = Me->UseFile(2)) return level;
    state = Me->SaveFile();
    Me->File->clearBuffer();
    if (fromLeft)
        fields->AssignLeftToRight();
    else
        fields->AssignBufferToRight();
    int linking = fields->List() ? static_cast<int>(fields->List()->size()) : 0;
    Me->ClearKey(hisKey, linking + 1, kLastKeyComponent, false);
    Me->File->setToBuffer(Me->keyIndex(hisKey));
    return LevelBenign;
}

ErrorLevel RelationManager::UpdateSecondary(FileKey hisKey, BufferedPairsClass* fields,
                                            int updateMode) {
    std::uint16_t state = 0;
    auto finish = [&](ErrorLevel level) {
        if (state) Me->RestoreFile(state, true);
        return level;
    };
    if (ErrorLevel level = secondaryFrame(hisKey, fields, false, state)) return finish(level);
    for (;;) {
        ErrorLevel level = Me->TryNext();
        if (level == LevelFatal) {
            rollback();
            Me->Throw();
            return finish(LevelNotify);
        }
        if (level != LevelBenign || !fields->EqualRightBuffer()) return finish(LevelBenign);
        Save();
        switch (updateMode) {
            case RIRestrict:
                Me->SetError(ErrReferencedUpdate);
                rollback();
                Me->Throw();
                fields->AssignBufferToLeft();
                return finish(LevelNotify);
            case RIClear:
                fields->ClearRight();
                break;
            case RICascade:
                fields->AssignLeftToRight();
                break;
            default:
                RT_ASSERT(false, "Invalid RI mode specified");
                return finish(LevelProgram);
        }
        if (CascadeUpdates() != LevelBenign) return finish(LevelNotify);
    }
}

ErrorLevel RelationManager::CascadeUpdates() {
    DeferedRelations();
    for (auto& relation : *Relations)
        if (activeMode(relation.UpdateMode) && relation.Fields &&
            !relation.Fields->EqualLeftBuffer())
            if (relation.File->UpdateSecondary(relation.HisKey, relation.Fields.get(),
                                               relation.UpdateMode) != LevelBenign) {
                relation.Fields->AssignRightToLeft();
                return LevelNotify;
            }
    if (Me->TryUpdate() == LevelBenign) return LevelBenign;
    rollback();
    return Me->Throw();
}

// ---- delete ---------------------------------------------------------------

ErrorLevel RelationManager::Delete(bool query) {
    if (query && Me->Throw(ErrConfirmDelete) != LevelBenign) return LevelCancel;
    for (;;) {
        bool retryable = false;
        ErrorLevel level = deleteAttempt(retryable);
        if (level == LevelBenign || !retryable) return level;
        if (Me->Throw(ErrDeleteAgain) != LevelBenign) return level;
    }
}

ErrorLevel RelationManager::deleteAttempt(bool& retryable) {
    auto finish = [&](ErrorLevel level) {
        if (level != LevelBenign) rollback();
        Close(false);
        return level;
    };
    std::string position = Me->Position();
    if (ErrorLevel level = ForceOpen(false)) return finish(level);
    if (UseLogout) {
        if (ErrorLevel level = LogoutDelete()) return finish(level);
        if (!beginTransaction()) {
            Me->Throw(ErrTransactionFrame);
            return finish(LevelNotify);
        }
    }
    Me->TryReget(position);  // read it again inside the transaction
    DeferedRelations();
    for (auto& relation : *Relations)
        if (activeMode(relation.DeleteMode))
            if (ErrorLevel level = relation.File->DeleteSecondary(
                    relation.HisKey, relation.Fields.get(), relation.DeleteMode, false))
                return finish(level);
    retryable = true;
    if (Me->DeleteRecord(false) != LevelBenign) {
        rollback();
        Me->Throw();
        return finish(LevelNotify);
    }
    if (UseLogout && !commit()) {
        Me->Throw(ErrDeleteFailed);
        return finish(LevelNotify);
    }
    return finish(LevelBenign);
}

ErrorLevel RelationManager::DeleteSecondary(FileKey hisKey, BufferedPairsClass* fields,
                                            int deleteMode, bool query) {
    std::uint16_t state = 0;
    auto finish = [&](ErrorLevel level) {
        if (state) Me->RestoreFile(state, true);
        return level;
    };
    if (!fields) return LevelBenign;  // nothing links the tables
    if (ErrorLevel level = secondaryFrame(hisKey, fields, true, state)) return finish(level);
    for (;;) {
        ErrorLevel level = Me->TryNext();
        if (level == LevelFatal) {
            rollback();
            Me->Throw();
            return finish(LevelNotify);
        }
        if (level != LevelBenign || !fields->EqualLeftRight()) return finish(LevelBenign);
        if (Me->Deleted()) continue;
        switch (deleteMode) {
            case RIRestrict:
                Me->SetError(ErrReferencedDelete);
                rollback();
                Me->Throw();
                return finish(LevelNotify);
            case RIClear:
                Save();
                fields->ClearRight();
                if (CascadeUpdates() != LevelBenign) return finish(LevelNotify);
                break;
            case RICascade:
                DeferedRelations();
                for (auto& relation : *Relations)
                    if (activeMode(relation.DeleteMode))
                        if (ErrorLevel inner = relation.File->DeleteSecondary(
                                relation.HisKey, relation.Fields.get(), relation.DeleteMode, query))
                            return finish(inner);
                if (Me->DeleteRecord(query) != LevelBenign) {
                    rollback();
                    Me->Throw();
                    return finish(LevelNotify);
                }
                break;
            default:
                RT_ASSERT(false, "Invalid RI mode");
                return finish(LevelProgram);
        }
    }
}

// ---- quick scan -----------------------------------------------------------

void RelationManager::SetQuickScan(bool on, int propagate) {
    if (Me->File->isOpen()) Me->File->send(on ? "QUICKSCAN=on" : "QUICKSCAN=off");
    if (propagate == 0) return;
    std::uint32_t& epoch = Epoch();
    if (!(propagate & 0x80)) {
        ++epoch;
        propagate |= 0x80;
    } else if (LastTouched == epoch) {
        return;
    }
    LastTouched = epoch;
    DeferedRelations();
    const int which = propagate & 0x7F;
    for (auto& relation : *Relations) {
        if (which == 1 && relation.Fields) continue;
        if (which == 2 && !relation.Fields) continue;
        relation.File->SetQuickScan(on, propagate);
    }
}
