// BrowseClass: running the update procedure for a request, reloading the
// page after it, and re-reading the highlighted record with change
// detection.
#include "browse/BrowseClass.h"
#include "browse/SqlFilterRewrite.h"
#include "errors/ErrorIds.h"
#include "runtime/controls/Events.h"
#include "runtime/store/FileErrors.h"
#include "runtime/store/ViewFilter.h"
#include "runtime/gui/Window.h"

namespace {

constexpr std::size_t kFilterSize = 2048;

}  // namespace

std::uint8_t BrowseClass::Ask(std::uint8_t request) {
    std::uint8_t response = ResponseCancelled;
    rt::Window* w = window();
    do {
        *Window->VCRRequest = VcrNone;
        if (w && w->keyCode() == rt::MouseRightUp) w->setKeyCode(0);
        if (AskProcedure == 0) {
            response = AskRecord(request);
            continue;
        }
        if (request == RequestInsert && PrimeRecord() != LevelBenign) return ResponseCancelled;
        response = Window->Run(AskProcedure, request);
        ResetFromAsk(request, response);
    } while (*Window->VCRRequest != VcrNone);
    return response;
}

// Whether the changed record still passes the view's filter.
bool BrowseClass::keepsFilter() {
    std::string filter = View->filter().substr(0, kFilterSize);
    if (rt::KeyedFile::sqlDriver()) filter = RewriteSqlFilter(filter).substr(0, kFilterSize);
    return rt::filterPasses(View->primary().definition(), filter);
}

void BrowseClass::ResetFromAsk(std::uint8_t& request, std::uint8_t& response) {
    if (response == ResponseCompleted) {
        View->flush();
        if (request == RequestDelete || (request == RequestChange && !keepsFilter())) {
            ListQueue->Fetch(CurrentChoice);
            ListQueue->Delete();
            ResetQueue(ReloadAroundHighlight);
        } else {
            ResetFromFile();
        }
    } else {
        ResetQueue(ReloadAroundHighlight);
    }
    std::int32_t vcr = *Window->VCRRequest;
    if (vcr == VcrInsert || (vcr == VcrForward && request == RequestInsert)) {
        request = RequestInsert;
        Primary->Me->File->clearBuffer();
    } else {
        TakeVCRScroll(vcr);
    }
    if (vcr == VcrNone) {
        ResetFromView();
        UpdateWindow();
        PostNewSelection();
        if (rt::Window* w = window()) w->select(ILC->GetControl());
    }
}

void BrowseClass::UpdateViewRecord() {
    if (ListQueue->Records() == 0) return;
    CurrentChoice = ILC->Choice();
    ListQueue->Fetch(CurrentChoice);
    std::string position = ListQueue->GetViewPosition();
    View->watch();
    View->reset(position);
    if (View->reget(position) != rt::NoError) NeedRefresh = NotifyUpdateError();
}

bool BrowseClass::NotifyUpdateError() {
    Primary->Me->Throw(ErrChangedOrDeleted);
    return true;
}
