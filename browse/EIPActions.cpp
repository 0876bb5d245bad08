// EIPManager: what the editors' actions do, and completing the row.
#include "browse/EIPManager.h"
#include "browse/EditClass.h"

int EIPManager::forceFor(const std::uint8_t* setting, bool tab) {
    int how = setting ? (*setting & EIPActionHow) : (tab ? EIPActionSave : EIPActionDefault);
    switch (how) {
        case EIPActionSave:
            return EIPForceSave;
        case EIPActionAbandon:
            return EIPForceAbandon;
        case EIPActionAsk:
            return EIPForceAsk;
        default:
            return tab ? EIPForceAsk : EIPForceSave;
    }
}

bool EIPManager::continues(const std::uint8_t* setting, std::uint8_t bit) {
    return setting && (*setting & bit) != 0;
}

void EIPManager::TakeAction(int action) {
    if (action == EditActionNone) return;
    if (action != EditActionCancel) {
        EditQueueEntry* entry = entryFor(Column);
        if (entry && entry->Control) {
            int answer = entry->Control->TakeAccepted(action);
            // A refused value keeps the editor where it is.
            if (answer == EditActionCancel) return;
            action = answer;
        }
    }
    switch (action) {
        case EditActionForward:
            moveColumn(1);
            break;
        case EditActionBackward:
            if (Column >= 2) moveColumn(-1);
            break;
        case EditActionComplete:
            completeRow(Enter, false, VcrForward);
            break;
        case EditActionCancel:
            TakeCompleted(EIPForceAbandon);
            break;
        case EditActionNext:
            completeRow(Arrow, false, VcrForward, true);
            break;
        case EditActionPrevious:
            completeRow(Arrow, false, VcrBackward, true);
            break;
        default:
            break;
    }
}

// Tab past the last editable column completes the row by the Tab setting;
// Shift+Tab before the first stays.
void EIPManager::moveColumn(int step) {
    int next = editableColumn(Column + step, step);
    if (next != 0) {
        Column = next;
        SeekForward = step > 0;
        ResetColumn();
    } else if (step > 0) {
        completeRow(Tab, true, VcrForward);
    }
}

void EIPManager::completeRow(const std::uint8_t* setting, bool tab, std::int32_t vcr, bool arrow) {
    int column = Column;
    TakeCompleted(forceFor(setting, tab));
    if (Again || !continues(setting, EIPActionContinue)) return;
    *VCRRequest = vcr;
    if (arrow && continues(setting, EIPActionSameColumn)) Column = column;
}

void EIPManager::TakeFocusLoss() {
    TakeCompleted(forceFor(FocusLoss, false));
}

void EIPManager::TakeCompleted(int) {
    Column = 1;
    if (Again) ResetColumn();
}

bool EIPManager::TakeAcceptAll() {
    for (EditQueueEntry& entry : EQ->Entries) {
        if (!entry.Control || entry.Column == 0) continue;
        bool refused = entry.Control->TakeAccepted(EditActionNone) == EditActionCancel;
        bool empty = entry.Control->Req && !entry.Control->UseVar.get().truthy();
        if (refused || empty) {
            Column = entry.Column;
            Again = true;
            ResetColumn();
            return true;
        }
    }
    return false;
}
