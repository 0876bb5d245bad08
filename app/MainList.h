#pragma once
// The main window's credential list: the browse BRW1 over the Passwords
// table in the order of PAS:KeyTitle (entry number first), its step object
// and step locator on the entry number, its page queue Queue_Browse_1, its
// view, and the header sort BRW1_SortHeader that replaces the browse's order
// while a column sorts. Owns all of them; borrows the window manager, the
// window, the Passwords relation manager and the thread's PAS buffer, which
// must outlive it. Only the list's own thread.

#include <cstdint>
#include <string>

#include "browse/BrowseClass.h"
#include "browse/PageQueue.h"
#include "browse/SortHeaderClassType.h"
#include "browse/StepLocatorClass.h"
#include "browse/StepLongClass.h"
#include "runtime/store/View.h"
#include "runtime/text/FixedText.h"

// One row of the list: the shown columns, the entry number, a mark and the
// row's place in the view.
struct BrowseRow1 {
    rt::String<80> PAS_Title;
    rt::String<254> PAS_Location;
    rt::String<65> PAS_UserName;
    rt::String<10> PAS_Password;
    std::int32_t PAS_Primary_ID = 0;
    std::uint8_t Mark = 0;
    rt::String<1024> ViewPosition;
};

class MainList;

class BRW1Class : public BrowseClass {
  public:
    explicit BRW1Class(MainList& list) : list_(list) {}
    // The base Init; the row buttons act on the list unless the window only
    // shows records.
    void Init(int listControl, rt::View& view, RecordPageQueue<BrowseRow1>& queue,
              RelationManager& relation, WindowManager& window);
    // The base SetSort; a new order of the browse's own clears the header
    // sort, and the first one loads the saved header sort.
    bool SetSort(int order, bool force) override;

  private:
    MainList& list_;
};

class BRW1SortHeaderClass : public SortHeaderClassType {
  public:
    explicit BRW1SortHeaderClass(MainList& list) : list_(list) {}
    // An empty order gives the browse its own order back; any other replaces
    // it, with the locator on the order's first column.
    void QueueResorted(const std::string& order) override;

  private:
    MainList& list_;
};

class MainList {
  public:
    MainList();
    MainList(const MainList&) = delete;
    MainList& operator=(const MainList&) = delete;

    // Init step 6: the browse on list control `list` of window.
    void Init(int list, RelationManager& relation, WindowManager& window);
    // Init step 11: the sort order, its step object and locator, and the
    // columns. REQUIRES: Init.
    void SetUp();
    // Init step 16: the header sort on the list of window, kept in the
    // settings file under the procedure name. REQUIRES: SetUp.
    void InitSortHeader(rt::Window& window, const std::string& procedureName);

    rt::View BRW1_View;
    RecordPageQueue<BrowseRow1> Queue_Browse_1;
    StepLongClass BRW1_Sort0_StepClass;
    StepLocatorClass BRW1_Sort0_Locator;
    BRW1Class BRW1;
    BRW1SortHeaderClass BRW1_SortHeader;
    std::uint8_t BRW1_LastSortOrder = 0;
};
