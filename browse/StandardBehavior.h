#pragma once
// The browse's page queue and list control over a plain queue and a list of
// the window: the queue's operations, the position field kept in its record
// buffer, and the list's highlighted row, size and visibility. It shows the
// queue in the list whenever the list is displayed. Borrows the queue, the
// position field and the window manager (whose window may open later), all
// of which must outlive it. GUI thread only.

#include "browse/BrowseQueue.h"
#include "browse/IListControl.h"
#include "browse/PageQueue.h"
#include "runtime/text/FieldRef.h"

class WindowManager;
namespace rt {
class Window;
}

class StandardBehavior : public BrowseQueue, public IListControl {
  public:
    StandardBehavior() = default;
    StandardBehavior(const StandardBehavior&) = delete;
    StandardBehavior& operator=(const StandardBehavior&) = delete;

    // position: the queue buffer's field that keeps a row's view position.
    void Init(PageQueue& queue, rt::FieldRef position, int listControl, WindowManager& window);

    // BrowseQueue
    int Records() override;
    void Insert() override;
    int Insert(int position) override;
    bool Fetch(int position) override;
    void Update() override;
    void Delete() override;
    void Free() override;
    std::string Who(int column) override;
    std::string GetViewPosition() override;
    void SetViewPosition(std::string_view position) override;

    // IListControl
    int Choice() override;
    int GetControl() override { return LC; }
    int GetItems() override;
    bool GetVisible() override;
    void SetChoice(int row) override;
    void SetControl(int control) override;

    PageQueue* Q = nullptr;
    rt::FieldRef S;
    int LC = 0;

  private:
    // The window's list, with the queue bound to it; null before it opens.
    rt::Window* list();

    WindowManager* window_ = nullptr;
    rt::Window* bound_ = nullptr;
};
