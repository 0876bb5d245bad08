// The record-form behaviour of the window manager: priming the request,
// completing an insert, a change or a delete with their questions and
// retries, the save button, and what closing a changed form asks.
#include "data/FileManager.h"
#include "data/RelationManager.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Assert.h"
#include "window/WindowManager.h"

namespace {

constexpr int kYesNoCancel = rt::ButtonYes | rt::ButtonNo | rt::ButtonCancel;

}  // namespace

ErrorLevel WindowManager::PrimeUpdate() {
    RT_ASSERT(Primary, "WindowManager::PrimeUpdate: no primary relation manager");
    if (!Primary || !Primary->Me) return LevelFatal;
    FileManager& me = *Primary->Me;
    me.UseFile(3);
    Primary->Save();
    if (Files)
        for (FileEntry& entry : *Files) entry.Saved = entry.Manager->SaveBuffer();
    ErrorLevel result = LevelBenign;
    if (Request == RequestInsert && InsertAction != InsertActionNone) {
        Response = ResponseCompleted;
        PrimeFields();
        if (Response == ResponseCancelled) {
            result = LevelFatal;
        } else {
            Response = ResponseCancelled;
        }
    } else if (Request == RequestDelete &&
               (DeleteAction == DeleteActionConfirm || DeleteAction == DeleteActionSilent)) {
        Response = Primary->Delete(DeleteAction == DeleteActionConfirm) == LevelBenign
                       ? ResponseCompleted
                       : ResponseCancelled;
        result = LevelFatal;
    }
    Saved = me.SaveBuffer();
    return result;
}

ErrorLevel WindowManager::TakeCompleted() {
    SaveHistory();
    switch (Request) {
        case RequestInsert:
            return TakeInsertAction();
        case RequestChange:
            return TakeChangeAction();
        case RequestDelete:
            return TakeDeleteAction();
        case RequestSave:
            if (OriginalRequest == RequestInsert) return SaveOnInsertAction();
            if (OriginalRequest == RequestChange) return SaveOnChangeAction();
            return LevelBenign;
    }
    // A view steps on only with a form navigation component, and none exists.
    return LevelBenign;
}

bool WindowManager::recordChanged() {
    return Primary && Primary->Me && !Primary->Me->EqualBuffer(Saved);
}

bool WindowManager::HoldsUnsavedChanges() {
    if (Request != RequestInsert && Request != RequestChange && Request != RequestSave)
        return false;
    if (recordChanged()) return true;
    if (MyWindow && MyWindow->focus()) MyWindow->update(MyWindow->focus());
    return recordChanged();
}

void WindowManager::takeFreshSaved() {
    if (!Primary || !Primary->Me) return;
    if (Saved) Primary->Me->RestoreBuffer(Saved, false);
    Saved = Primary->Me->SaveBuffer();
}

ErrorLevel WindowManager::TakeInsertAction() {
    if (Primary->Me->Insert() != LevelBenign) {
        selectFirstField();
        return LevelNotify;
    }
    if (!BatchProcessing) {
        if (InsertAction == InsertActionClose) {
            SetResponse(ResponseCompleted);
            return LevelBenign;
        }
        if (InsertAction == InsertActionAsk && throwError(ErrRecordAdded) != LevelBenign) {
            SetResponse(ResponseCompleted);
            return LevelBenign;
        }
        if (InsertAction != InsertActionRepeat && InsertAction != InsertActionAsk)
            return LevelBenign;
    }
    return prepareNextRecord();
}

ErrorLevel WindowManager::prepareNextRecord() {
    FileManager& me = *Primary->Me;
    LastInsertedPosition = me.Position().substr(0, 1024);
    if (Files) {
        for (FileEntry& entry : *Files) {
            entry.Manager->RestoreBuffer(entry.Saved, true);
            entry.Saved = entry.Manager->SaveBuffer();
        }
    }
    me.RestoreBuffer(Saved, true);
    me.UseFile(3);
    if (me.PrimeAutoInc() != LevelBenign) {
        MyWindow->post(rt::EventCloseWindow);
    } else {
        PrimeFields();
        Response = ResponseCancelled;
    }
    Saved = me.SaveBuffer();
    redisplay();
    selectFirstField();
    return LevelNotify;
}

ErrorLevel WindowManager::writeChange(bool& changed) {
    for (;;) {
        Response = ResponseCancelled;
        setBusy(true);
        changed = recordChanged();
        ErrorLevel result = changed ? Primary->Update(HistoryKey != 0) : ErrorLevel{LevelBenign};
        setBusy(false);
        if (result == LevelBenign) return result;
        int answer = result == LevelUser ? askMessage(ErrSaveAgain, kYesNoCancel, rt::ButtonCancel)
                                         : rt::ButtonCancel;
        if (answer == rt::ButtonYes) continue;
        if (answer == rt::ButtonNo) {
            if (OriginalRequest != RequestInsert) MyWindow->post(rt::EventCloseWindow);
        } else {
            redisplay();
            selectFirstField();
        }
        return result;
    }
}

ErrorLevel WindowManager::TakeChangeAction() {
    bool changed = false;
    if (writeChange(changed) != LevelBenign) return LevelNotify;
    if (changed || (Toolbar && *VCRRequest == VcrNone)) Response = ResponseCompleted;
    if (OriginalRequest == RequestChange && !BatchProcessing && ChangeAction == ChangeActionClose)
        MyWindow->post(rt::EventCloseWindow);
    if (OriginalRequest == RequestInsert && Response == ResponseCompleted) {
        EnableCancelControls();
        Request = RequestInsert;
        if (InsertAction == InsertActionRepeat) return prepareNextRecord();
        if (!BatchProcessing && ChangeAction == ChangeActionClose)
            MyWindow->post(rt::EventCloseWindow);
    }
    return LevelBenign;
}

ErrorLevel WindowManager::TakeDeleteAction() {
    ErrorLevel result = LevelBenign;
    for (;;) {
        Response = ResponseCancelled;
        setBusy(true);
        result = Primary->Delete(DeleteAction == DeleteActionConfirm);
        setBusy(false);
        if (result == LevelBenign || result == LevelCancel) break;
        int answer = askMessage(ErrDeleteAgain, kYesNoCancel, rt::ButtonCancel);
        if (answer == rt::ButtonNo) {
            if (!BatchProcessing) MyWindow->post(rt::EventCloseWindow);
            return LevelBenign;
        }
        if (answer == rt::ButtonCancel) {
            redisplay();
            selectFirstField();
            return LevelBenign;
        }
    }
    if (!BatchProcessing) {
        // A declined confirmation deleted nothing: the caller must not be
        // told otherwise.
        SetResponse(result == LevelBenign ? ResponseCompleted : ResponseCancelled);
        return LevelBenign;
    }
    takeFreshSaved();
    redisplay();
    selectFirstField();
    return LevelNotify;
}

ErrorLevel WindowManager::SaveOnInsertAction() {
    if (BeforeSaveRequest == RequestInsert) {
        if (Primary->Me->Insert() != LevelBenign) {
            Request = RequestInsert;
        } else {
            Request = RequestChange;
            selectFirstField();
            takeFreshSaved();
            DisableCancelControls();
        }
        return LevelNotify;
    }
    Request = RequestChange;
    if (!recordChanged()) return LevelNotify;
    return SaveOnChangeAction();
}

ErrorLevel WindowManager::SaveOnChangeAction() {
    bool changed = false;
    if (writeChange(changed) == LevelBenign) {
        if (changed) Response = ResponseCompleted;
        takeFreshSaved();
        DisableCancelControls();
    }
    Request = RequestChange;
    return LevelNotify;
}

ErrorLevel WindowManager::TakeCloseEvent() {
    if (Response == ResponseCompleted || !Primary) return LevelBenign;
    // An edit still in the focused entry is a change too: without this, a
    // form closed while typing would drop it without asking.
    if (MyWindow && MyWindow->focus()) MyWindow->update(MyWindow->focus());
    if (CancelAction != 0 && (Request == RequestInsert || Request == RequestChange) &&
        recordChanged()) {
        if (CancelAction & CancelActionSave) {
            if (!(CancelAction & CancelActionAsk)) {
                MyWindow->post(rt::EventAccepted, OkControl);
                return LevelNotify;
            }
            int answer = askMessage(ErrSaveRecord, kYesNoCancel, rt::ButtonCancel);
            if (answer == rt::ButtonYes) {
                MyWindow->post(rt::EventAccepted, OkControl);
                return LevelNotify;
            }
            if (answer != rt::ButtonNo) {
                selectFirstField();
                return LevelNotify;
            }
        } else if (throwError(ErrChangesWillBeLost) != LevelBenign) {
            selectFirstField();
            return LevelNotify;
        }
    }
    if (OriginalRequest == RequestInsert && Response == ResponseCancelled &&
        Primary->CancelAutoInc() != LevelBenign) {
        selectFirstField();
        return LevelNotify;
    }
    if (!LastInsertedPosition.empty()) {
        Response = ResponseCompleted;
        Primary->Me->TryReget(LastInsertedPosition);
    }
    return LevelBenign;
}
