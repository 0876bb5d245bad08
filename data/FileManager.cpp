// FileManager: life cycle, use, logical and physical open and close, errors.
#include "data/FileManager.h"

#include "data/FileOpenServers.h"
#include "data/FilesManager.h"
#include "runtime/host/Assert.h"
#include "runtime/expr/Bindings.h"
#include "runtime/store/FileErrors.h"
#include "runtime/text/FixedText.h"

FileManager::FileManager() = default;

FileManager::~FileManager() {
    if (!Killed) Kill();
    if (File && File->isOpen() && Opened > 0 && File->definition().threaded())
        RT_ASSERT(false, "The file is still open. Open Counter is " + std::to_string(Opened) +
                             " on File: " + GetName());
    FileName = {};
}

void FileManager::Init() {
    Opened = 0;
    LazyOpen = true;
    Killed = false;
    UseMRP = false;
    MRPSize = 10;
    FilesManager::Current().AddFileMapping(*this);
}

void FileManager::Init(rt::KeyedFile& file, ErrorClass& errors) {
    Errors = &errors;
    File = &file;
    Opener = CreateFileOpenServer(file);
    Keys = std::make_unique<std::vector<KeyEntry>>();
    Buffers = std::make_unique<std::map<std::int32_t, BufferEntry>>();
    Saved = std::make_unique<std::map<std::uint16_t, SavedEntry>>();
    Fields = std::make_unique<std::vector<FieldEntry>>();
    SkipHeldRecords = false;
    if (!OpenModeOverridden) OpenMode = rt::ReadWrite | rt::DenyNone;
    Create = true;
    LockRecover = 10;
    PrimaryKey = 0;
    FileNameValue = file.name();
    CleanedUp = false;
    Initialized = true;
    Killed = false;
    UseMRP = false;
    MRPSize = 20;
    file.setCallback(this);
}

void FileManager::Kill() {
    if (!Initialized || Killed) {
        // Never fully initialised: the registry must still forget this
        // manager, or it would keep a pointer to a destroyed object.
        if (!Killed && File) FilesManager::Current().RemoveFileMapping(*this);
        return;
    }
    Cleanup();
    if (File->callback() == this) File->setCallback(nullptr);
    Killed = true;
    Initialized = false;
}

void FileManager::Cleanup() {
    if (CleanedUp) return;
    CleanedUp = true;
    while (Opened > 0) Close();
    FilesManager::Current().RemoveFileMapping(*this);
    Keys.reset();
    HasAutoInc = false;  // its keys are gone with them
    PreviousBuffer.reset();
    Buffers.reset();
    if (Saved)
        for (const auto& [id, entry] : *Saved) File->freeState(entry.State);
    Saved.reset();
    Fields.reset();
    if (Opener) Opener->Release();
    Opener = nullptr;
    FileName = {};
    OpenModeOverridden = false;
}

void FileManager::BindFields() {
    for (const auto& field : Definition().fields()) rt::bind(field.label, field.ref);
}

// ---- use and open ---------------------------------------------------------

ErrorLevel FileManager::UseFile(int useType) {
    InUseFile = true;
    ErrorLevel result = LevelBenign;
    if (useType == 5) {
        if (LazyOpen && !Used && Opened < 1) {
            // Counted open while it opens, so a successful open leaves 1.
            ++Opened;
            result = OpenServer(true, true);
            --Opened;
        } else if (LazyOpen && Used && Opened < 1) {
            result = OpenServer(true, false);
        }
    } else {
        if (useType != 4) FilesManager::Current().NoteUsage(*this, useType);
        if (LazyOpen && !Used) {
            if (Opened < 1) {
                InUseFile = false;
                return Throw(ErrFileNotOpen);
            }
            // The physical open must not disturb the record in the buffer.
            std::uint16_t handle = SaveBuffer();
            result = OpenFile(true);
            RestoreBuffer(handle, true);
        }
    }
    InUseFile = false;
    return result;
}

ErrorLevel FileManager::Open() {
    return OpenServer(true, false);
}

ErrorLevel FileManager::TryOpen() {
    return OpenServer(false, false);
}

ErrorLevel FileManager::OpenServer(bool handleError, bool forceOpen) {
    FilesManager::Current().NoteOpen(*this);
    BindFields();
    if (forceOpen || (!LazyOpen && Opened == 0))
        if (ErrorLevel level = OpenFile(handleError)) return level;
    ++Opened;
    return LevelBenign;
}

// The physical open: at most two attempts, with the read-only fallback, the
// key rebuild and the creation of a missing file each using one.
ErrorLevel FileManager::OpenFile(bool handleError) {
    auto errorExit = [&] { return handleError ? Throw() : ErrorLevel{LevelNotify}; };
    auto hardError = [&] {
        SetError(ErrOpenFailed);
        return errorExit();
    };
    if (UseFile(5) != LevelBenign) return hardError();
    for (int attempt = 1; attempt <= 2; ++attempt) {
        int code = Opener->OpenFile(OpenMode);
        if (code == rt::ErrAccessDenied) {
            File->send("Recover=" + std::to_string(LockRecover));
            code = Opener->OpenFile(OpenMode);
        }
        switch (code) {
            case rt::NoError:
                Used = true;
                AtEOF = false;
                AutoIncDone = false;
                return LevelBenign;
            case rt::ErrAccessDenied:
                if ((OpenMode & 3) == 0) return hardError();
                OpenMode &= 0xF0;
                if (handleError)
                    Throw(ErrAccessDenied);
                else
                    SetError(ErrAccessDenied);
                break;
            case rt::ErrKeysInvalid:
                SetError(ErrInvalidKey);
                if (!handleError) return LevelNotify;
                Throw();
                if (File->buildKeys() != 0) return Throw(ErrKeyNotBuilt);
                break;
            case rt::ErrFileNotFound:
                if (!Create) return hardError();
                if (File->create() != 0) {
                    SetError(ErrCreateFailed);
                    return errorExit();
                }
                break;
            default:
                return hardError();
        }
    }
    return hardError();
}

ErrorLevel FileManager::Close() {
    ++InClose;
    FilesManager::Current().NoteClose(*this);
    if (UseMRP) {
        UseMRP = false;
        File->setReadAhead(0);
    }
    if (Opened > 0) {
        if (Opened-- == 1) {
            if (Initialized && Opener) Opener->CloseFile();  // a failed close is not reported
            Used = false;
        }
    }
    --InClose;
    return LevelBenign;
}

// ---- names and errors -----------------------------------------------------

std::string FileManager::GetName() {
    std::string name = FileName.isNull() ? FileNameValue : FileName.get().text();
    return std::string(rt::rightTrim(name));
}

void FileManager::SetError(ErrorId id) {
    if (Errors) Errors->SetErrors();
    LastError = id;
}

ErrorLevel FileManager::Throw() {
    RT_ASSERT(Errors, "File manager has no error manager");
    if (!Errors) return LevelNotify;
    Errors->SetFile(GetName());
    return Errors->Throw(LastError);
}

ErrorLevel FileManager::Throw(ErrorId id) {
    SetError(id);
    return Throw();
}

ErrorLevel FileManager::ThrowMessage(ErrorId id, std::string_view text) {
    RT_ASSERT(Errors, "File manager has no error manager");
    if (!Errors) return LevelNotify;
    Errors->SetFile(GetName());
    return Errors->ThrowMessage(id, text);
}

// ---- accessors ------------------------------------------------------------

void FileManager::SetUseMRP(bool on) {
    UseMRP = on;
}

bool FileManager::GetUseMRP() {
    return UseMRP;
}

void FileManager::SetMRPSize(int size) {
    MRPSize = size;
}

int FileManager::GetMRPSize() {
    return MRPSize;
}

bool FileManager::Deleted() {
    return false;
}

void FileManager::PrimeFields() {}
