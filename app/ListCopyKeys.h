#pragma once
// The main list's copy keys: Ctrl+C copies the highlighted entry's password
// as a secret, Ctrl+B its user name, Ctrl+U opens its location as the link
// line does; the list's right-click menu offers the two copies after its
// own items. Borrows the window and the list, which must outlive it. One
// thread.

class MainList;

namespace rt {
class Window;
}

class ListCopyKeys {
  public:
    ListCopyKeys(rt::Window& window, MainList& list, int listControl);
    ListCopyKeys(const ListCopyKeys&) = delete;
    ListCopyKeys& operator=(const ListCopyKeys&) = delete;

    // After the list's own alerts and menu.
    void SetAlerts();
    // True when the current event was one of the keys (or menu items) and
    // was carried out; with no entry in the list it does nothing.
    bool TakeEvent();

  private:
    rt::Window& window_;
    MainList& list_;
    int listControl_;
};
