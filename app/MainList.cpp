#include "app/MainList.h"

#include "app/Main.h"
#include "app/PasswordsFile.h"

namespace {

PageQueue::Row shownColumns(const BrowseRow1& row) {
    return {rt::Value(row.PAS_Title.clipped()), rt::Value(row.PAS_Location.clipped()),
            rt::Value(row.PAS_UserName.clipped()), rt::Value(row.PAS_Password.clipped())};
}

std::vector<rt::FieldRef> rowFields(BrowseRow1& row) {
    return {row.PAS_Title,      row.PAS_Location, row.PAS_UserName, row.PAS_Password,
            row.PAS_Primary_ID, row.Mark,         row.ViewPosition};
}

constexpr const char* kSettingsFile = ".\\Lockora.INI";

}  // namespace

void BRW1Class::Init(int listControl, rt::View& view, RecordPageQueue<BrowseRow1>& queue,
                     RelationManager& relation, WindowManager& window) {
    BrowseClass::Init(listControl, queue.Buffer.ViewPosition, view, queue, relation, window);
    if (window.Request == RequestView) return;
    InsertControl = MainControl::InsertButton;
    ChangeControl = MainControl::ChangeButton;
    DeleteControl = MainControl::DeleteButton;
}

bool BRW1Class::SetSort(int order, bool force) {
    bool result = BrowseClass::SetSort(order, force);
    std::uint8_t& last = list_.BRW1_LastSortOrder;
    if (last != order) list_.BRW1_SortHeader.ClearSort();
    if (last == 0) {
        last = static_cast<std::uint8_t>(order);
        list_.BRW1_SortHeader.LoadSort();
    }
    last = static_cast<std::uint8_t>(order);
    return result;
}

void BRW1SortHeaderClass::QueueResorted(const std::string& order) {
    BRW1Class& browse = list_.BRW1;
    if (order.empty()) {
        browse.RestoreSort();
        browse.ResetSort(true);
    } else {
        browse.ReplaceSort(order, &list_.BRW1_Sort0_Locator, nullptr);
        browse.SetLocatorFromSort();
    }
}

MainList::MainList()
    : BRW1_View(PAS.File),
      Queue_Browse_1({"PAS:Title", "PAS:Location", "PAS:UserName", "PAS:Password", "PAS:Primary_ID",
                      "Mark", "ViewPosition"},
                     shownColumns, rowFields),
      BRW1(*this),
      BRW1_SortHeader(*this) {}

void MainList::Init(int list, RelationManager& relation, WindowManager& window) {
    BRW1.Init(list, BRW1_View, Queue_Browse_1, relation, window);
}

void MainList::SetUp() {
    BrowseRow1& row = Queue_Browse_1.Buffer;
    BRW1_Sort0_StepClass.Init(1);
    BRW1.AddSortOrder(&BRW1_Sort0_StepClass, PAS.KeyTitle);
    BRW1.AddLocator(BRW1_Sort0_Locator);
    BRW1_Sort0_Locator.Init(0, PAS.Primary_ID, true, BRW1);
    BRW1.AddField(PAS.Title, row.PAS_Title);
    BRW1.AddField(PAS.Location, row.PAS_Location);
    BRW1.AddField(PAS.UserName, row.PAS_UserName);
    BRW1.AddField(PAS.Password, row.PAS_Password);
    BRW1.AddField(PAS.Primary_ID, row.PAS_Primary_ID);
    const rt::FileDefinition& def = PAS.Definition;
    BRW1_View.setProjection({def.fieldIndex(PAS.Title), def.fieldIndex(PAS.Location),
                             def.fieldIndex(PAS.UserName), def.fieldIndex(PAS.Password),
                             def.fieldIndex(PAS.Primary_ID)});
}

// The sort is loaded at the browse's first SetSort, not here.
void MainList::InitSortHeader(rt::Window& window, const std::string& procedureName) {
    BRW1_SortHeader.Init(window, Queue_Browse_1, BRW1.ILC->GetControl(), "", "", &BRW1_View,
                         PAS.KeyPrimary);
    BRW1_SortHeader.SetStorageSettings(kSettingsFile, procedureName);
}
