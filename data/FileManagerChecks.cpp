// FileManager: field validation (delegated for an alias) and the call-back
// interface through which it sees every operation on its file.
#include <cstdlib>

#include "data/FileManager.h"
#include "runtime/host/Assert.h"
#include "runtime/store/FileErrors.h"

namespace {

bool isAdd(int op) {
    return op == rt::OpAdd || op == rt::OpAppend || op == 51 || op == 59;
}

bool isPut(int op) {
    return op == rt::OpPut || op == 54 || op == 55;
}

bool isRead(int op) {
    switch (op) {
        case rt::OpGetByKey:
        case rt::OpGetByPosition:
        case rt::OpGetByPointer:
        case rt::OpNext:
        case rt::OpPrevious:
        case rt::OpReget:
        case 66:
        case 67:
            return true;
        default:
            return false;
    }
}

// Operations the runtime may run on a closed file.
bool runsClosed(int op) {
    return op == rt::OpClose || op == rt::OpThreadEnd || op == rt::OpSaveState ||
           op == rt::OpFreeState;
}

}  // namespace

// ---- validation -----------------------------------------------------------

template <typename Check>
ErrorLevel FileManager::onAlias(Check check) {
    FileManager& base = *AliasedFile;
    if (base.AliasedFile) {
        RT_ASSERT(false, "Cannot have alias based upon an alias");
        return LevelProgram;
    }
    if (ErrorLevel level = base.UseFile(2)) return level;
    std::uint16_t saved = base.SaveBuffer();
    std::uint16_t mine = SaveBuffer();
    base.RestoreBuffer(mine, *this, true);
    ErrorLevel level = check(base);
    base.RestoreBuffer(saved, true);
    return level;
}

ErrorLevel FileManager::ValidateFieldServer(int id, bool handleErrors) {
    if (AliasedFile)
        return onAlias(
            [&](FileManager& base) { return base.ValidateFieldServer(id, handleErrors); });
    return LevelBenign;
}

ErrorLevel FileManager::ValidateField(int id) {
    if (AliasedFile) return onAlias([&](FileManager& base) { return base.ValidateField(id); });
    return ValidateFieldServer(id, true);
}

ErrorLevel FileManager::TryValidateField(int id) {
    if (AliasedFile) return onAlias([&](FileManager& base) { return base.TryValidateField(id); });
    return ValidateFieldServer(id, false);
}

ErrorLevel FileManager::ValidateFields(int low, int high, int* failedField) {
    if (AliasedFile)
        return onAlias(
            [&](FileManager& base) { return base.ValidateFields(low, high, failedField); });
    for (int id = low; id <= high; ++id)
        if (ErrorLevel level = ValidateField(id)) {
            if (failedField) *failedField = id;
            return level;
        }
    return LevelBenign;
}

ErrorLevel FileManager::ValidateRecord(int* failedField) {
    if (AliasedFile)
        return onAlias([&](FileManager& base) { return base.ValidateRecord(failedField); });
    return ValidateFields(1, static_cast<int>(Definition().fields().size()), failedField);
}

// ---- call-backs -----------------------------------------------------------

bool FileManager::functionCalled(int op, const rt::FileCallParams& params, std::string& errCode,
                                 std::string& errMsg) {
    ++InCallBack;
    // A view over the file closing is not the file closing.
    if (op == rt::OpClose && !params.viaView) {
        if (InRestore && Opened > 0 && !params.nested) {
            // The close comes from restoring a saved state.
            Opened = 0;
            Used = false;
            Close();
        } else if (InClose == 0 && !InRestore && Opened != 0 && !params.nested &&
                   Definition().threaded()) {
            RT_ASSERT(false,
                      "You are calling CLOSE(" + GetName() + ") instead of FileManager.Close()");
        }
    } else if (op == rt::OpThreadEnd) {
        if (!params.instanceInUse)
            Cleanup();
        else if (Used)
            RT_ASSERT(false, "You have not called FileManager.Close() for " + GetName());
    }
    bool go = FunctionCalled(op, params, errCode, errMsg);
    InRestore = op == rt::OpRestoreState;
    --InCallBack;
    return go;
}

void FileManager::functionDone(int op, const rt::FileCallParams& params, std::string& errCode,
                               std::string& errMsg) {
    int code = std::atoi(errCode.c_str());
    if (code == rt::ErrFileNotOpen && !runsClosed(op) && LazyOpen && !Used && !params.nested &&
        !InUseFile && InCallBack == 0)
        RT_ASSERT(false, "You have not called FileManager.UseFile() for " + GetName());
    if (isAdd(op) || isPut(op) || op == rt::OpDelete) BlobChanged = false;
    if (isRead(op) && code == rt::NoError && SavePreviousBuffer) PreviousBuffer = recordValues();
    if (op == rt::OpWriteMemo) BlobChanged = true;
    if (op == rt::OpRestoreState) InRestore = false;
    ++InCallBack;
    FunctionDone(op, params, errCode, errMsg);
    --InCallBack;
}

bool FileManager::FunctionCalled(int op, const rt::FileCallParams& params, std::string& errCode,
                                 std::string& errMsg) {
    if (params.viaView) InView = true;
    if (InView) return true;
    if (isAdd(op)) return PreInsert(errCode, errMsg);
    if (op == rt::OpDelete) return PreDelete(errCode, errMsg);
    if (isPut(op)) return PreUpdate(errCode, errMsg);
    return true;
}

bool FileManager::FunctionDone(int op, const rt::FileCallParams& params, std::string& errCode,
                               std::string& errMsg) {
    bool viaView = InView;
    if (params.viaView) InView = false;
    if (viaView) return true;
    if (isAdd(op)) return PostInsert(errCode, errMsg);
    if (op == rt::OpDelete) return PostDelete(errCode, errMsg);
    if (isPut(op)) return PostUpdate(errCode, errMsg);
    return true;
}

bool FileManager::PreDelete(std::string&, std::string&) {
    return true;
}

bool FileManager::PostDelete(std::string&, std::string&) {
    return true;
}

bool FileManager::PreInsert(std::string&, std::string&) {
    return true;
}

bool FileManager::PostInsert(std::string&, std::string&) {
    return true;
}

bool FileManager::PreUpdate(std::string&, std::string&) {
    return true;
}

bool FileManager::PostUpdate(std::string&, std::string&) {
    return true;
}
