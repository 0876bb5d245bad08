// BrowseClass: scrolling the page by row, page, end and thumb, and telling
// the list which row is highlighted.
#include <algorithm>

#include "browse/BrowseClass.h"
#include "browse/LocatorClass.h"
#include "browse/StepClass.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"

void BrowseClass::ScrollOne(int event) {
    CurrentEvent = event;
    if (event == rt::EventScrollUp && CurrentChoice > 1) {
        --CurrentChoice;
    } else if (event == rt::EventScrollDown && CurrentChoice < ListQueue->Records()) {
        ++CurrentChoice;
    } else if (!FileLoaded) {
        // The page slides by one; the row at the far end drops out.
        ItemsToFill = 1;
        Fetch(event == rt::EventScrollUp ? FillBackward : FillForward);
    }
}

void BrowseClass::ScrollPage(int event) {
    CurrentEvent = event;
    int visualRow = CurrentChoice - firstShown() + 1;
    int n = ILC->GetItems();
    if (!FileLoaded) {
        ItemsToFill = n;
        Fetch(event == rt::EventPageUp ? FillBackward : FillForward);
        n = ItemsToFill;  // the rows the page could not move by
    }
    if (event == rt::EventPageUp)
        CurrentChoice = std::max(1, CurrentChoice - n);
    else
        CurrentChoice = std::min(ListQueue->Records(), CurrentChoice + n);
    if (FileLoaded) keepVisualRow(visualRow);
}

void BrowseClass::ScrollEnd(int event) {
    CurrentEvent = event;
    if (!FileLoaded) {
        ListQueue->Free();
        View->set();
        ItemsToFill = ILC->GetItems();
        Fetch(event == rt::EventScrollTop ? FillForward : FillBackward);
    }
    CurrentChoice = event == rt::EventScrollTop ? 1 : ListQueue->Records();
}

void BrowseClass::TakeScroll(int event) {
    if (event == 0 && window()) event = window()->current().event;
    if (Records() == 0) return;
    switch (event) {
        case rt::EventScrollUp:
        case rt::EventScrollDown:
            ScrollOne(event);
            break;
        case rt::EventPageUp:
        case rt::EventPageDown:
            ScrollPage(event);
            break;
        case rt::EventScrollTop:
        case rt::EventScrollBottom:
            ScrollEnd(event);
            break;
    }
    TakeChoiceChanged();
}

void BrowseClass::TakeVCRScroll(std::int32_t request) {
    int event = 0;
    switch (request) {
        case VcrLast:
            event = rt::EventScrollBottom;
            break;
        case VcrFirst:
            event = rt::EventScrollTop;
            break;
        case VcrPageForward:
            event = rt::EventPageDown;
            break;
        case VcrPageBackward:
            event = rt::EventPageUp;
            break;
        case VcrForward:
            event = rt::EventScrollDown;
            break;
        case VcrBackward:
            event = rt::EventScrollUp;
            break;
        default:
            return;
    }
    TakeScroll(event);
    Window->Reset(false);
    Window->Update();
}

void BrowseClass::TakeChoiceChanged() {
    BrowseSortOrder* order = current();
    if (order && order->Locator) order->Locator->Set();
    PostNewSelection();
    if (!order || !order->Thumb) UpdateThumbFixed();
    UpdateBuffer();
}

void BrowseClass::PostNewSelection() {
    rt::Window* w = window();
    if (!w) return;
    if (PrevChoice == 0 && CurrentChoice == 0 && w->keyCode() != rt::MouseRightUp) return;
    PrevChoice = CurrentChoice;
    ILC->SetChoice(CurrentChoice);
    w->post(rt::EventNewSelection, ILC->GetControl());
}

// The thumb was let go: jump to an end, to the record the step object
// finds at that height, or page towards it.
void BrowseClass::TakeDrag() {
    rt::Window* w = window();
    int list = ILC->GetControl();
    double start = w->property(list, rt::Prop::ScrollPos).number();
    double p = start;
    if (p <= 1.0) {
        w->post(rt::EventScrollTop, list);
        return;
    }
    int rows = ListQueue->Records(), items = ILC->GetItems();
    if (rows > items) p = p * 100.0 / (rows - items);
    BrowseSortOrder* order = current();
    if (p >= 100.0) {
        w->post(rt::EventScrollBottom, list);
    } else if (FileLoaded) {
        int visualRow = CurrentChoice - firstShown() + 1;
        CurrentChoice = static_cast<int>(start / (rows - items) * rows);
        TakeChoiceChanged();
        keepVisualRow(visualRow);
        w->setProperty(list, rt::Prop::ScrollPos, rt::Value(static_cast<int>(start)));
    } else if (order && order->Thumb && !order->FreeElement.isNull()) {
        order->FreeElement.set(order->Thumb->GetValue(p));
        ResetFromBuffer();
    } else {
        w->post(p < 50.0 ? rt::EventPageUp : rt::EventPageDown, list);
    }
}

int BrowseClass::firstShown() const {
    rt::Window* w = window();
    return w ? std::max(1, static_cast<int>(
                               w->property(ILC->GetControl(), rt::Prop::FirstShown).number()))
             : 1;
}

void BrowseClass::keepVisualRow(int visualRow) {
    rt::Window* w = window();
    int list = ILC->GetControl();
    CurrentChoice = std::clamp(CurrentChoice, 1, std::max(1, ListQueue->Records()));
    w->setProperty(list, rt::Prop::FirstShown,
                   rt::Value(std::max(1, CurrentChoice - visualRow + 1)));
    ILC->SetChoice(CurrentChoice);
}
