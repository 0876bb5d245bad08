// BrowseEIPManager: completing the edited row: abandoning it, or writing it
// through the browse's file and relation managers.
#include "browse/BrowseClass.h"
#include "browse/BrowseEIPManager.h"
#include "browse/EditClass.h"
#include "data/FileManager.h"
#include "data/RelationManager.h"
#include "errors/ErrorIds.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/Window.h"

// The value typed into the cell goes into the page's row before the editor
// leaves it, so the list shows it.
void BrowseEIPManager::ClearColumn() {
    if (LastColumn != 0) {
        if (EditQueueEntry* entry = entryFor(LastColumn); entry && entry->Control)
            MyWindow->update(entry->Control->GetFeq());
        BC->ListQueue->Update();
    }
    EIPManager::ClearColumn();
}

void BrowseEIPManager::TakeCompleted(int force) {
    if ((force == EIPForceAsk || force == EIPForceSave) && TakeAcceptAll()) return;
    Again = false;
    ClearColumn();
    int decision = force == EIPForceAsk ? EIPForceSave : force;
    if (Fields->EqualLeftRight() && !WasPrimed) {
        decision = EIPForceAbandon;
    } else if (force == EIPForceAsk) {
        int answer = askMessage(ErrSaveRecord, rt::ButtonYes | rt::ButtonNo | rt::ButtonCancel,
                                rt::ButtonYes);
        if (answer == rt::ButtonYes)
            decision = EIPForceSave;
        else if (answer == rt::ButtonNo)
            decision = EIPForceAbandon;
        else
            Again = true;
    }
    Response = ResponseCancelled;
    if (!Again) {
        if (decision == EIPForceAbandon)
            abandonRow();
        else
            saveRow();
    }
    EIPManager::TakeCompleted(force);
}

// A new row leaves the page, and the record that priming reserved in the
// file to take its number goes, giving the number back.
void BrowseEIPManager::abandonRow() {
    if (Req != RequestInsert) return;
    if (BC->ListQueue->Fetch(BC->CurrentChoice)) BC->ListQueue->Delete();
    if (Insert != EIPInsertBefore) --BC->CurrentChoice;
    BC->Primary->Me->CancelAutoInc();
}

// A failed write leaves the record buffer as it was before the row was
// copied into it; the file manager has reported the failure.
void BrowseEIPManager::saveRow() {
    FileManager& me = *BC->Primary->Me;
    std::uint16_t saved = me.SaveBuffer();
    BC->UpdateBuffer();
    ErrorLevel level = Req == RequestInsert ? me.Insert() : BC->Primary->Update();
    if (level == LevelBenign)
        Response = ResponseCompleted;
    else
        Again = true;
    me.RestoreBuffer(saved, Again);
    BC->View->flush();
}
