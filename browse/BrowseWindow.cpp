// BrowseClass: the window's buttons and list after each event, the alert
// keys, and the right-click action menu.
#include "browse/BrowseClass.h"
#include "browse/LocatorClass.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"
#include "window/ToolbarClass.h"

void BrowseClass::UpdateWindow() {
    rt::Window* w = window();
    if (!w || !ILC) return;
    BrowseSortOrder* order = current();
    if (order && order->Locator) order->Locator->UpdateWindow();
    bool rows = Records() != 0;
    for (int control : {ChangeControl, DeleteControl, PrintControl, ViewControl}) {
        if (control == 0) continue;
        if (rows)
            w->enable(control);
        else
            w->disable(control);
    }
    if (SelectControl != 0) {
        if (Selecting && rows && Window->Request == RequestSelect) {
            w->enable(SelectControl);
            w->setProperty(SelectControl, rt::Prop::Default, rt::Value(1));
        } else if (Selecting || HideSelect) {
            w->disable(SelectControl);
            if (!Selecting) w->hide(SelectControl);
        }
    }
    UpdateThumb();
    if (Toolbar) Toolbar->DisplayButtons();
    w->display(ILC->GetControl());
    ILC->SetChoice(CurrentChoice);
}

void BrowseClass::SetAlerts() {
    rt::Window* w = window();
    if (!w || !ILC) return;
    int list = ILC->GetControl();
    for (int key : {int(rt::MouseLeft2), int(rt::MouseRightUp), int(rt::AppsKey)})
        w->alert(key, list);
    HasThumb = w->property(list, rt::Prop::VScroll).number() != 0;
    w->setProperty(list, rt::Prop::VScroll, rt::Value(0));
    if (Sort)
        for (const auto& entry : *Sort)
            if (auto* locator = static_cast<BrowseSortOrder&>(*entry).Locator)
                locator->SetAlerts(list);
    buildActionMenu();
}

// The menu's button items show the button's caption (or the text after
// the "!"), follow its enabled state and press it when chosen.
void BrowseClass::buildActionMenu() {
    rt::Window* w = window();
    int list = ILC->GetControl();
    struct EditItem {
        std::int32_t control;
        int key;
        const char* name;
        const char* text;
    };
    const EditItem edits[] = {
        {InsertControl, rt::InsertKey, "&Insert", "!&Insert"},
        {ChangeControl, rt::CtrlEnter, "&Change", "!&Change"},
        {DeleteControl, rt::DeleteKey, "&Delete", "!&Delete"},
        {ViewControl, rt::ShiftEnter, "&View", "!&View"},
    };
    if (EditViaPopup)
        for (const EditItem& item : edits) {
            if (item.control == 0) continue;
            w->alert(item.key, list);
            Popup->AddItemMimic(item.name, item.control, item.text);
        }
    if (PrintControl) Popup->AddItemMimic("&Print", PrintControl, "!&Print");
    if (SelectControl && Selecting) Popup->AddItemMimic("&Select", SelectControl, "!&Select");
    if (ToolControl) {
        Popup->AddItem("-", "ToolSeparator2", "", 1);
        std::string toolbox = Popup->AddItemMimic("&Toolbox", ToolControl, "!&Toolbox");
        Popup->SetToolbox(toolbox, false);
    }
}
