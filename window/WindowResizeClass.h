#pragma once
// Keeps the controls of a resizable window in place as the window changes
// size: records the initial layout, gives every control a positional and a
// resize strategy and a parent, and on each size change lays the controls out
// anew from the initial layout, parent by parent, moving only what changed.
// Owns its queues; borrows the window, which must outlive Kill. GUI thread.
//
// Life cycle: Init (layout recorded, parents chosen) -> any number of Resize
// calls driven by the window's size events -> RestoreWindow on demand -> Kill.
// Reset may be called again to re-record the layout and pick up new controls.

#include <optional>
#include <vector>

#include "errors/ErrorLevels.h"
#include "window/PositionGroup.h"
#include "window/WindowComponent.h"

namespace rt {
class Window;
}

class WindowResizeClass : public WindowComponent {
  public:
    // One managed control (a ControlQueue entry).
    struct ControlEntry {
        int ID = 0;
        int Type = 0;
        bool HasChildren = false;
        int PositionalStrategy = 0;
        int ResizeStrategy = 0;
        PositionGroup Pos;  // the initial place
        int ParentID = 0;   // 0 = the window
    };
    // One computed move (a ResizeList entry).
    struct Move {
        int Priority = 0;
        int ControlID = 0;
        int Type = 0;
        PositionGroup Before;  // where the control is now
        PositionGroup After;   // where it must go
    };
    struct WindowState {
        int XPos = 0, YPos = 0, Width = 0, Height = 0;
        bool Maximized = false, Iconized = false;
    };

    WindowResizeClass();
    virtual ~WindowResizeClass();
    WindowResizeClass(const WindowResizeClass&) = delete;
    WindowResizeClass& operator=(const WindowResizeClass&) = delete;

    // Starts managing window's controls under application strategy 1..5.
    // SetWindowMinSize makes the initial size the window's minimum.
    // SetWindowMaxSize would make it the maximum: the runtime's windows have
    // no maximum size, so it is accepted and has no effect.
    void Init(rt::Window& window, int appStrategy, bool SetWindowMinSize = false,
              bool SetWindowMaxSize = false);
    // Stops reacting to size events and forgets the layout; may be called twice.
    void Kill() override;

    virtual int GetParentControl(int ControlID);
    virtual void Reset();
    virtual bool Resize() { return Resize(0); }
    // Re-lays the children of ControlID (0 = the window); answers false.
    virtual bool Resize(int ControlID);
    virtual void RestoreWindow();
    // REQUIRES: no resize has happened since Reset.
    virtual void SetParentDefaults();
    virtual void SetParentDefault(int ControlID);
    // Where ControlID goes when its parent moved from ParentOrigPos to
    // ParentCurrentPos. REQUIRES: ControlID is managed.
    virtual PositionGroup SetPosition(int ControlID, const PositionGroup& ParentOrigPos,
                                      const PositionGroup& OrigPos,
                                      const PositionGroup& ParentCurrentPos);

    void SetParentControl(int ControlID, int ParentID);
    std::optional<PositionGroup> GetOrigPos(int ControlID) const;
    std::optional<PositionGroup> GetCurrentPos(int ControlID) const;
    int GetPositionStrategy(int ControlType) const;
    int GetPositionStrategy(int ControlType, int appStrategy) const;
    int GetResizeStrategy(int ControlType) const;
    int GetResizeStrategy(int ControlType, int appStrategy) const;
    void SetSize(int ControlID, const PositionGroup& to);
    // A control's place now; for 0 the window's client size at (0, 0).
    PositionGroup GetSizeInfo(int ControlID) const;
    void RestoreControls();
    void ResizeChildren(int ParentID, const PositionGroup& ParentOrigPos,
                        const PositionGroup& ParentCurrentPos);
    void SetPriorities();

    // The resize handler: lays the window out for its present size.
    bool TakeResize();

    // As a window component: resizes on the window's gain-focus, sized and
    // resize-cue events; the window manager's resets leave the layout alone.
    void Reset(bool force) override;
    bool ResetRequired() override { return false; }
    void SetAlerts() override {}
    ErrorLevel TakeEvent() override;
    void Update() override {}
    void UpdateWindow() override {}

    int AppStrategy = 0;  // 1..5, chooses the default strategies
    bool AutoTransparent = false;
    WindowState OrigWin;                     // the window at Reset
    std::vector<ControlEntry> ControlQueue;  // in the window's control order
    // Set by Init: moves are made in queue order. Cleared: they are ordered
    // so that no control passes over another on its way.
    bool DeferMoves = false;
    PositionGroup PreviousWin;     // the window's size after the last resize
    bool ResizeCalled = false;     // a resize happened since Reset
    std::vector<Move> ResizeList;  // the moves of the latest resize

  private:
    ControlEntry* find(int ControlID);
    const ControlEntry* find(int ControlID) const;
    bool eligible(int control) const;
    void addControl(int control);
    void adoptContained(const ControlEntry& container);
    bool isAncestor(int ancestor, int control) const;
    void applyMoves();

    rt::Window* window_ = nullptr;
};
