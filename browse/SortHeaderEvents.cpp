// SortHeaderClassType: the events of a header press, from the press on a
// cell through the region laid over it to the release that applies it.
#include <cstdlib>

#include "browse/SortHeaderClassType.h"
#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/gui/Window.h"

namespace {

// The list's mouse zones as the runtime reports them.
enum : int { ZoneCells = 0, ZoneBorder = 1, ZoneHeader = 2 };

// Units the region stops short of the list's right edge: the scroll bar's
// width when the list has one, else the frame's.
constexpr int kScrollBarMargin = 20;
constexpr int kFrameMargin = 3;

bool isClick(int key) {
    return key == SortHeaderClassType::Click || key == SortHeaderClassType::ShiftClick ||
           key == SortHeaderClassType::CtrlClick;
}

}  // namespace

int SortHeaderClassType::TakeEvents() {
    if (RegionControl == 0) return 0;
    const rt::WindowEvent& e = Window->current();
    if (e.control == RegionControl) return takeRegionEvent(e.event);
    if (e.control != ListControl) return 0;
    return takeListEvent(e.event, e.key);
}

// Only the list's own clicks are held back: a Shift+click or Ctrl+click
// elsewhere in the window still reaches its control, and a press on a
// column border still starts the column's resizing.
int SortHeaderClassType::takeListEvent(int event, int key) {
    switch (event) {
        case rt::EventPreAlertKey:
            if (!isClick(key)) return 0;
            LastKeyCode = key;
            return listNumber(rt::Prop::MouseZone) == ZoneBorder ? 0 : 1;
        case rt::EventAlertKey:
            return takeClick(key);
        case rt::EventNewSelection:
        case rt::EventAccepted:
            if (ForceFindRecord && !QueueListSort->empty())
                noteFirstSortField(std::abs(QueueListSort->front().ListSortColumn));
            return 0;
        default:
            return 0;
    }
}

// A click on a row selects it; a click on a header cell presses it. Only
// the header counts as a header press: a click on the list's blank space
// below its rows presses nothing.
int SortHeaderClassType::takeClick(int key) {
    bool visible = listNumber(rt::Prop::Visible) != 0;
    int row = listNumber(rt::Prop::MouseRow);
    int zone = listNumber(rt::Prop::MouseZone);
    if (key == Click && visible) {
        if (row == 0 && zone == ZoneHeader) {
            LastKeyCode = key;
            MousePressed();
            MouseRegionStatus = 1;
            return 1;
        }
        if (row > 0) {
            Window->setProperty(ListControl, rt::Prop::Selected, rt::Value(row));
            Window->select(ListControl);
            Window->post(rt::EventNewSelection, ListControl);
            return 2;
        }
    }
    if (isClick(key) && visible && zone != ZoneBorder && inHeaderBand() &&
        listNumber(rt::Prop::MouseColumn) > 0) {
        LastKeyCode = key;
        MousePressed();
        MouseRegionStatus = 1;
        return 1;
    }
    return 0;
}

int SortHeaderClassType::takeRegionEvent(int event) {
    switch (event) {
        case rt::EventMouseUp:
            if (MouseRegionStatus == 1) {
                MouseReleased();
            } else {
                Window->hide(RegionControl);
            }
            MouseRegionStatus = 0;
            Window->select(ListControl);
            return 1;
        case rt::EventMouseIn:
        case rt::EventMouseMove:
            if (MouseRegionStatus == 2 && insideRegion()) {
                SetRegionDown();
                MouseRegionStatus = 1;
            }
            return 1;
        case rt::EventMouseOut:
            if (MouseRegionStatus == 1 && !insideRegion()) {
                SetRegionUp();
                MouseRegionStatus = 2;
            }
            return 1;
        default:
            return 0;
    }
}

// Horizontally within the list, vertically within its header.
bool SortHeaderClassType::inHeaderBand() const {
    int x = Window->mouseX(), y = Window->mouseY();
    int left = listNumber(rt::Prop::XPos);
    int top = listNumber(rt::Prop::YPos);
    int width = listNumber(rt::Prop::Width);
    int header = listNumber(rt::Prop::HeaderHeight);
    return x >= left && x <= left + width && y >= top && y <= top + header;
}

// Strictly between the region's edges.
bool SortHeaderClassType::insideRegion() const {
    auto number = [this](rt::Prop p) {
        return static_cast<int>(Window->property(RegionControl, p).number());
    };
    int x = Window->mouseX(), y = Window->mouseY();
    int left = number(rt::Prop::XPos), top = number(rt::Prop::YPos);
    return x > left && x < left + number(rt::Prop::Width) && y > top &&
           y < top + number(rt::Prop::Height);
}

void SortHeaderClassType::MousePressed() {
    int column = listNumber(rt::Prop::MouseColumn);
    std::string name = GetColumnName(column);
    if (column == 0 || !ValidField(name)) return;
    if (!AllowDescending(name)) {
        if (QueueListSort->size() < 2 && column == std::abs(PrevSortOrder)) return;
        if (LastKeyCode == CtrlClick && sortsColumn(column)) return;
    }
    SortOrder = static_cast<std::int16_t>(column);
    layRegion(column);
    SetRegionDown();
    Window->unhide(RegionControl);
}

// Over the column's header cell, ending short of the list's right edge so
// that it never covers the scroll bar.
void SortHeaderClassType::layRegion(int column) {
    int listLeft = listNumber(rt::Prop::XPos);
    int left = listLeft + listNumber(rt::Prop::ColumnX, column);
    int width = listNumber(rt::Prop::ColumnWidth, column);
    int margin = listNumber(rt::Prop::VScroll) ? kScrollBarMargin : kFrameMargin;
    int right = listLeft + listNumber(rt::Prop::Width) - margin;
    if (left + width > right) width = std::max(1, right - left);
    Window->setProperty(RegionControl, rt::Prop::XPos, rt::Value(left));
    Window->setProperty(RegionControl, rt::Prop::YPos, rt::Value(listNumber(rt::Prop::YPos)));
    Window->setProperty(RegionControl, rt::Prop::Width, rt::Value(width));
    Window->setProperty(RegionControl, rt::Prop::Height,
                        rt::Value(listNumber(rt::Prop::HeaderHeight)));
}

void SortHeaderClassType::SetRegionDown() {
    Window->setProperty(RegionControl, rt::Prop::Bevel, rt::Value(-1));
    if (SortOrder > 0)
        Window->setProperty(ListControl, rt::Prop::HeaderShift, rt::Value(1), SortOrder);
}

void SortHeaderClassType::SetRegionUp() {
    Window->setProperty(RegionControl, rt::Prop::Bevel, rt::Value(0));
    if (SortOrder > 0)
        Window->setProperty(ListControl, rt::Prop::HeaderShift, rt::Value(0), SortOrder);
}

// A release over no column, or over one that may not sort this way, only
// lets the cell go.
void SortHeaderClassType::MouseReleased() {
    int column = listNumber(rt::Prop::MouseColumn);
    Window->hide(RegionControl);
    std::string name = GetColumnName(column);
    if (column == 0 || !ValidField(name) ||
        (column == std::abs(PrevSortOrder) && !AllowDescending(name))) {
        SetRegionUp();
        return;
    }
    SortOrder = static_cast<std::int16_t>(column);
    ForceChangeSignOrder = true;
    SetPrevSortOrder();
    ListQueue->Get(listNumber(rt::Prop::Selected));
    SortQueue();
    // A Shift+click left nothing sorted: no column is then the sort in force.
    if (!QueueListSort->empty() && std::abs(PrevSortOrder) != std::abs(SortOrder))
        PrevSortOrder = SortOrder;
    SetRegionUp();
    if (ForceFindRecord)
        Window->setProperty(ListControl, rt::Prop::Selected, rt::Value(FindRecord()));
    Window->post(rt::EventNewSelection, ListControl);
}
