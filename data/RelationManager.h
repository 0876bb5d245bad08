#pragma once
// One table's file manager plus what concerns its related tables: opening
// and closing them together, referential integrity when linking fields
// change or a record is deleted, and transaction framing of those changes.
// Borrows Me and the related managers; owns its relation list and each
// entry's linking pairs. Belongs to one thread.

#include <cstdint>
#include <memory>
#include <vector>

#include "data/FileManager.h"
#include "pairs/BufferedPairsClass.h"

class RelationManager {
  public:
    // Referential-integrity modes of a relation.
    enum : int { RINone = 0, RIClear = 1, RIRestrict = 2, RICascade = 3 };

    struct RelationEntry {
        RelationManager* File = nullptr;
        // Left: this table's linking fields; right: the related table's;
        // buffer: the linking values before the change. May be null.
        std::unique_ptr<BufferedPairsClass> Fields;
        FileKey HisKey = nullptr;
        int UpdateMode = RINone;
        int DeleteMode = RINone;
        int Opened = 0;  // opens of the related table this manager made
    };

    RelationManager() = default;
    virtual ~RelationManager();
    RelationManager(const RelationManager&) = delete;
    RelationManager& operator=(const RelationManager&) = delete;

    // The replaceable operations.
    virtual ErrorLevel CancelAutoInc();
    virtual ErrorLevel Close(bool cascading = false);
    virtual ErrorLevel Delete(bool query = true);
    virtual ErrorLevel DeleteSecondary(FileKey hisKey, BufferedPairsClass* fields, int deleteMode,
                                       bool query);
    virtual void Kill();
    virtual ErrorLevel Open(bool cascading = false);
    virtual void Save();
    // propagate: 0 this table only; low seven bits 1 relations without
    // linking pairs, 2 those with, other values all; bit 7 marks a walk.
    virtual void SetQuickScan(bool on, int propagate = 0);
    virtual ErrorLevel Update(bool fromForm = false);
    virtual ErrorLevel UpdateSecondary(FileKey hisKey, BufferedPairsClass* fields, int updateMode);
    // Subclasses add their relations here (AddRelation); the base adds none.
    virtual void DeferedAddRelations();

    void Init(FileManager& me, bool useLogout);
    ErrorLevel ForceOpen(bool cascading = false);
    ErrorLevel CascadeUpdates();
    ErrorLevel LogoutPrime();
    ErrorLevel LogoutUpdate();
    ErrorLevel LogoutDelete();
    void DeferedRelations();
    // For DeferedAddRelations. fields may be null.
    void AddRelation(RelationManager& related, int updateMode, int deleteMode, FileKey hisKey,
                     std::unique_ptr<BufferedPairsClass> fields);

    FileManager* Me = nullptr;
    std::unique_ptr<std::vector<RelationEntry>> Relations;
    RelationManager* AliasFile = nullptr;
    bool PrevUseLogout = false;
    bool UseLogout = false;
    int LogoutTimeout = 2;  // seconds
    std::uint32_t LastTouched = 0;
    bool ForcingOpen = false;
    bool DeferedRelationsDone = false;

    // The calling thread's walk epoch.
    static std::uint32_t& Epoch();

  private:
    ErrorLevel OpenCloseServer(bool cascading, bool opening);
    // The files enlisted in this manager's transactions, reached through its
    // relations.
    void collectEnlisted(std::vector<std::shared_ptr<rt::KeyedDatabase>>& dbs,
                         std::vector<RelationManager*>& seen);
    bool beginTransaction();
    void rollback();
    // False when the disk refused the commit; the transaction is then rolled
    // back and the runtime's last error says why.
    bool commit();
    // One delete attempt; retryable is false when it ended before the record
    // delete itself was tried.
    ErrorLevel deleteAttempt(bool& retryable);
    // Runs one enlistment walk step unless this manager is already in it, so
    // cyclic relations end.
    template <typename Step>
    ErrorLevel enlistOnce(Step step);
    ErrorLevel secondaryFrame(FileKey hisKey, BufferedPairsClass* fields, bool fromLeft,
                              std::uint16_t& state);

    bool inLogoutWalk_ = false;
};
