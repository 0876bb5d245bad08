// BrowseClass: reading records into the page, and the page's row count.
#include <algorithm>

#include "browse/BrowseClass.h"
#include "browse/LocatorClass.h"

namespace {

// The most rows one read of the view brings ahead.
constexpr int kMaxReadAhead = 60;

}  // namespace

void BrowseClass::SetQueueRecord() {
    Fields->AssignLeftToRight();
    ListQueue->SetViewPosition(View->position());
}

void BrowseClass::UpdateBuffer() {
    if (ListQueue->Records() == 0) {
        Fields->ClearLeft();
        return;
    }
    ListQueue->Fetch(CurrentChoice);
    Fields->AssignRightToLeft();
}

int BrowseClass::Records() {
    int rows = ListQueue->Records();
    if (BrowseSortOrder* order = current(); order && order->Locator)
        order->Locator->SetEnabled(rows != 0);
    if (rows == 0) CurrentChoice = 0;
    return rows;
}

int BrowseClass::readAheadWanted() const {
    return std::min(ItemsToFill, kMaxReadAhead);
}

// The view stands on the boundary row of the page, which it reads again
// first; the answer is that row's position, "" on an empty page.
std::string BrowseClass::startFill(int direction) {
    int rows = ListQueue->Records();
    if (rows == 0) return {};
    ListQueue->Fetch(direction == FillForward ? rows : 1);
    std::string boundary = ListQueue->GetViewPosition();
    View->reset(boundary);
    return boundary;
}

// Reads one record into the page; answers the read's level.
ErrorLevel BrowseClass::fillOne(int direction, std::string& boundary) {
    if (UseMRP && View->readAhead() == 0) View->setReadAhead(readAheadWanted());
    ErrorLevel level = direction == FillForward ? Next() : Previous();
    if (level != LevelBenign) return level;
    // The boundary row is on the page already.
    bool repeat = !boundary.empty() && rt::View::samePlace(View->position(), boundary);
    boundary.clear();
    if (repeat) return LevelBenign;
    int rows = ListQueue->Records();
    if (rows > 0 && rows >= LastItems) {
        ListQueue->Fetch(direction == FillForward ? 1 : rows);
        ListQueue->Delete();
    }
    SetQueueRecord();
    if (direction == FillForward)
        ListQueue->Insert();
    else
        ListQueue->Insert(1);
    --ItemsToFill;
    return LevelBenign;
}

void BrowseClass::Fetch(int direction) {
    if (QuickScan && ItemsToFill > 1) Primary->SetQuickScan(true, 0);
    std::string boundary = startFill(direction);
    while (ItemsToFill > 0) {
        ErrorLevel level = fillOne(direction, boundary);
        // A fatal read has closed the window; quick-scan mode goes with it.
        if (level == LevelFatal) return;
        if (level != LevelBenign) break;
    }
    if (QuickScan) Primary->SetQuickScan(false, 0);
}
