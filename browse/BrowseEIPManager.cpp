// BrowseEIPManager: starting a request on the browse's page, the clicks on
// the list while a row is edited, and handing the page back to the browse.
#include "browse/BrowseEIPManager.h"

#include <algorithm>

#include "browse/BrowseClass.h"
#include "data/RelationManager.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Assert.h"

ErrorLevel BrowseEIPManager::Init() {
    BC->CurrentChoice = BC->ILC->Choice();
    ErrorLevel level = LevelBenign;
    switch (Req) {
        case RequestInsert:
            level = initInsert();
            break;
        case RequestChange:
            level = initChange();
            break;
        case RequestDelete:
            return initDelete();
        default:
            RT_ASSERT(false, "BrowseEIPManager::Init: not an insert, change or delete");
            return LevelFatal;
    }
    if (level != LevelBenign) return level;
    BC->ListQueue->Fetch(BC->CurrentChoice);
    MyWindow->removeAlert(rt::MouseLeft2, ListControl);
    return EIPManager::Init();
}

ErrorLevel BrowseEIPManager::initInsert() {
    if (Insert == EIPInsertAtEnd) BC->TakeScroll(rt::EventScrollBottom);
    if (BC->PrimeRecord() != LevelBenign) return LevelFatal;
    BC->Primary->Save();
    newRow_ = placeNewRow();
    BC->Fields->ClearRight();
    WasPrimed = !BC->Fields->EqualLeftRight();
    BC->SetQueueRecord();
    bool stored = BC->ListQueue->Insert(newRow_) == 0;
    RT_ASSERT(stored, "BrowseEIPManager::Init: the new row was not stored");
    BC->CurrentChoice = newRow_;
    MyWindow->display(ListControl);
    BC->ILC->SetChoice(newRow_);
    Column = 1;
    return LevelBenign;
}

// A full page drops the row at its far end: the first one when the
// highlight is on the last row (the highlight moves up with the page),
// otherwise the last one.
int BrowseEIPManager::placeNewRow() {
    BrowseQueue& queue = *BC->ListQueue;
    int rows = queue.Records();
    if (rows == 0) return 1;
    int choice = std::clamp(BC->CurrentChoice, 1, rows);
    int page = BC->LastItems > 0 ? BC->LastItems : BC->ILC->GetItems();
    if (rows >= page) {
        queue.Fetch(choice == rows ? 1 : rows);
        queue.Delete();
        if (choice == rows) --choice;
    }
    return std::max(1, Insert == EIPInsertBefore ? choice : choice + 1);
}

// The record buffer holds the whole highlighted record: the browse read it
// again before the request, or before it moved on to this row.
ErrorLevel BrowseEIPManager::initChange() {
    if (BC->ListQueue->Records() == 0) return LevelFatal;
    BrowseQueue& queue = *BC->ListQueue;
    queue.Fetch(BC->CurrentChoice);
    // The row keeps its own place: the view stands wherever it read last,
    // and a reload finds the highlighted row by this place.
    std::string position = queue.GetViewPosition();
    BC->SetQueueRecord();
    queue.SetViewPosition(position);
    queue.Update();
    BC->Primary->Save();
    if (MyWindow->keyCode() == rt::MouseLeft2) {
        int clicked =
            static_cast<int>(MyWindow->property(ListControl, rt::Prop::MouseColumn).number());
        if (clicked > 0) Column = clicked;
    }
    return LevelBenign;
}

ErrorLevel BrowseEIPManager::initDelete() {
    ErrorLevel level = LevelCancel;
    if (DeleteKeyAction != EIPDeleteNever)
        level = BC->Primary->Delete(DeleteKeyAction == EIPDeleteConfirm);
    Response = level == LevelBenign ? ResponseCompleted : ResponseCancelled;
    return LevelFatal;
}

ErrorLevel BrowseEIPManager::Kill() {
    BC->ResetFromAsk(Req, Response);
    ErrorLevel level = EIPManager::Kill();
    if (MyWindow) MyWindow->alert(rt::MouseLeft2, ListControl);
    return level;
}

// Only a click on the edited row moves the editor: the browse also posts
// new selections of its own, which must leave the editor where it is.
ErrorLevel BrowseEIPManager::TakeNewSelection() {
    if (currentControl() != ListControl) return LevelBenign;
    int row = BC->ILC->Choice();
    if (row == BC->CurrentChoice) {
        int mouseRow =
            static_cast<int>(MyWindow->property(ListControl, rt::Prop::MouseRow).number());
        int mouseColumn =
            static_cast<int>(MyWindow->property(ListControl, rt::Prop::MouseColumn).number());
        if (currentKey() == rt::MouseLeft && mouseRow == row && mouseColumn > 0) {
            Column = mouseColumn;
            ResetColumn();
        }
        return LevelBenign;
    }
    TakeFocusLoss();
    if (Again) {
        BC->ILC->SetChoice(BC->CurrentChoice);
        return LevelBenign;
    }
    // The new row was a stand-in: a saved record comes back from the file in
    // its place when the page is read again, around the row clicked.
    if (Req == RequestInsert) {
        if (Response == ResponseCompleted && BC->ListQueue->Fetch(newRow_)) BC->ListQueue->Delete();
        if (newRow_ < row) --row;
    }
    BC->CurrentChoice = row;
    Response = ResponseCancelled;
    return LevelFatal;
}
