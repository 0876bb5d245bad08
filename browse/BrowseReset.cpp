// BrowseClass: rebuilding the page so that the highlighted record stays
// highlighted and, with RetainRow, on the same visual row.
//
// A reload reads forward from where the view stands (the first row of the
// page, or the record to show), finds the highlighted record again by its
// position, then reads backward as many rows as the highlight must move
// down to keep its visual row (delta > 0), or forward when it must move up
// (delta < 0), and finally trims the page to the rows the list shows.
#include <algorithm>

#include "browse/BrowseClass.h"
#include "browse/WaitCursor.h"

void BrowseClass::ResetQueue(int mode) {
    if (!ActiveInvisible && !ILC->GetVisible()) {
        LoadPending = true;
        return;
    }
    Loaded = true;
    LoadPending = false;
    WaitCursor wait;
    ReloadState state;
    if (CurrentChoice == 0) CurrentChoice = 1;
    if (mode == ReloadAroundHighlight)
        startAroundHighlight(state);
    else if (RetainRow)
        startFromPosition(state);
    state.old = CurrentChoice;
    ListQueue->Free();
    ItemsToFill = LastItems - state.delta;
    Fetch(FillForward);
    bool hitEnd = ItemsToFill != 0;
    if (state.highlight.empty() && ListQueue->Records() > 0) {
        ListQueue->Fetch(1);
        state.highlight = ListQueue->GetViewPosition();
    }
    findHighlight(state);
    if (ListQueue->Records() == 0) positionView(0);
    ItemsToFill = AllowUnfilled ? 0 : LastItems - ListQueue->Records();
    if (!state.emptyBefore && (ItemsToFill > 0 || state.delta > 0)) fillAbove(state);
    int rows = ListQueue->Records();
    if (RetainRow && (state.delta < 0 || (rows < LastItems && !hitEnd))) {
        ItemsToFill = std::max(-state.delta, LastItems - rows);
        Fetch(FillForward);
        findHighlight(state);
    }
    trimToPage(state);
    if (CurrentChoice == 0) CurrentChoice = 1;
    if (Records() != 0)
        UpdateBuffer();
    else
        Primary->Me->File->clearBuffer();
}

// The page is re-read from its first row; an empty page from the start.
void BrowseClass::startAroundHighlight(ReloadState& state) {
    int rows = ListQueue->Records();
    if (rows == 0) {
        state.emptyBefore = true;
        positionView(0);
        return;
    }
    if (!ListQueue->Fetch(CurrentChoice)) ListQueue->Fetch(rows);
    state.highlight = ListQueue->GetViewPosition();
    ListQueue->Fetch(1);
    View->reset(ListQueue->GetViewPosition());
}

// The view stands on the record to show. When the page shrank below the
// highlight, rows leave from the top until the highlight fits again.
void BrowseClass::startFromPosition(ReloadState& state) {
    if (LastItems > 0 && LastItems < CurrentChoice) {
        state.highlight = ListQueue->GetViewPosition();
        for (int drop = ListQueue->Records() - LastItems; drop > 0; --drop) {
            ListQueue->Fetch(1);
            ListQueue->Delete();
            --CurrentChoice;
        }
        ILC->SetChoice(CurrentChoice);
        ListQueue->Fetch(CurrentChoice);
    }
    state.delta = CurrentChoice - 1;
}

// CurrentChoice becomes the row that shows the highlighted record (0 when
// none does, 1 when there is no highlight to find).
void BrowseClass::findHighlight(ReloadState& state) {
    CurrentChoice = 0;
    if (state.highlight.empty()) {
        CurrentChoice = 1;
    } else {
        int rows = ListQueue->Records();
        for (int row = 1; row <= rows && CurrentChoice == 0; ++row) {
            ListQueue->Fetch(row);
            if (rt::View::samePlace(ListQueue->GetViewPosition(), state.highlight))
                CurrentChoice = row;
        }
    }
    if (RetainRow) state.delta = state.old - CurrentChoice;
}

// Rows before the first: the page's empty end, and the rows that bring the
// highlight down to its old visual row.
void BrowseClass::fillAbove(ReloadState& state) {
    ItemsToFill = std::max(ItemsToFill, state.delta);
    Fetch(FillBackward);
    int rows = ListQueue->Records();
    if (state.highlight.empty() && rows > 0) {
        ListQueue->Fetch(rows);
        state.highlight = ListQueue->GetViewPosition();
    }
    findHighlight(state);
}

void BrowseClass::trimToPage(ReloadState& state) {
    while (ListQueue->Records() > LastItems) {
        if (state.delta < 0) {
            ListQueue->Fetch(1);
            ++state.delta;
            --CurrentChoice;
        } else {
            ListQueue->Fetch(ListQueue->Records());
        }
        ListQueue->Delete();
    }
}
