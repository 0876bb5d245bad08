// FileManager: reading, priming, auto-numbering, inserting, updating and
// deleting records.
#include "data/FieldLimits.h"
#include "data/FileManager.h"
#include "data/RelationManager.h"
#include "runtime/store/FileErrors.h"
#include "runtime/host/LastError.h"

namespace {

constexpr int kAutoIncAttempts = 3;

// Keeps the runtime's last error across look-ups made only to name a key, so
// the message shows the error that failed the write.
class KeepLastError {
  public:
    KeepLastError() : saved_(rt::lastError()) {}
    ~KeepLastError() { rt::setLastError(saved_.code, saved_.driverCode, saved_.driverText); }
    KeepLastError(const KeepLastError&) = delete;
    KeepLastError& operator=(const KeepLastError&) = delete;

  private:
    rt::LastError saved_;
};

}  // namespace

// ---- reading --------------------------------------------------------------

ErrorLevel FileManager::Next() {
    return NextServer(true, false);
}

ErrorLevel FileManager::Previous() {
    return NextServer(true, true);
}

ErrorLevel FileManager::TryNext() {
    return NextServer(false, false);
}

ErrorLevel FileManager::TryPrevious() {
    return NextServer(false, true);
}

ErrorLevel FileManager::NextServer(bool handleError, bool prev) {
    if (UseFile(2) != LevelBenign) return LevelFatal;
    for (;;) {
        AtEOF = false;
        if (UseMRP && File->readAhead() == 0) File->setReadAhead(MRPSize);
        int code = prev ? File->previous() : File->next();
        if (code == rt::NoError) return LevelBenign;
        if (code == rt::ErrNoRecord) {
            AtEOF = true;
            return LevelNotify;
        }
        if (code == rt::ErrRecordHeld) {
            if (SkipHeldRecords) continue;
            SetError(ErrRecordHeld);
            return handleError ? Throw() : ErrorLevel{LevelNotify};
        }
        SetError(ErrRecordRetrieval);
        return handleError ? Throw() : ErrorLevel{LevelFatal};
    }
}

ErrorLevel FileManager::TryFetch(FileKey key) {
    if (UseFile(2) != LevelBenign) return LevelFatal;
    SetKey(key);
    return File->get(keyIndex(key)) == rt::NoError ? LevelBenign : LevelNotify;
}

ErrorLevel FileManager::Fetch(FileKey key) {
    ErrorLevel level = TryFetch(key);
    if (level != LevelBenign) File->clearBuffer();
    return level;
}

std::string FileManager::Position() {
    if (UseFile(2) != LevelBenign) return {};
    return PrimaryKey ? File->position(keyIndex((*Keys)[PrimaryKey - 1].Key)) : File->position();
}

ErrorLevel FileManager::TryReget(std::string_view position) {
    if (UseFile(2) != LevelBenign) return LevelNotify;
    return File->getByPosition(position) == rt::NoError ? LevelBenign : LevelNotify;
}

// ---- priming and auto-numbering -------------------------------------------

ErrorLevel FileManager::PrimeRecord(bool suppressClear) {
    if (UseFile(2) != LevelBenign) return LevelFatal;
    if (!AliasedFile) {
        if (!suppressClear) File->clearBuffer();
        PrimeFields();
        if (!HasAutoInc) return LevelBenign;
        AutoIncDone = false;
        return PrimeAutoInc();
    }
    FileManager& base = *AliasedFile;
    base.Open();
    std::uint16_t state = base.SaveFile();
    if (suppressClear) {
        std::uint16_t mine = SaveBuffer();
        base.RestoreBuffer(mine, *this, true);
    }
    ErrorLevel level = base.PrimeRecord(suppressClear);
    if (level == LevelBenign) {
        std::uint16_t primed = base.SaveFile();
        RestoreFile(primed, base, true);
    }
    base.RestoreFile(state, true);
    base.Close();
    return level;
}

ErrorLevel FileManager::PrimeAutoInc() {
    if (AliasedFile) return AliasedFile->PrimeAutoInc();
    return PrimeAutoIncServer(true);
}

ErrorLevel FileManager::TryPrimeAutoInc() {
    if (AliasedFile) return AliasedFile->TryPrimeAutoInc();
    return PrimeAutoIncServer(false);
}

// Numbers are reserved by adding the record at once, so two stations never
// get the same number.
ErrorLevel FileManager::PrimeAutoIncServer(bool handleError) {
    if (UseFile(2) != LevelBenign) return LevelFatal;
    if (!HasAutoInc || AutoIncDone) return LevelBenign;
    File->setReadAhead(0);
    for (int attempt = 0;;) {
        for (const KeyEntry& entry : *Keys)
            if (entry.AutoInc != 0)
                if (ErrorLevel level = numberKey(entry, handleError)) return level;
        int code = File->add();
        if (code == rt::NoError) {
            AutoIncDone = true;
            return LevelBenign;
        }
        if (++attempt < kAutoIncAttempts) continue;
        SetError(ErrAutoIncrement);
        if (code == rt::ErrDuplicateKey) nameDuplicatedKey();
        if (!handleError || Throw() != LevelBenign) return LevelNotify;
        attempt = 0;  // the user asked to try again
    }
}

// Computes the next number of one auto-numbered key component and stores it
// in the buffer, which otherwise stays as it was.
ErrorLevel FileManager::numberKey(const KeyEntry& entry, bool handleError) {
    if (Errors) Errors->SetKey(keyName(entry));
    const int key = keyIndex(entry.Key);
    const int n = entry.AutoInc;
    const KeyFieldEntry& numbered = (*entry.Fields)[n - 1];
    std::vector<rt::Value> prefix;
    for (int i = 0; i < n - 1; ++i) prefix.push_back((*entry.Fields)[i].Field.get());
    std::uint16_t saved = SaveBuffer();
    File->skipMemosOnNextRead();
    int code;
    if (n == 1) {
        File->set(key);
    } else {
        SetHighestValue(numbered.Field);
        File->setToBuffer(key, n);
    }
    code = numbered.Ascend ? File->previous() : File->next();
    std::int32_t value = 1;
    if (code == rt::NoError) {
        bool samePrefix = true;
        for (int i = 0; i < n - 1; ++i)
            samePrefix =
                samePrefix && rt::compareValues((*entry.Fields)[i].Field.get(), prefix[i]) == 0;
        if (samePrefix) value = static_cast<std::int32_t>(numbered.Field.get().number()) + 1;
    }
    RestoreBuffer(saved, true);
    if (code != rt::NoError && code != rt::ErrNoRecord) {
        SetError(ErrRecordRetrieval);
        return handleError ? Throw() : ErrorLevel{LevelNotify};
    }
    rt::FieldRef(numbered.Field).set(static_cast<double>(value));
    return LevelBenign;
}

void FileManager::nameDuplicatedKey() {
    KeepLastError keep;
    // No current record: every stored entry counts as a possible duplicate.
    File->getByPointer(0);
    for (const KeyEntry& entry : *Keys)
        if (File->duplicates(keyIndex(entry.Key))) {
            if (Errors) Errors->SetKey(keyName(entry));
            return;
        }
}

ErrorLevel FileManager::CancelAutoInc(RelationManager* relation) {
    if (UseFile(2) != LevelBenign || !HasAutoInc || !AutoIncDone) return LevelBenign;
    ErrorLevel level = relation ? relation->Delete(false) : DeleteRecord(false);
    if (level == LevelBenign) AutoIncDone = false;
    return level;
}

// ---- writing --------------------------------------------------------------

ErrorLevel FileManager::Insert() {
    return InsertServer(true);
}

ErrorLevel FileManager::TryInsert() {
    return InsertServer(false);
}

ErrorLevel FileManager::InsertServer(bool handleError) {
    if (UseFile(2) != LevelBenign) return LevelFatal;
    if (ValidateRecord() != LevelBenign) return LevelNotify;
    File->setReadAhead(0);
    int code;
    if (!HasAutoInc) {
        code = File->add();
    } else if (AutoIncDone) {
        code = File->put();  // added when it was primed: write the rest now
    } else {
        ErrorLevel level = handleError ? PrimeAutoInc() : TryPrimeAutoInc();
        if (level != LevelBenign) return LevelNotify;
        code = rt::NoError;
    }
    if (code == rt::NoError) {
        AutoIncDone = false;
        return LevelBenign;
    }
    if (code != rt::ErrDuplicateKey) {
        SetError(ErrInsertFailed);
        return handleError ? Throw() : ErrorLevel{LevelNotify};
    }
    SetError(ErrDuplicateKey);
    if (!handleError) return LevelNotify;
    KeepLastError keep;
    if (!HasAutoInc) File->getByPointer(0);
    for (const KeyEntry& entry : *Keys)
        if (File->duplicates(keyIndex(entry.Key))) {
            if (Errors) Errors->SetKey(keyName(entry));
            ThrowMessage(ErrDuplicateKey, entry.Description);
            break;
        }
    return LevelNotify;
}

ErrorLevel FileManager::Update() {
    return UpdateServer(1);
}

ErrorLevel FileManager::TryUpdate() {
    return UpdateServer(0);
}

// Mode 0 records errors silently, 1 shows them, 2 shows a change by another
// station as the variant that says its version is now displayed.
ErrorLevel FileManager::UpdateServer(int mode) {
    if (UseFile(2) != LevelBenign) return LevelFatal;
    if (ValidateRecord() != LevelBenign) return LevelUser;
    std::string position = Position();
    int code = File->put();
    if (code == rt::NoError) return LevelBenign;
    if (code == rt::ErrChangedByAnother) {
        SetError(mode == 2 ? ErrChangedByAnotherShown : ErrChangedByAnother);
        if (mode != 0) Throw();
        File->watch();
        TryReget(position);  // the buffer now shows the other station's version
        return LevelNotify;
    }
    SetError(ErrPutFailed);
    return mode != 0 ? Throw() : ErrorLevel{LevelNotify};
}

ErrorLevel FileManager::DeleteRecord(bool query) {
    if (UseFile(2) != LevelBenign) return LevelFatal;
    if (query && Throw(ErrConfirmDelete) != LevelBenign) return LevelCancel;
    if (File->remove() == rt::NoError) return LevelBenign;
    SetError(ErrDeleteFailed);
    return LevelNotify;
}
