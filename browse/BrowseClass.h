#pragma once
// Shows an ordered, filtered record set in a list control one page at a
// time: keeps in its queue exactly the rows the list shows, refills that page
// around the highlighted record when the order, the filter, the size or the
// data change, scrolls by row, page, end and thumb, positions from typed
// characters through the order's locator, and runs the insert, change,
// delete, view, select and print requests of its window's buttons, keys and
// right-click menu. A window component of its window. Owns its sort orders,
// field pairs, popup menu and standard behaviour; borrows the list, the
// queue, the view, the relation manager, the window manager, the locators
// and step objects, all of which must outlive it. GUI thread only.
//
// Page states:
//   never loaded (Loaded 0) --ResetQueue--> loaded
//   loaded --list hidden at reload, or ApplyRange saw a change--> pending
//     (LoadPending 1) --next SetSort / ResetSort--> loaded
//   NeedRefresh lives within one TakeEvent: a failed re-read of the
//   highlighted record turns the requested action into a reload.
// Sort states: normal --ReplaceSort--> temporary (SavedSort 1) --RestoreSort-->
//   normal.

#include <cstdint>
#include <memory>
#include <string>

#include "browse/BrowseQueue.h"
#include "browse/BrowseSortOrder.h"
#include "browse/EIPManager.h"
#include "browse/EditQueue.h"
#include "browse/IListControl.h"
#include "browse/PageQueue.h"
#include "browse/StandardBehavior.h"
#include "data/ViewManager.h"
#include "pairs/FieldPairsClass.h"
#include "window/PopupClass.h"
#include "window/WindowComponent.h"
#include "window/WindowManager.h"

class LocatorClass;
class StepClass;
class ToolbarClass;

class BrowseClass : public ViewManager, public WindowComponent {
  public:
    // Fill directions of Fetch.
    enum : int { FillBackward = 1, FillForward = 2 };
    // Modes of ResetQueue.
    enum : int {
        ReloadAroundHighlight = 1,  // re-read the page that is shown
        ReloadFromPosition = 2,     // the view stands on the record to show
    };

    BrowseClass() = default;
    ~BrowseClass() override;

    // Set-up, in this order: Init, AddSortOrder and AddLocator for each
    // order, AddField for every column; the window then calls SetAlerts and
    // Reset.
    void Init(IListControl& list, rt::View& view, BrowseQueue& queue, RelationManager& relation,
              WindowManager& window);
    // Over a plain queue whose buffer field `position` keeps each row's
    // view position, shown in list control listControl.
    void Init(int listControl, rt::FieldRef position, rt::View& view, PageQueue& queue,
              RelationManager& relation, WindowManager& window);
    // thumb may be null (no step object). Answers the order's number.
    int AddSortOrder(StepClass* thumb, FileKey key);
    // For the order added last.
    void AddLocator(LocatorClass& locator);
    // Copied file field to queue field when a row is read, in call order.
    void AddField(rt::FieldRef fileField, rt::FieldRef queueField);
    // REQUIRES: the current order has a locator (an assertion otherwise).
    void SetLocatorFromSort();

    // ViewManager slots replaced.
    bool ApplyRange() override;
    void Kill() override;
    ErrorLevel Next() override;
    ErrorLevel Previous() override;

    // WindowComponent slots not served by the browse's own operations below.
    using ViewManager::Reset;
    void Reset(bool force) override { ResetSort(force); }
    bool ResetRequired() override { return ApplyRange(); }
    void Update() override { UpdateViewRecord(); }

    // The browse's own operations, in slot order.
    virtual std::uint8_t Ask(std::uint8_t request);
    virtual std::uint8_t AskRecord(std::uint8_t request);
    virtual void Fetch(int direction);
    virtual bool InitSort(int order);
    virtual bool NotifyUpdateError();
    virtual void ResetFromAsk(std::uint8_t& request, std::uint8_t& response);
    virtual void ResetFromBuffer();
    virtual void ResetFromFile();
    virtual void ResetFromView();
    virtual void ResetQueue(int mode);
    virtual bool ResetSort(bool force);
    virtual void ScrollEnd(int event);
    virtual void ScrollOne(int event);
    virtual void ScrollPage(int event);
    void SetAlerts() override;
    virtual void SetQueueRecord();
    virtual bool SetSort(int order, bool force);
    virtual void SetUsePopup(bool use) { UsePopup = use; }
    virtual void SetUseMRP(bool use) { UseMRP = use; }
    virtual bool GetUseMRP() { return UseMRP; }
    virtual void TakeAcceptedLocator();
    // Always LevelBenign: the window offers the event to the next part.
    ErrorLevel TakeEvent() override;
    virtual bool TakeKey();
    virtual void TakeNewSelection();
    virtual void TakeScroll(int event = 0);
    virtual void TakeVCRScroll(std::int32_t request);
    virtual void UpdateBuffer();
    virtual void UpdateResets();
    virtual void UpdateThumb();
    virtual void UpdateThumbFixed();
    virtual void UpdateViewRecord();
    void UpdateWindow() override;

    // Temporary sort orders (header sorting). order: the order text; the
    // locator and the step object may be null.
    void ReplaceSort(const std::string& order, LocatorClass* locator, StepClass* thumb);
    void SaveSort();
    void RestoreSort();
    // Rows on the page; enables the locator only when there are some.
    int Records();
    void PostNewSelection();
    void TakeChoiceChanged();
    void ResetThumbLimits();
    void ResetResets();
    // Makes the edit-in-place manager unless the window gave one (EIP), and
    // hands it the action settings, the edit queue, the field pairs, the
    // window's error manager, list and navigation request.
    void CheckEIP();

    // The fields, by their names.
    bool ActiveInvisible = false;
    bool AllowUnfilled = false;
    std::uint8_t ArrowAction = 0;  // edit-in-place settings (EIPManager.h)
    std::uint8_t DeleteAction = 0;
    std::int32_t AskProcedure = 0;  // 0: the rows are edited in place
    std::unique_ptr<StandardBehavior> Behavior;
    std::uint16_t Buffer = 0;
    std::int32_t ChangeControl = 0;
    std::int32_t CurrentChoice = 0;
    std::int32_t CurrentEvent = 0;
    std::int32_t DeleteControl = 0;
    EIPManager* EIP = nullptr;
    std::unique_ptr<EditQueue> EditList;
    std::uint8_t EnterAction = 0;
    std::unique_ptr<FieldPairsClass> Fields;
    bool FileLoaded = false;
    bool UseMRP = true;
    std::uint8_t FocusLossAction = 0;
    bool FreeEIP = false;  // EIP was made by CheckEIP and goes with Kill
    bool HasThumb = false;
    bool HideSelect = false;
    IListControl* ILC = nullptr;
    std::int32_t InsertControl = 0;
    std::int32_t ItemsToFill = 0;
    std::int32_t LastChoice = 0;
    std::int32_t LastItems = 0;
    BrowseQueue* ListQueue = nullptr;
    bool LoadPending = false;
    bool Loaded = false;
    bool NeedRefresh = false;
    std::unique_ptr<PopupClass> Popup;
    bool UsePopup = true;
    bool EditViaPopup = true;
    std::int32_t PrevChoice = 0;
    std::int32_t PrintControl = 0;
    std::uint16_t PrintProcedure = 0;
    bool QuickScan = false;
    bool RetainRow = true;
    bool SavedSort = false;
    std::string SavedSortString;  // up to 512 characters
    LocatorClass* SavedLocator = nullptr;
    StepClass* SavedThumb = nullptr;
    rt::FieldRef SavedLocatorField;
    std::int32_t SelectControl = 0;
    bool SelectWholeRecord = false;
    bool Selecting = false;
    std::unique_ptr<BrowseSortOrderQueue> Sort;
    bool StartAtCurrent = false;
    std::uint8_t TabAction = 0;
    std::int32_t ToolControl = 0;
    ToolbarClass* Toolbar = nullptr;
    std::int32_t ViewControl = 0;
    WindowManager* Window = nullptr;

  protected:
    // The current sort order; null before the first AddSortOrder.
    BrowseSortOrder* current() const { return Sort ? Sort->Current() : nullptr; }
    rt::Window* window() const { return Window ? Window->MyWindow : nullptr; }
    // Through the replaceable view-manager positioning.
    void positionView(int components);
    // The view at the record in the primary buffer, by the order's free
    // element (or its first component when the order has no key).
    void positionFromBuffer();

  private:
    // What a reload keeps while it rebuilds the page.
    struct ReloadState {
        std::string highlight;  // position of the highlighted record
        int delta = 0;          // rows the highlight must still move down
        bool emptyBefore = false;
        int old = 0;  // the highlight's row before the reload
    };

    void TakeDrag();
    // Fetch steps: the boundary row's position, or "" for an empty page.
    std::string startFill(int direction);
    ErrorLevel fillOne(int direction, std::string& boundary);
    // ResetQueue's steps.
    void startAroundHighlight(ReloadState& state);
    void startFromPosition(ReloadState& state);
    void findHighlight(ReloadState& state);
    void fillAbove(ReloadState& state);
    void trimToPage(ReloadState& state);
    // A list that scrolls itself shows CurrentChoice on visual row.
    void keepVisualRow(int visualRow);
    int firstShown() const;
    bool pressIfEnabled(int control, bool refresh);
    void runRequest(std::uint8_t request);
    void takeAccepted(int control);
    void takeCloseWhileSelecting();
    void buildActionMenu();
    bool keepsFilter();
    bool locatorTakesKey();

    int readAheadWanted() const;

    std::unique_ptr<EIPManager> ownedEIP_;  // when FreeEIP
};
