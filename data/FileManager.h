#pragma once
// The access object of one table: opens it lazily and counts opens, primes,
// numbers, inserts, updates, deletes and reads records, keeps the key
// catalogue, saves and restores record images and file positions, and turns
// runtime failures into error ids for its ErrorClass. Sees every operation on
// its file through the call-back interface. Owns its catalogues and its hold
// on Opener; borrows File (and the record buffer its definition points into),
// Errors and AliasedFile. Belongs to one thread.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/IFileOpenServer.h"
#include "data/KeyFieldQueue.h"
#include "errors/ErrorClass.h"
#include "runtime/store/FileCallback.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/text/Value.h"

class RelationManager;

// A key reference: the key's declaration in its file's definition.
using FileKey = const rt::KeyDefinition*;

class FileManager : public rt::FileCallback {
  public:
    // One registered key.
    struct KeyEntry {
        FileKey Key = nullptr;
        std::string Description;  // up to 80 characters
        std::unique_ptr<KeyFieldQueue> Fields;
        int AutoInc = 0;  // 0 none, n: component n is numbered
        bool Dups = false;
        bool NoCase = false;
    };
    // One piece of a saved record image: the record's fields, or a memo's
    // text, or the null state.
    struct BufferEntry {
        std::vector<rt::Value> Record;
        std::string Text;
    };
    struct SavedEntry {
        std::uint16_t Buffer = 0;  // handle into Buffers
        bool AutoIncDone = false;
        int State = 0;    // the runtime's save-state handle
        std::string Pos;  // up to 1024 characters
    };
    // Field descriptions: created and disposed, never filled here.
    struct FieldEntry {
        std::string Tag;
        rt::FieldRef Fld;
        std::string FType;
        std::string FPicture;
    };

    FileManager();
    ~FileManager() override;
    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    // The call-back interface the runtime calls around every file operation.
    bool functionCalled(int op, const rt::FileCallParams& params, std::string& errCode,
                        std::string& errMsg) override;
    void functionDone(int op, const rt::FileCallParams& params, std::string& errCode,
                      std::string& errMsg) override;

    // The replaceable operations.
    virtual void BindFields();
    virtual ErrorLevel CancelAutoInc(RelationManager* relation = nullptr);
    virtual ErrorLevel Close();
    virtual bool EqualBuffer(std::uint16_t handle);
    virtual ErrorLevel Fetch(FileKey key);
    virtual void Init();
    virtual void Init(rt::KeyedFile& file, ErrorClass& errors);
    virtual ErrorLevel Insert();
    virtual void Kill();
    virtual ErrorLevel Next();
    virtual ErrorLevel Open();
    virtual ErrorLevel Previous();
    virtual ErrorLevel PrimeAutoInc();
    virtual void PrimeFields();
    virtual ErrorLevel PrimeRecord(bool suppressClear = false);
    virtual void RestoreBuffer(std::uint16_t& handle, bool doRestore = true);
    virtual std::uint16_t SaveBuffer();
    virtual ErrorLevel Throw(ErrorId id);
    virtual ErrorLevel Throw();
    virtual ErrorLevel ThrowMessage(ErrorId id, std::string_view text);
    virtual ErrorLevel TryFetch(FileKey key);
    virtual ErrorLevel TryInsert();
    virtual ErrorLevel TryNext();
    virtual ErrorLevel TryOpen();
    virtual ErrorLevel TryPrevious();
    virtual ErrorLevel TryPrimeAutoInc();
    virtual ErrorLevel TryUpdate();
    virtual ErrorLevel Update();
    virtual ErrorLevel UseFile(int useType = 2);
    virtual ErrorLevel ValidateField(int id);
    virtual ErrorLevel TryValidateField(int id);
    virtual ErrorLevel ValidateFieldServer(int id, bool handleErrors);
    virtual ErrorLevel ValidateFields(int low, int high, int* failedField = nullptr);
    virtual ErrorLevel ValidateRecord(int* failedField = nullptr);
    virtual ErrorLevel DeleteRecord(bool query = true);
    virtual bool Deleted();
    virtual void SetUseMRP(bool on);
    virtual bool GetUseMRP();
    virtual void SetMRPSize(int size);
    virtual int GetMRPSize();
    // Answer false from FunctionCalled to veto the operation.
    virtual bool FunctionCalled(int op, const rt::FileCallParams& params, std::string& errCode,
                                std::string& errMsg);
    virtual bool FunctionDone(int op, const rt::FileCallParams& params, std::string& errCode,
                              std::string& errMsg);
    virtual bool PreDelete(std::string& errCode, std::string& errMsg);
    virtual bool PostDelete(std::string& errCode, std::string& errMsg);
    virtual bool PreInsert(std::string& errCode, std::string& errMsg);
    virtual bool PostInsert(std::string& errCode, std::string& errMsg);
    virtual bool PreUpdate(std::string& errCode, std::string& errMsg);
    virtual bool PostUpdate(std::string& errCode, std::string& errMsg);

    // Keys. REQUIRES: the key belongs to File's definition.
    void AddKey(FileKey key, std::string_view description, int autoInc = 0);
    void SetKey(FileKey key);
    int GetComponents(FileKey key);
    rt::FieldRef GetField(FileKey key, int component);
    std::string GetFieldName(FileKey key, int component);
    bool GetFieldAscending(FileKey key, int component);
    std::string KeyToOrder(FileKey key, int start = 1);
    void ClearKey(FileKey key, int lowComp = 1, int highComp = 255, bool high = false);

    ErrorLevel TryReget(std::string_view position);
    std::string Position();
    void RestoreBuffer(std::uint16_t& handle, FileManager& from, bool doRestore);
    std::uint16_t SaveFile();
    void RestoreFile(std::uint16_t& handle, bool doRestore = true);
    void RestoreFile(std::uint16_t& handle, FileManager& from, bool doRestore);

    std::string GetName();
    std::int32_t GetOpened() const { return Opened; }
    bool IsOpened() const { return Initialized && Opened > 0; }
    bool GetEOF() const { return AtEOF; }
    void SetError(ErrorId id);
    void SetErrors(ErrorClass& errors) { Errors = &errors; }
    // The record buffer's fields and memos (the definition's), for images.
    const rt::FileDefinition& Definition() const { return File->definition(); }
    // The key's index in the definition, -1 when it is not this file's.
    int keyIndex(FileKey key) const;

    // The state, by the names its subclasses and companions use.
    FileManager* AliasedFile = nullptr;
    std::unique_ptr<std::map<std::int32_t, BufferEntry>> Buffers;
    bool Create = true;
    ErrorClass* Errors = nullptr;
    std::unique_ptr<std::vector<FieldEntry>> Fields;
    rt::KeyedFile* File = nullptr;
    rt::FieldRef FileName;  // when set, its value is the name
    std::string FileNameValue;
    bool HasAutoInc = false;
    bool InUseFile = false;
    int InCallBack = 0;
    int InClose = 0;
    bool InRestore = false;
    bool InView = false;
    bool Used = false;
    std::int32_t Opened = 0;
    bool AtEOF = false;
    bool AutoIncDone = false;
    ErrorId LastError = 0;
    bool LazyOpen = true;
    std::int16_t LockRecover = 10;
    int OpenMode = 0x42;
    bool OpenModeOverridden = false;
    int PrimaryKey = 0;  // 1-based position in Keys, 0 none
    std::unique_ptr<std::map<std::uint16_t, SavedEntry>> Saved;
    bool SkipHeldRecords = false;
    bool CleanedUp = false;
    std::unique_ptr<std::vector<KeyEntry>> Keys;
    bool BlobChanged = false;
    std::optional<std::vector<rt::Value>> PreviousBuffer;
    bool SavePreviousBuffer = false;
    bool Initialized = false;
    bool Killed = false;
    IFileOpenServer* Opener = nullptr;
    bool UseMRP = false;
    int MRPSize = 10;

  protected:
    ErrorLevel OpenServer(bool handleError, bool forceOpen);
    ErrorLevel OpenFile(bool handleError);
    ErrorLevel NextServer(bool handleError, bool prev);
    ErrorLevel InsertServer(bool handleError);
    ErrorLevel PrimeAutoIncServer(bool handleError);
    ErrorLevel UpdateServer(int mode);
    void Cleanup();

  private:
    friend class RelationManager;

    // Null (after an assertion) when the key was never added.
    KeyEntry* keyEntry(FileKey key);
    const KeyFieldEntry* component(FileKey key, int n);
    std::string keyName(const KeyEntry& entry) const;
    ErrorLevel numberKey(const KeyEntry& entry, bool handleError);
    void nameDuplicatedKey();
    std::vector<rt::Value> recordValues() const;
    void setRecordValues(const std::vector<rt::Value>& values);
    // Runs check on the aliased manager with this record in its buffer.
    template <typename Check>
    ErrorLevel onAlias(Check check);

    int currentKey_ = 0;  // 1-based position in Keys of the key SetKey chose
};
