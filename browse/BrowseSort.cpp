// BrowseClass: choosing the sort order, deciding when the page must be
// reloaded, repositioning, and temporary sort orders.
#include <climits>

#include "browse/BrowseClass.h"
#include "browse/LocatorClass.h"
#include "browse/WaitCursor.h"

namespace {

constexpr std::size_t kSavedSortSize = 512;

}  // namespace

bool BrowseClass::InitSort(int order) {
    ViewManager& manager = *this;
    if (!manager.SetSort(order)) return false;
    if (BrowseSortOrder* chosen = current(); chosen && chosen->Locator) chosen->Locator->Set();
    return true;
}

bool BrowseClass::SetSort(int order, bool force) {
    bool changed = InitSort(order);
    bool result = false;
    if (ApplyRange() || changed || force || !Loaded || LoadPending) {
        ResetResets();
        ApplyOrder();
        ApplyFilter();
        if (Loaded || !(Selecting || StartAtCurrent)) {
            if (ListQueue->Records() > 0) {
                View->reset(ListQueue->GetViewPosition());
                ResetQueue(ReloadFromPosition);
            } else {
                ResetQueue(ReloadAroundHighlight);
            }
        } else {
            positionFromBuffer();
            ResetQueue(ReloadFromPosition);
        }
        if (!LoadPending) {
            PostNewSelection();
            ResetFromView();
            result = true;
        }
    }
    UpdateBuffer();
    return result;
}

bool BrowseClass::ResetSort(bool force) {
    return SetSort(Sort ? Sort->Pointer() : 0, force);
}

// A new list size, a new range or a changed reset field calls for a reload.
bool BrowseClass::ApplyRange() {
    bool changed = false;
    int items = ILC->GetItems();
    if (items != LastItems && items >= 0) {
        if (FileLoaded) {
            LastItems = INT32_MAX;
        } else {
            LastItems = items;
            changed = true;
        }
    }
    if (!changed) {
        BrowseSortOrder* order = current();
        changed = ViewManager::ApplyRange() ||
                  (order && order->Resets && !order->Resets->EqualLeftRight());
    }
    if (changed) LoadPending = true;
    return changed;
}

void BrowseClass::ResetResets() {
    if (BrowseSortOrder* order = current(); order && order->Resets)
        order->Resets->AssignLeftToRight();
}

void BrowseClass::UpdateResets() {
    if (BrowseSortOrder* order = current(); order && order->Resets)
        order->Resets->AssignRightToLeft();
}

void BrowseClass::ResetFromView() {
    WaitCursor wait;
    ResetThumbLimits();
    UpdateThumb();
}

void BrowseClass::ResetFromFile() {
    View->reset(Primary->Me->Position());
    ResetQueue(ReloadFromPosition);
}

void BrowseClass::ResetFromBuffer() {
    BrowseSortOrder* order = current();
    positionView(order && order->MainKey ? Primary->Me->GetComponents(order->MainKey) : 1);
    ResetQueue(ReloadFromPosition);
    UpdateWindow();
}

void BrowseClass::SaveSort() {
    BrowseSortOrder* order = current();
    if (SavedSort || !order) return;
    SavedSort = true;
    SavedLocator = order->Locator;
    SavedLocatorField = order->Locator ? order->Locator->FreeElement : rt::FieldRef();
    SavedThumb = order->Thumb;
    SavedSortString = order->Order.substr(0, kSavedSortSize);
}

void BrowseClass::ReplaceSort(const std::string& order, LocatorClass* locator, StepClass* thumb) {
    if (!SavedSort) SaveSort();
    BrowseSortOrder* entry = current();
    if (!entry) return;
    entry->Locator = locator;
    if (locator) locator->SetShadow({});
    entry->Thumb = thumb;
    SetOrder(order);
    SetSort(Sort->Pointer(), true);
}

void BrowseClass::RestoreSort() {
    BrowseSortOrder* entry = current();
    if (!SavedSort || !entry) return;
    SavedSort = false;
    entry->Locator = SavedLocator;
    if (SavedLocator) SavedLocator->FreeElement = SavedLocatorField;
    SetOrder(SavedSortString);
    SetSort(Sort->Pointer(), true);
    SavedSortString.clear();
    entry->Thumb = SavedThumb;
    if (entry->Locator) {
        entry->Locator->SetShadow({});
        entry->Locator->UpdateWindow();
    }
}
