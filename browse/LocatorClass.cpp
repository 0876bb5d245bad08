#include "browse/LocatorClass.h"

#include "browse/BrowseClass.h"
#include "runtime/gui/Window.h"

LocatorClass::~LocatorClass() {
    FreeElement = {};
}

void LocatorClass::Init(int control, rt::FieldRef freeElement, bool noCase, BrowseClass& browse) {
    ViewManager = &browse;
    BrowseManager = &browse;
    Init(control, freeElement, noCase);
}

void LocatorClass::Init(int control, rt::FieldRef freeElement, bool noCase) {
    FreeElement = freeElement;
    Control = control;
    NoCase = noCase;
}

void LocatorClass::SetLocatorField(rt::FieldRef field) {
    FreeElement = field;
    FreeElement.clear();
    SetShadow({});
}

void LocatorClass::SetEnabled(bool enable) {
    if (Control == 0 || !BrowseManager || !BrowseManager->Window) return;
    rt::Window* w = BrowseManager->Window->MyWindow;
    if (!w) return;
    if (enable)
        w->enable(Control);
    else
        w->disable(Control);
}
