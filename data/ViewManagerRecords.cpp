// ViewManager: opening, positioning and stepping the view, priming records.
#include <algorithm>

#include "data/ViewManager.h"
#include "errors/ErrorIds.h"
#include "runtime/host/Assert.h"
#include "runtime/store/FileErrors.h"

void ViewManager::Open() {
    if (!Opened) {
        if (!Order || Order->Records() == 0) {
            RT_ASSERT(false, "At least 1 view order must be specified");
            return;
        }
        int code = View->open(rt::ReadWrite | rt::DenyWrite);
        Opened = code == rt::NoError || code == rt::ErrAlreadyOpen;
        if (!Opened) Primary->Me->Throw(ErrViewOpenFailed);
        View->setBuffering(PageSize, PagesBehind, PagesAhead, TimeOut);
    }
    ApplyOrder();
    ApplyFilter();
}

void ViewManager::Close() {
    Close(false);
}

void ViewManager::Close(bool force) {
    if (Opened || force) View->close();
    Opened = false;
}

void ViewManager::Reset() {
    Reset(0);
}

void ViewManager::Reset(int position) {
    Open();
    // A view that did not open has been reported already.
    if (!Opened) return;
    if (View->reset(static_cast<std::size_t>(position < 0 ? 0 : position)) != rt::NoError)
        Primary->Me->Throw(ErrViewOpenFailed);
}

ErrorLevel ViewManager::Next() {
    return step(true);
}

ErrorLevel ViewManager::Previous() {
    return step(false);
}

ErrorLevel ViewManager::step(bool forward) {
    int code;
    while ((code = forward ? View->next() : View->previous()) == rt::NoError) {
        int verdict = ValidateRecord();
        if (verdict == RecordOK) return LevelBenign;
        if (verdict == RecordOutOfRange) return LevelNotify;
    }
    if (code == rt::ErrNoRecord) return LevelNotify;
    Primary->Me->Throw(ErrRecordRetrieval);
    return LevelFatal;
}

int ViewManager::ValidateRecord() {
    return RecordOK;
}

int ViewManager::fixedComponents(const SortOrder& order) const {
    const auto* pairs = order.RangeList ? order.RangeList->List() : nullptr;
    int n = pairs ? static_cast<int>(pairs->size()) : 0;
    switch (order.LimitType) {
        case 1:
        case 2:
        case 4:
            return n;
        case 3:
            return n >= 2 ? n - 2 : 0;
        default:
            return 0;
    }
}

ErrorLevel ViewManager::PrimeRecord(bool suppressClear) {
    if (!suppressClear) ClearFilesRecord();
    SortOrder* order = selectedOrder();
    int fixed = order && order->MainKey ? fixedComponents(*order) : 0;
    if (fixed > 0) {
        fixed = std::min(fixed, Primary->Me->GetComponents(order->MainKey));
        const auto& pairs = *order->RangeList->List();
        for (int i = 1; i <= fixed; ++i)
            Primary->Me->GetField(order->MainKey, i).assign(pairs[i - 1].Right);
    }
    return Primary->Me->PrimeRecord(true);
}
