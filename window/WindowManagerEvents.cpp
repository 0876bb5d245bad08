// The window manager's event loop and the dispatch of each event to its
// handler and then to the registered components.
#include <cassert>
#include <vector>

#include "data/RelationManager.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Halt.h"
#include "runtime/host/Thread.h"
#include "window/ToolbarClass.h"
#include "window/WindowManager.h"

namespace {

// The managers whose loops run, oldest first.
thread_local std::vector<WindowManager*> tRunning;

struct Running {
    explicit Running(WindowManager* manager) : manager(manager) { tRunning.push_back(manager); }
    ~Running() { std::erase(tRunning, manager); }
    WindowManager* manager;
};

}  // namespace

bool WindowManager::UnsavedChangesOpen() {
    for (WindowManager* manager : tRunning)
        if (manager->HoldsUnsavedChanges()) return true;
    return false;
}

ErrorLevel WindowManager::Ask() {
    if (Dead || !MyWindow) return LevelBenign;
    Running running(this);
    LastInsertedPosition.clear();
    while (MyWindow->accept()) {
        ErrorLevel result = TakeEvent();
        if (result == LevelFatal) {
            MyWindow->close();
            break;
        }
        if (result == LevelNotify) MyWindow->cycle();
    }
    return LevelBenign;
}

ErrorLevel WindowManager::TakeEvent() {
    ErrorLevel result = LevelBenign;
    if (currentControl() == 0) {
        result = TakeWindowEvent();
        if (result) return result;
    }
    switch (currentEvent()) {
        case rt::EventAccepted:
            result = TakeAccepted();
            break;
        case rt::EventNewSelection:
            result = TakeNewSelection();
            break;
        case rt::EventAlertKey:
            if (HistoryKey && currentKey() == HistoryKey) RestoreField(MyWindow->focus());
            break;
        case rt::EventRejected:
            result = TakeRejected();
            break;
        case rt::EventSelected:
            result = TakeSelected();
            break;
        case rt::EventSized:
            rt::Window::postToThread(rt::threadNumber(), rt::EventResizeCue);
            break;
    }
    if (result) return result;
    if (currentControl() != 0) {
        result = TakeFieldEvent();
        if (result) return result;
    }
    return offerToComponents();
}

// The registered components see the event in order; afterwards the first
// one that wants it causes a reset.
ErrorLevel WindowManager::offerToComponents() {
    if (!CL) return LevelBenign;
    for (ComponentEntry& e : *CL) {
        ErrorLevel result = e.WC->TakeEvent();
        if (result) return result;
    }
    if (!AutoRefresh) return LevelBenign;
    for (ComponentEntry& e : *CL) {
        if (e.WC->ResetRequired()) {
            Reset(false);
            break;
        }
    }
    return LevelBenign;
}

ErrorLevel WindowManager::TakeWindowEvent() {
    switch (currentEvent()) {
        case rt::EventOpenWindow:
            if (!(Inited & 1)) Open();
            selectFirstField();
            break;
        case rt::EventNotify: {
            int code = 0, thread = 0, parameter = 0;
            if (MyWindow->takeNotification(code, thread, parameter))
                return TakeNotify(code, thread, parameter);
            break;
        }
        case rt::EventLoseFocus:
            if (ResetOnGainFocus) ForcedReset = true;
            break;
        case rt::EventGainFocus:
            if (Inited & 1) {
                Reset(false);
            } else {
                Open();
            }
            break;
        case rt::EventSized:
            if (Inited & 2) {
                Reset(false);
            } else {
                Inited |= 2;
            }
            break;
        case rt::EventCompleted:
            return TakeCompleted();
        case rt::EventCloseWindow:
        case rt::EventCloseDown:
            return TakeCloseEvent();
    }
    return LevelBenign;
}

void WindowManager::Reset(bool force) {
    if (!MyWindow || MyWindow->inAcceptAll()) return;
    force = force || ForcedReset;
    ForcedReset = false;
    // The redisplay below would overwrite what the user is typing into the
    // focused control (focus coming back after a switch to another program
    // resets the window); keep it by taking it into its variable first.
    if (int focused = MyWindow->focus()) MyWindow->update(focused);
    ResetBuffers(force);
    if (CL)
        for (ComponentEntry& e : *CL) e.WC->UpdateWindow();
    MyWindow->display();
}

ErrorLevel WindowManager::TakeNewSelection() {
    if (controlType(currentControl()) != static_cast<int>(rt::ControlKind::Sheet))
        return LevelBenign;
    Reset(false);
    if (AutoToolbar && Toolbar) Toolbar->SetTarget(0);
    return LevelBenign;
}

ErrorLevel WindowManager::TakeRejected() {
    rt::beep();
    int control = currentControl();
    MyWindow->display(control);
    MyWindow->select(control);
    return LevelBenign;
}

ErrorLevel WindowManager::TakeAccepted() {
    int control = currentControl();
    if (Toolbar) {
        Toolbar->TakeEvent(*VCRRequest, *this);
        if (control == ToolbarHistoryButton) RestoreField(MyWindow->focus());
    }
    if (Buttons) {
        for (const ButtonEntry& b : *Buttons) {
            if (b.Control != control) continue;
            SetResponse(b.Action);
            return LevelNotify;
        }
    }
    if (control == OkControl && OkControl != 0) PostCompleted();
    if (control == SaveControl && SaveControl != 0) {
        if (Request == RequestView) return LevelNotify;
        BeforeSaveRequest = Request;
        Request = RequestSave;
        PostCompleted();
    }
    EnableCancelControls();
    return LevelBenign;
}

void WindowManager::SetResponse(std::uint8_t response) {
    // Invariant: a window answers its caller completed or cancelled, nothing else.
    assert(response == ResponseCompleted || response == ResponseCancelled);
    Response = response;
    if (MyWindow) MyWindow->post(rt::EventCloseWindow);
    if (response == ResponseCancelled && Toolbar) *VCRRequest = VcrNone;
}

void WindowManager::PostCompleted() {
    if (!MyWindow) return;
    switch (OriginalRequest) {
        case RequestInsert:
        case RequestChange:
        case RequestView:
            if (OriginalRequest == RequestView && !BatchProcessing)
                MyWindow->post(rt::EventCompleted);
            MyWindow->acceptAll();
            break;
        default:
            if (BatchProcessing) {
                MyWindow->acceptAll();
            } else {
                MyWindow->post(rt::EventCompleted);
            }
    }
}
