#include "app/MainList.h"

#include "app/Main.h"
#include "app/PasswordsFile.h"

namespace {

PageQueue::Row shownColumns(const BrowseRow1& row) {
    return {rt::Value(row.PAS_Title.clipped()), rt::Value(row.PAS_Location.clipped()),
            rt::Value(row.PAS_UserName.clipped()), rt::Value(row.PAS_Password.clipped())};
}

}  // namespace

void BRW1Class::Init(int listControl, rt::View& view, RecordPageQueue<BrowseRow1>& queue,
                     RelationManager& relation, WindowManager& window) {
    BrowseClass::Init(listControl, queue.Buffer.ViewPosition, view, queue, relation, window);
    if (window.Request == RequestView) return;
    InsertControl = MainControl::InsertButton;
    ChangeControl = MainControl::ChangeButton;
    DeleteControl = MainControl::DeleteButton;
}

MainList::MainList()
    : BRW1_View(PAS.File),
      Queue_Browse_1({"PAS:Title", "PAS:Location", "PAS:UserName", "PAS:Password", "PAS:Primary_ID",
                      "Mark", "ViewPosition"},
                     shownColumns) {}

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
}
