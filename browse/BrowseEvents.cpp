// BrowseClass: the events its window forwards, keys and clicks on the list,
// and the buttons that run its requests.
#include "browse/BrowseClass.h"
#include "browse/LocatorClass.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"

ErrorLevel BrowseClass::TakeEvent() {
    rt::Window* w = window();
    if (!w || !ILC) return LevelBenign;
    const rt::WindowEvent event = w->current();
    int list = ILC->GetControl();
    if (event.control == 0) {
        CurrentChoice = ILC->Choice();
    } else if (event.control == list) {
        switch (event.event) {
            case rt::EventNewSelection:
                TakeNewSelection();
                break;
            case rt::EventScrollUp:
            case rt::EventScrollDown:
            case rt::EventPageUp:
            case rt::EventPageDown:
            case rt::EventScrollTop:
            case rt::EventScrollBottom:
                TakeScroll(0);
                break;
            case rt::EventScrollDrag:
                TakeDrag();
                break;
            case rt::EventAlertKey:
                TakeKey();
                break;
        }
    }
    NeedRefresh = false;
    if (event.event == rt::EventAccepted) takeAccepted(event.control);
    if (NeedRefresh) {
        ResetQueue(ReloadFromPosition);
        NeedRefresh = false;
    } else if (event.event == rt::EventCloseWindow && Selecting) {
        takeCloseWhileSelecting();
    }
    return LevelBenign;
}

void BrowseClass::takeAccepted(int control) {
    if (control == 0) return;
    if (control == DeleteControl) {
        runRequest(RequestDelete);
    } else if (control == ChangeControl) {
        runRequest(RequestChange);
    } else if (control == InsertControl) {
        runRequest(RequestInsert);
    } else if (control == ViewControl) {
        runRequest(RequestView);
    } else if (control == SelectControl) {
        Window->Response = ResponseCompleted;
        window()->post(rt::EventCloseWindow);
    } else if (control == PrintControl) {
        UpdateViewRecord();
        if (!NeedRefresh) {
            Window->Run(PrintProcedure, RequestProcess);
            UpdateBuffer();
        }
    } else if (control == ToolControl) {
        Popup->Toolbox("Browse Actions");
    } else {
        TakeAcceptedLocator();
    }
}

// The window takes its variables from the controls and the highlighted
// record is read again; a record that changed meanwhile stops the request.
void BrowseClass::runRequest(std::uint8_t request) {
    Window->Update();
    if (!NeedRefresh) Ask(request);
}

void BrowseClass::takeCloseWhileSelecting() {
    FileManager& me = *Primary->Me;
    if (Window->Response == ResponseCompleted) {
        me.RestoreBuffer(Buffer, false);
        if (SelectWholeRecord)
            UpdateViewRecord();
        else
            UpdateBuffer();
    } else {
        me.RestoreBuffer(Buffer, true);
    }
}

void BrowseClass::TakeNewSelection() {
    rt::Window* w = window();
    if (ListQueue->Records() > 0) {
        CurrentChoice = LastChoice = ILC->Choice();
        UpdateBuffer();
    }
    int key = w->keyCode();
    if (key != rt::MouseRightUp && key != rt::AppsKey) {
        Window->Reset(false);
    } else if (UsePopup) {
        w->setKeyCode(0);
        Popup->Ask();
    }
}

// A button that exists and is enabled is pressed.
bool BrowseClass::pressIfEnabled(int control, bool refresh) {
    rt::Window* w = window();
    if (control == 0 || !w->exists(control) ||
        w->property(control, rt::Prop::Disable).number() != 0)
        return false;
    w->post(rt::EventAccepted, control);
    if (refresh) UpdateBuffer();
    return true;
}

bool BrowseClass::locatorTakesKey() {
    BrowseSortOrder* order = current();
    if (!order || !order->Locator) return false;
    if (order->Locator->TakeKey()) {
        positionFromBuffer();
        ResetQueue(ReloadFromPosition);
        return true;
    }
    return ListQueue->Records() != 0;
}

bool BrowseClass::TakeKey() {
    rt::Window* w = window();
    int key = w->keyCode();
    int list = ILC->GetControl();
    if (key == rt::MouseRightUp) {
        int row = static_cast<int>(w->property(list, rt::Prop::MouseRow).number());
        if (row > 0) CurrentChoice = row;
        PostNewSelection();
        return false;
    }
    bool handled = false;
    if (Records() == 0) {
        bool located = locatorTakesKey();
        bool inserted = key == rt::InsertKey && pressIfEnabled(InsertControl, false);
        handled = located || inserted;
    } else {
        switch (key) {
            case rt::MouseLeft2:
                if (Selecting)
                    handled = pressIfEnabled(SelectControl, false);
                else if (w->property(list, rt::Prop::MouseZone).number() != 2)
                    handled = pressIfEnabled(ChangeControl, true);
                break;
            case rt::InsertKey:
                handled = pressIfEnabled(InsertControl, false);
                break;
            case rt::DeleteKey:
                handled = pressIfEnabled(DeleteControl, false);
                break;
            case rt::AppsKey:
                handled = true;
                break;
            case rt::ShiftEnter:
                handled = pressIfEnabled(ViewControl, true);
                break;
            case rt::CtrlEnter:
                handled = pressIfEnabled(ChangeControl, true);
                break;
            default:
                handled = locatorTakesKey();
        }
    }
    if (handled) {
        UpdateWindow();
        PostNewSelection();
    }
    return handled;
}

void BrowseClass::TakeAcceptedLocator() {
    BrowseSortOrder* order = current();
    rt::Window* w = window();
    if (!order || !order->Locator || order->Locator->Control == 0) return;
    if (w->current().control != order->Locator->Control || !order->Locator->TakeAccepted()) return;
    positionFromBuffer();
    w->select(ILC->GetControl());
    ResetQueue(ReloadFromPosition);
    order->Locator->Reset();
    UpdateWindow();
    PostNewSelection();
}
