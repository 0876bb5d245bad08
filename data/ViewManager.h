#pragma once
// Drives one runtime view for a list browser: sort orders with their range
// limits and named filters, the view's order and filter texts, stepping,
// priming and saved record images. Owns its saved-image list and any order
// queue it made; borrows the view, the primary relation manager and a given
// queue, which must outlive it. One thread.
//
// Life cycle: Init (tables opened through UseView) -> AddSortOrder ... ->
// SetSort -> Open / Reset -> Next / Previous ... -> Close -> Kill (tables
// closed through UnUseView). A new order or filter text takes effect at the
// next Open or Reset.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/RelationManager.h"
#include "data/SortOrderQueue.h"
#include "runtime/store/View.h"

class ViewManager {
  public:
    // One record image saved by SaveBuffers.
    struct SavedBuffer {
        std::uint16_t Buff = 0;
        FileManager* FM = nullptr;  // borrowed
    };
    // Answers of ValidateRecord.
    enum : int { RecordOK = 0, RecordOutOfRange = 1, RecordFiltered = 2 };

    ViewManager() = default;
    // Kills the manager when it was initialised and not killed. A subclass
    // that replaces Kill calls its own Kill from its own destructor.
    virtual ~ViewManager();
    ViewManager(const ViewManager&) = delete;
    ViewManager& operator=(const ViewManager&) = delete;

    // The replaceable operations.
    virtual void AppendOrder(std::string_view text);
    virtual void ApplyFilter();
    virtual void ApplyOrder();
    // True when a range limit changed since it was last applied (the filter
    // is then applied again).
    virtual bool ApplyRange();
    virtual void Close();
    virtual void Close(bool force);
    virtual void ClearFilesRecord();
    virtual bool GetFreeElementAscending();
    virtual std::string GetFreeElementName();
    virtual int GetFreeElementPosition();
    virtual void Kill();
    // LevelBenign at a record, LevelNotify past the end, LevelFatal when the
    // read failed (reported as error 1).
    virtual ErrorLevel Next();
    virtual void Open();
    virtual ErrorLevel Previous();
    virtual ErrorLevel PrimeRecord(bool suppressClear = false);
    // Positions by the selected order's first `position` components taken
    // from the record buffer; 0: the start.
    virtual void Reset(int position);
    virtual void Reset();
    virtual void RestoreBuffers();
    virtual void SaveBuffers();
    virtual void SetFilter(std::string_view text);
    // Blank text removes the filter named id.
    virtual void SetFilter(std::string_view text, std::string_view id);
    virtual void SetOrder(std::string_view text);
    // Selects order number (0: the first); false when it already was selected.
    virtual bool SetSort(int number);
    // RecordOK, RecordOutOfRange (stop), or any other value (skip).
    virtual int ValidateRecord();

    // order may be null: the manager then makes and disposes its own queue.
    void Init(rt::View& view, RelationManager& primary, SortOrderQueue* order = nullptr);
    // Adds an order for key (may be null), selects it and answers its number.
    int AddSortOrder(FileKey key = nullptr);
    // The view field named first in the selected order, null when none.
    rt::FieldRef GetFirstSortField();
    // False only when the view's order sorts field descending.
    bool GetFieldAscending(const rt::FieldRef& field);
    void UseView();
    void UnUseView();

    bool DisposeOrder = false;
    bool Opened = false;
    SortOrderQueue* Order = nullptr;
    std::uint16_t PagesAhead = 0;
    std::uint16_t PagesBehind = 2;
    std::uint16_t PageSize = 20;
    RelationManager* Primary = nullptr;
    std::uint16_t TimeOut = 60;  // seconds
    rt::View* View = nullptr;
    std::unique_ptr<std::vector<SavedBuffer>> SavedBuffers;
    bool Inited = false;
    bool Killed = false;
    bool Used = false;

  protected:
    // The selected order, null (after an assertion) when there are none.
    SortOrder* selectedOrder();
    // The tables the view reads: its primary file.
    std::vector<rt::KeyedFile*> tables() const;
    // The range part of the filter text of an order.
    std::string rangeText(const SortOrder& order);
    // How many leading key components the order's range fixes to a value.
    int fixedComponents(const SortOrder& order) const;

  private:
    ErrorLevel step(bool forward);
    std::string rangeValue(const SortOrder& order, int pair, const std::string& name);
    void releaseSavedBuffers();

    std::unique_ptr<SortOrderQueue> ownedOrder_;
};
