// EIPManager: one request's life cycle, its nested event loop and the events
// of the editors and of the rest of the window.
#include "browse/EIPManager.h"

#include "browse/BrowseClass.h"
#include "browse/EditClass.h"
#include "runtime/controls/ControlKind.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Assert.h"

EIPManager::~EIPManager() = default;

std::uint8_t EIPManager::Run(std::uint8_t request) {
    RT_ASSERT(BC && BC->Window && BC->Window->MyWindow, "EIPManager::Run: no browse window");
    if (!BC || !BC->Window || !BC->Window->MyWindow) return ResponseCancelled;
    MyWindow = BC->Window->MyWindow;
    // A left click on the list must reach the list itself while a row is
    // edited: it moves the editor or ends the edit.
    MouseLeftIndex = MyWindow->removeAlert(rt::MouseLeft, ListControl) ? 1 : 0;
    Req = request;
    Response = 0;
    Again = false;
    return WindowManager::Run();
}

// The loop shares the window with the procedure that owns it: ending the
// edit must leave the window open, and the event that ended it is posted
// again by Kill for that procedure to handle.
ErrorLevel EIPManager::Ask() {
    if (Dead || !MyWindow) return LevelBenign;
    while (MyWindow->accept()) {
        ErrorLevel result = TakeEvent();
        if (result == LevelNotify || result == LevelFatal) MyWindow->cycle();
        if (result == LevelFatal) break;
    }
    return LevelBenign;
}

ErrorLevel EIPManager::Init() {
    if (ErrorLevel level = WindowManager::Init()) return level;
    if (Column < 1) Column = 1;
    LastColumn = 0;
    Repost = RepostField = 0;
    RT_ASSERT(EQ, "The list of columns is null");
    if (!EQ) return LevelFatal;
    InitControls();
    ResetColumn();
    return LevelBenign;
}

ErrorLevel EIPManager::Kill() {
    if (EQ)
        for (EditQueueEntry& entry : EQ->Entries) {
            if (entry.Control)
                entry.Control->Kill();
            else if (MyWindow && entry.Column > 0)
                MyWindow->setProperty(ListControl, rt::Prop::ColumnColor, rt::ColorNone,
                                      entry.Column);
        }
    LastColumn = 0;
    if (MyWindow && MouseLeftIndex) MyWindow->alert(rt::MouseLeft, ListControl);
    MouseLeftIndex = 0;
    if (MyWindow && Repost) MyWindow->post(Repost, RepostField);
    Repost = RepostField = 0;
    return WindowManager::Kill();
}

ErrorLevel EIPManager::TakeEvent() {
    int event = currentEvent();
    if (event == rt::EventCloseWindow || event == rt::EventCloseDown || event == rt::EventSized) {
        TakeFocusLoss();
        // A row that could not be completed (a failed save, Cancel to the
        // question) stays in edit and the window stays open: closing now
        // would leave a reserved new record behind in the file.
        if (Again) return LevelNotify;
        Repost = event;
        RepostField = currentControl();
        return LevelFatal;
    }
    Again = true;
    ErrorLevel result = WindowManager::TakeEvent();
    if (!Again) return LevelFatal;
    return result;
}

ErrorLevel EIPManager::TakeFieldEvent() {
    int control = currentControl();
    int event = currentEvent();
    if (control == ListControl) return LevelBenign;
    if (EditQueueEntry* entry = entryOfControl(control)) {
        // The editor acts on its alerted keys; their own action (moving the
        // focus, pressing the default button) must not happen as well.
        if (event == rt::EventPreAlertKey) return LevelNotify;
        TakeAction(entry->Control->TakeEvent(event));
        return LevelBenign;
    }
    if (event == rt::EventSelected && controlType(control) == int(rt::ControlKind::Button))
        return LevelBenign;
    int key = currentKey();
    if (key == rt::MouseLeft || key == rt::MouseLeft2 || key == rt::MouseRight ||
        key == rt::MouseRight2) {
        Repost = event;
        RepostField = control;
        TakeFocusLoss();
        if (Again) Repost = RepostField = 0;
    }
    return LevelBenign;
}

void EIPManager::AddControl(EditClass* editor, int field, bool freeUp) {
    RT_ASSERT(EQ, "EIPManager::AddControl: no edit queue");
    if (EQ) EQ->Entries.push_back({field, freeUp, editor, 0});
}
