// BrowseClass: the scroll bar's thumb, placed by the order's step object
// between the first and the last record, or by the page's place otherwise.
#include <cmath>

#include "browse/BrowseClass.h"
#include "browse/StepClass.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"

void BrowseClass::ResetThumbLimits() {
    BrowseSortOrder* order = current();
    if (!order || !order->Thumb || !order->Thumb->SetLimitNeeded() || order->FreeElement.isNull())
        return;
    if (!AllowUnfilled && ListQueue->Records() < ILC->GetItems()) return;
    // Two single reads: the last record's value, then the first's.
    positionView(0);
    View->setReadAhead(0);
    ErrorLevel last = Previous();
    rt::Value high = order->FreeElement.get();
    positionView(0);
    ErrorLevel first = Next();
    rt::Value low = order->FreeElement.get();
    if (last == LevelBenign && first == LevelBenign) order->Thumb->SetLimit(low, high);
}

void BrowseClass::UpdateThumb() {
    rt::Window* w = window();
    if (!w) return;
    int list = ILC->GetControl();
    int rows = ListQueue->Records(), items = ILC->GetItems();
    if (!HasThumb || !(rows >= items || AllowUnfilled)) {
        w->setProperty(list, rt::Prop::VScroll, rt::Value(0));
        return;
    }
    w->setProperty(list, rt::Prop::VScroll, rt::Value(1));
    BrowseSortOrder* order = current();
    if (!order || !order->Thumb || order->FreeElement.isNull()) {
        UpdateThumbFixed();
        return;
    }
    if (!Loaded || LoadPending) return;
    UpdateBuffer();
    int position = order->Thumb->GetPercentile(order->FreeElement.get());
    if (rows == items && position == 1) position = 0;
    if (rows == items && position == 99) position = 100;
    w->setProperty(list, rt::Prop::ScrollPos, rt::Value(position));
}

void BrowseClass::UpdateThumbFixed() {
    rt::Window* w = window();
    if (!w) return;
    int list = ILC->GetControl();
    bool immediate = w->property(list, rt::Prop::PageLoaded).number() != 0;
    int rows = ListQueue->Records(), items = ILC->GetItems();
    int position = 50;
    if (FileLoaded && rows > items) {
        if (CurrentChoice <= 1)
            position = 0;
        else if (immediate)
            position = static_cast<int>(std::lround(double(CurrentChoice) * (rows - items) / rows));
    } else if (ItemsToFill != 0) {
        bool down = CurrentEvent == rt::EventScrollDown || CurrentEvent == rt::EventPageDown ||
                    CurrentEvent == rt::EventScrollBottom;
        if (down && CurrentChoice == rows)
            position = immediate ? 100 : rows;
        else if (!down && CurrentChoice == 1)
            position = 0;
    }
    if (immediate || !FileLoaded) w->setProperty(list, rt::Prop::ScrollPos, rt::Value(position));
}
