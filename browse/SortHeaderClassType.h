#pragma once
// Sorts a list by clicks on its column headers: a click sorts by the column,
// a second click reverses it, Ctrl+click adds columns to a multi-column sort
// and Shift+click clears it. The pressed cell looks pressed while the button
// is down, and each sorted header shows its direction ("Title[+]", numbered
// when several columns sort: "Location[-2]"). The order text it builds (the
// unique key's components appended) goes to QueueResorted, which a
// subclass supplies; without a view it also sorts the list's queue itself.
// The sort is kept per procedure and list in a settings file or the registry
// stand-in. Owns its two queues and the region it lays over a pressed cell;
// borrows the window, the list's queue, the view and the key, which must
// outlive it. GUI thread only.
//
// Header-press states (MouseRegionStatus):
//   0 idle --press on a header cell--> 1 pressed, the mouse in the cell
//   1 --the mouse leaves the cell--> 2 --it comes back--> 1
//   1 --release--> 0, the click applied
//   2 --release--> 0, nothing applied

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "browse/PageQueue.h"
#include "data/FileManager.h"

namespace rt {
class View;
class Window;
enum class Prop : int;
}  // namespace rt

// A column's header as Init found it.
struct ListHeaderEntry {
    std::string ListHeaderText;  // up to 512 characters
    std::int32_t FieldNo = 0;    // the queue field the column shows
};

// A sorted column, in sort priority.
struct ListSortEntry {
    std::int32_t ListSortColumn = 0;
    std::int32_t PrevListSortColumn = 0;  // the column, negative when descending
};

class SortHeaderClassType {
  public:
    // Key codes of the clicks it takes.
    enum : int { Click = 1, ShiftClick = 257, CtrlClick = 513 };

    SortHeaderClassType() = default;
    virtual ~SortHeaderClassType();
    SortHeaderClassType(const SortHeaderClassType&) = delete;
    SortHeaderClassType& operator=(const SortHeaderClassType&) = delete;

    // The replaceable operations, in their slot order.
    // One column's order term: sign & name, or sign & "UPPER(" & name & ")"
    // for a text column sorting without regard to case.
    virtual std::string GetSortingColumnString(std::string_view sign, std::string_view name,
                                               std::string_view picture);
    // The new order ("" for the application's own): what the list should
    // now be sorted by.
    virtual void QueueResorted(const std::string& order) = 0;
    virtual bool ValidField(std::string_view name);
    virtual bool AllowDescending(std::string_view name);

    // Does nothing when already initialised. window holds the list; view may
    // be null (the queue is then sorted in memory), key may be null. With
    // both names given, the saved sort is loaded at once.
    void Init(rt::Window& window, PageQueue& listQueue, int listControl,
              std::string_view iniFileName, std::string_view procedureName, rt::View* view,
              FileKey key);
    // iniFileName: a settings file, or the decimal number of a registry root
    // (2147483648 to 2147483654); procedureName: its section (key).
    void SetStorageSettings(std::string_view iniFileName, std::string_view procedureName);
    // Alerts Shift+click and Ctrl+click on the window.
    void SetAlerts();
    // Every event of the window, before the window handles it: 1 consumed,
    // 2 a row was selected by the click, 0 not concerned.
    int TakeEvents();
    // The first sorted column, negative when descending; SortOrder when
    // nothing is sorted; 0 before Init.
    std::int32_t GetSortOrder() const;
    void ClearSort();
    // ClearSort, then the application's own order.
    void ResetSort();
    void LoadSort();
    void SaveSort();
    // "-PAS:LOCATION,PAS:TITLE": the sorted columns' queue field names.
    std::string GetStringFromSort() const;
    // Sorts by the columns text names; terms that name no sortable column
    // are skipped.
    void SetSortFromString(std::string_view text);
    // Builds the order of the sorted columns and hands it on.
    void SortQueue();
    // The row of the record whose first sort column holds FirstSortField,
    // or where it would stand.
    int FindRecord();
    void RestoreHeaderText();
    // The queue field name of column n in upper case ("PAS:TITLE"); "".
    std::string GetColumnName(int column) const;
    // Column n's header as Init found it, without trailing blanks; "".
    std::string GetColumnText(int column) const;
    // Saves the sort and lets everything go; harmless when called again.
    void Kill();

    // The fields, by their names.
    PageQueue* ListQueue = nullptr;
    std::unique_ptr<std::vector<ListHeaderEntry>> QueueListHeader;
    std::unique_ptr<std::vector<ListSortEntry>> QueueListSort;
    std::int32_t ListControl = 0;
    std::int32_t RegionControl = 0;  // 0: not initialised
    std::string IniFileName;         // up to 255 characters
    std::string ProcedureName;       // up to 255 characters
    std::int16_t SortOrder = 0;      // the column pressed or clicked last
    std::int16_t PrevSortOrder = 0;  // the single-column sort, negative descending
    std::uint8_t MouseRegionStatus = 0;
    bool ForceChangeSignOrder = false;
    bool ForceFindRecord = false;
    std::int32_t LastKeyCode = Click;
    std::string FirstSortField;  // up to 1024 characters
    rt::View* View = nullptr;
    FileKey PK = nullptr;
    bool DisableNonViewColumns = true;
    bool NoCase = true;
    bool UsePictureForCase = false;
    bool MultipleColumns = true;
    // The window that holds the list: this runtime reaches controls through it.
    rt::Window* Window = nullptr;

  protected:
    // Press and release on a header cell.
    void MousePressed();
    void MouseReleased();
    void SetRegionDown();
    void SetRegionUp();
    // Applies the click LastKeyCode names to the sort.
    void SetPrevSortOrder();

  private:
    int takeListEvent(int event, int key);
    int takeClick(int key);
    int takeRegionEvent(int event);
    bool inHeaderBand() const;
    bool insideRegion() const;
    void layRegion(int column);
    void noteFirstSortField(int column);
    // The list's numbers as the runtime reports them.
    int listNumber(rt::Prop prop, int index = 0) const;
    int columns() const;
    bool sortsColumn(int column) const;
    // The recorded header of the column, by the queue field it shows.
    const ListHeaderEntry* headerOf(int column) const;
    std::string pictureOf(int column) const;
    // Order term and key handling of SortQueue.
    std::string appendKeyComponents(const std::string& order) const;
    void sortListQueue(const std::string& order);
};
