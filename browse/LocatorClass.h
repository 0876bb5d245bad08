#pragma once
// Positions a browse from what the user types while its list has focus, one
// locator per sort order: it writes the order's first field (the free
// element) and the browse seeks to it. This base does nothing with keys;
// its operations are the moments a locator kind can act on. Borrows the
// browse and the free element, which must outlive it. GUI thread only.

#include <string>

#include "runtime/text/FieldRef.h"

class BrowseClass;
class ViewManager;

class LocatorClass {
  public:
    LocatorClass() = default;
    virtual ~LocatorClass();
    LocatorClass(const LocatorClass&) = delete;
    LocatorClass& operator=(const LocatorClass&) = delete;

    // Stores the browse, then the virtual Init.
    void Init(int control, rt::FieldRef freeElement, bool noCase, BrowseClass& browse);

    // The operations in their slot order (after the destructor).
    virtual std::string GetShadow() { return {}; }
    virtual void Init(int control, rt::FieldRef freeElement, bool noCase);
    virtual void Reset() {}
    virtual void Set() {}
    // The locator writes field from now on; it starts empty.
    virtual void SetLocatorField(rt::FieldRef field);
    virtual void SetAlerts(int listControl) { (void)listControl; }
    virtual void SetEnabled(bool enable);
    virtual void SetShadow(const std::string& text) { (void)text; }
    virtual bool TakeAccepted() { return false; }
    // True when the key positioned the free element (the browse then seeks).
    virtual bool TakeKey() { return false; }
    virtual void UpdateWindow() { Set(); }

    ::ViewManager* ViewManager = nullptr;
    BrowseClass* BrowseManager = nullptr;
    int Control = 0;
    rt::FieldRef FreeElement;
    bool NoCase = false;
};
