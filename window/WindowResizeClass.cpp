#include "window/WindowResizeClass.h"

#include <algorithm>

#include "runtime/host/Assert.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"
#include "window/ResizeGeometry.h"
#include "window/ResizeStrategy.h"

namespace {

constexpr int kTabType = 38;

// Menus, the menu bar, the window itself and tab pages are never moved.
bool laidOutType(int type) {
    static const int kLeftAlone[] = {19, 20, 22, 24, 25, kTabType};
    return type >= 1 && type <= 127 &&
           std::find(std::begin(kLeftAlone), std::end(kLeftAlone), type) == std::end(kLeftAlone);
}

int propertyOf(const rt::Window& window, int control, rt::Prop prop) {
    return static_cast<int>(window.property(control, prop).number());
}

bool cornerInside(const PositionGroup& inner, const PositionGroup& outer) {
    return inner.XPos >= outer.XPos && inner.XPos <= outer.XPos + outer.Width - 1 &&
           inner.YPos >= outer.YPos && inner.YPos <= outer.YPos + outer.Height - 1;
}

long long diagonalSquared(int width, int height) {
    return static_cast<long long>(width) * width + static_cast<long long>(height) * height;
}

}  // namespace

WindowResizeClass::WindowResizeClass() = default;

WindowResizeClass::~WindowResizeClass() {
    Kill();
}

void WindowResizeClass::Init(rt::Window& window, int appStrategy, bool SetWindowMinSize,
                             bool SetWindowMaxSize) {
    (void)SetWindowMaxSize;
    window_ = &window;
    ControlQueue.clear();
    ResizeList.clear();
    AppStrategy = appStrategy;
    Reset();
    if (AppStrategy == 2 || AppStrategy == 4) SetParentDefaults();
    if (SetWindowMinSize) window.setMinimumSize(OrigWin.Width, OrigWin.Height);
    DeferMoves = true;
}

void WindowResizeClass::Kill() {
    window_ = nullptr;
    ControlQueue.clear();
    ResizeList.clear();
}

// --- recording the layout ---

void WindowResizeClass::Reset() {
    if (!window_) {
        RT_ASSERT(false, "WindowResizeClass used before Init");
        return;
    }
    PositionGroup win = GetSizeInfo(0);
    OrigWin = {win.XPos, win.YPos, win.Width, win.Height, false, false};
    PreviousWin = win;
    for (int control : window_->controls()) {
        if (ControlEntry* known = find(control)) {
            known->Pos = GetSizeInfo(control);
        } else if (eligible(control)) {
            addControl(control);
        }
    }
    ResizeCalled = false;
}

bool WindowResizeClass::eligible(int control) const {
    if (propertyOf(*window_, control, rt::Prop::NoLayout) == 1) return false;
    return laidOutType(propertyOf(*window_, control, rt::Prop::Type));
}

void WindowResizeClass::addControl(int control) {
    ControlEntry entry;
    entry.ID = control;
    entry.Type = propertyOf(*window_, control, rt::Prop::Type);
    entry.PositionalStrategy = GetPositionStrategy(entry.Type);
    entry.ResizeStrategy = GetResizeStrategy(entry.Type);
    entry.Pos = GetSizeInfo(control);
    ControlQueue.push_back(entry);
}

int WindowResizeClass::GetPositionStrategy(int ControlType) const {
    return GetPositionStrategy(ControlType, AppStrategy);
}
int WindowResizeClass::GetPositionStrategy(int ControlType, int appStrategy) const {
    return DefaultPositionStrategy(ControlType, appStrategy);
}
int WindowResizeClass::GetResizeStrategy(int ControlType) const {
    return GetResizeStrategy(ControlType, AppStrategy);
}
int WindowResizeClass::GetResizeStrategy(int ControlType, int appStrategy) const {
    return DefaultResizeStrategy(ControlType, appStrategy);
}

// --- choosing parents ---

void WindowResizeClass::SetParentDefaults() {
    RT_ASSERT(!ResizeCalled, "SetParentDefaults called after a resize");
    for (size_t i = 0; i < ControlQueue.size(); ++i) SetParentDefault(ControlQueue[i].ID);
}

void WindowResizeClass::SetParentDefault(int ControlID) {
    const ControlEntry* entry = find(ControlID);
    if (!entry) {
        RT_ASSERT(false, "SetParentDefault for a control that is not laid out");
        return;
    }
    RT_ASSERT(entry->Type != kTabType, "A tab page is never laid out");
    int parent = propertyOf(*window_, ControlID, rt::Prop::Parent);
    if (parent == 0) {
        adoptContained(*entry);
        return;
    }
    // Tab pages are not laid out: their controls follow the sheet.
    while (parent != 0 && propertyOf(*window_, parent, rt::Prop::Type) == kTabType)
        parent = propertyOf(*window_, parent, rt::Prop::Parent);
    if (parent != 0) SetParentControl(ControlID, parent);
}

void WindowResizeClass::adoptContained(const ControlEntry& container) {
    const int id = container.ID, ownParent = container.ParentID;
    const PositionGroup area = container.Pos;
    for (size_t i = 0; i < ControlQueue.size(); ++i) {
        const ControlEntry& other = ControlQueue[i];
        if (other.ID == id || other.ID == ownParent) continue;
        if (cornerInside(other.Pos, area)) SetParentControl(other.ID, id);
    }
}

void WindowResizeClass::SetParentControl(int ControlID, int ParentID) {
    if (ControlID == ParentID) return;
    ControlEntry* parent = ParentID ? find(ParentID) : nullptr;
    if (ParentID != 0 && !parent) {
        RT_ASSERT(false, "The parent of a laid-out control must be laid out too");
        return;
    }
    // Controls that share a corner can each contain the other; a loop of
    // parents would make laying out children never end.
    if (ParentID != 0 && isAncestor(ControlID, ParentID)) return;
    if (ControlEntry* entry = find(ControlID)) entry->ParentID = ParentID;
    if (parent) parent->HasChildren = true;
}

bool WindowResizeClass::isAncestor(int ancestor, int control) const {
    size_t steps = 0;
    for (const ControlEntry* e = find(control); e && steps <= ControlQueue.size(); ++steps) {
        if (e->ID == ancestor) return true;
        e = e->ParentID ? find(e->ParentID) : nullptr;
    }
    return false;
}

int WindowResizeClass::GetParentControl(int ControlID) {
    const ControlEntry* entry = find(ControlID);
    RT_ASSERT(entry, "GetParentControl for a control that is not laid out");
    return entry ? entry->ParentID : 0;
}

// --- resizing ---

bool WindowResizeClass::TakeResize() {
    return Resize();
}

bool WindowResizeClass::Resize(int ControlID) {
    ResizeList.clear();
    if (!window_ || ControlQueue.empty()) return false;
    const bool wholeWindow = ControlID == 0;
    PositionGroup current = GetSizeInfo(ControlID);
    if (wholeWindow && current.Width == PreviousWin.Width && current.Height == PreviousWin.Height)
        return false;
    if (wholeWindow && current.Width == OrigWin.Width && current.Height == OrigWin.Height) {
        // Back at the initial size: the recorded places, free of rounding.
        RestoreControls();
    } else {
        PositionGroup parentOrig{0, 0, OrigWin.Width, OrigWin.Height};
        PositionGroup parentNow{0, 0, current.Width, current.Height};
        if (!wholeWindow) {
            std::optional<PositionGroup> orig = GetOrigPos(ControlID);
            if (!orig) {
                RT_ASSERT(false, "Resize of a control that is not laid out");
                return false;
            }
            parentOrig = *orig;
            parentNow = current;
        }
        ResizeChildren(ControlID, parentOrig, parentNow);
        applyMoves();
    }
    ResizeCalled = true;
    if (wholeWindow) PreviousWin = current;
    return false;
}

void WindowResizeClass::ResizeChildren(int ParentID, const PositionGroup& ParentOrigPos,
                                       const PositionGroup& ParentCurrentPos) {
    for (size_t i = 0; i < ControlQueue.size(); ++i) {
        const ControlEntry entry = ControlQueue[i];
        if (entry.ParentID != ParentID || entry.ID == ParentID) continue;
        Move move;
        move.ControlID = entry.ID;
        move.Type = entry.Type;
        move.Before = GetSizeInfo(entry.ID);
        move.After = SetPosition(entry.ID, ParentOrigPos, entry.Pos, ParentCurrentPos);
        ResizeList.push_back(move);
        if (move.Before != move.After && entry.HasChildren)
            ResizeChildren(entry.ID, entry.Pos, move.After);
    }
}

PositionGroup WindowResizeClass::SetPosition(int ControlID, const PositionGroup& ParentOrigPos,
                                             const PositionGroup& OrigPos,
                                             const PositionGroup& ParentCurrentPos) {
    const ControlEntry* entry = find(ControlID);
    if (!entry) {
        RT_ASSERT(false, "SetPosition for a control that is not laid out");
        return OrigPos;
    }
    return ComputeNewPosition(entry->PositionalStrategy, entry->ResizeStrategy, ParentOrigPos,
                              OrigPos, ParentCurrentPos);
}

// Every move is computed before any is made. The toolkit shows the moves of
// one event together, so DeferMoves needs no batching of its own; without it
// the moves are ordered so that no control passes over another on the way:
// the far ones first when the window grows, the near ones first when it
// shrinks.
void WindowResizeClass::applyMoves() {
    if (!DeferMoves) {
        SetPriorities();
        PositionGroup now = GetSizeInfo(0);
        bool shrank = diagonalSquared(now.Width, now.Height) <
                      diagonalSquared(PreviousWin.Width, PreviousWin.Height);
        std::stable_sort(ResizeList.begin(), ResizeList.end(),
                         [shrank](const Move& a, const Move& b) {
                             return shrank ? a.Priority < b.Priority : a.Priority > b.Priority;
                         });
    }
    for (const Move& move : ResizeList) {
        if (move.After != move.Before) SetSize(move.ControlID, move.After);
    }
}

void WindowResizeClass::SetPriorities() {
    PositionGroup now = GetSizeInfo(0);
    bool widthChanged = now.Width != PreviousWin.Width;
    bool heightChanged = now.Height != PreviousWin.Height;
    for (Move& move : ResizeList) {
        if (widthChanged && !heightChanged) {
            move.Priority = move.After.XPos;
        } else if (heightChanged && !widthChanged) {
            move.Priority = move.After.YPos;
        } else {
            move.Priority = move.After.XPos * move.After.XPos + move.After.YPos * move.After.YPos;
        }
    }
}

void WindowResizeClass::SetSize(int ControlID, const PositionGroup& to) {
    if (!window_ || GetSizeInfo(ControlID) == to) return;
    window_->setProperty(ControlID, rt::Prop::XPos, to.XPos);
    window_->setProperty(ControlID, rt::Prop::YPos, to.YPos);
    window_->setProperty(ControlID, rt::Prop::Width, to.Width);
    window_->setProperty(ControlID, rt::Prop::Height, to.Height);
}

PositionGroup WindowResizeClass::GetSizeInfo(int ControlID) const {
    if (!window_) return {};
    if (ControlID == 0) return {0, 0, window_->width(), window_->height()};
    return {propertyOf(*window_, ControlID, rt::Prop::XPos),
            propertyOf(*window_, ControlID, rt::Prop::YPos),
            propertyOf(*window_, ControlID, rt::Prop::Width),
            propertyOf(*window_, ControlID, rt::Prop::Height)};
}

void WindowResizeClass::RestoreControls() {
    for (const ControlEntry& entry : ControlQueue) SetSize(entry.ID, entry.Pos);
}

void WindowResizeClass::RestoreWindow() {
    if (!window_) return;
    window_->resize(OrigWin.Width, OrigWin.Height);
    RestoreControls();
}

std::optional<PositionGroup> WindowResizeClass::GetOrigPos(int ControlID) const {
    const ControlEntry* entry = find(ControlID);
    if (!entry) return std::nullopt;
    return entry->Pos;
}

std::optional<PositionGroup> WindowResizeClass::GetCurrentPos(int ControlID) const {
    if (!find(ControlID)) return std::nullopt;
    return GetSizeInfo(ControlID);
}

// --- as a window component ---

// The window manager resets its components after every size change; the
// initial layout must survive that, so only Reset() re-records it.
void WindowResizeClass::Reset(bool force) {
    (void)force;
}

ErrorLevel WindowResizeClass::TakeEvent() {
    if (!window_) return LevelBenign;
    switch (window_->current().event) {
        case rt::EventGainFocus:
        case rt::EventSized:
        case rt::EventResizeCue:
            TakeResize();
            break;
        default:
            break;
    }
    return LevelBenign;
}

WindowResizeClass::ControlEntry* WindowResizeClass::find(int ControlID) {
    auto it = std::find_if(ControlQueue.begin(), ControlQueue.end(),
                           [ControlID](const ControlEntry& e) { return e.ID == ControlID; });
    return it == ControlQueue.end() ? nullptr : &*it;
}

const WindowResizeClass::ControlEntry* WindowResizeClass::find(int ControlID) const {
    return const_cast<WindowResizeClass*>(this)->find(ControlID);
}
