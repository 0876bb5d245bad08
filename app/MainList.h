#pragma once
// The main window's credential list: the browse BRW1 over the Passwords
// table in the order of PAS:KeyTitle (entry number first), its step object
// and step locator on the entry number, its page queue Queue_Browse_1 and
// its view. Owns all of them; borrows the window manager, the Passwords
// relation manager and the thread's PAS buffer, which must outlive it.
// Only the list's own thread.

#include <cstdint>

#include "browse/BrowseClass.h"
#include "browse/PageQueue.h"
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

class BRW1Class : public BrowseClass {
  public:
    // The base Init; the row buttons act on the list unless the window only
    // shows records.
    void Init(int listControl, rt::View& view, RecordPageQueue<BrowseRow1>& queue,
              RelationManager& relation, WindowManager& window);
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

    rt::View BRW1_View;
    RecordPageQueue<BrowseRow1> Queue_Browse_1;
    StepLongClass BRW1_Sort0_StepClass;
    StepLocatorClass BRW1_Sort0_Locator;
    BRW1Class BRW1;
};
