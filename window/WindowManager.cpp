// The window manager's life cycle and its lists of components, buttons,
// update files and ditto fields.
#include "window/WindowManager.h"

#include <algorithm>
#include <cassert>

#include "data/FileManager.h"
#include "data/RelationManager.h"
#include "runtime/controls/Events.h"
#include "runtime/controls/Prop.h"
#include "runtime/expr/Bindings.h"
#include "runtime/gui/Window.h"
#include "runtime/host/Assert.h"
#include "window/ToolbarClass.h"

WindowManager::WindowManager() : VCRRequest(&::VCRRequest) {}

WindowManager::~WindowManager() {
    Kill();
}

std::uint8_t WindowManager::Run() {
    if (Init() == LevelBenign) Ask();
    Kill();
    return Response == 0 ? std::uint8_t{ResponseCancelled} : Response;
}

std::uint8_t WindowManager::Run(int, std::uint8_t) {
    return ResponseCancelled;
}

ErrorLevel WindowManager::Init() {
    // Invariant: a window is called with no request or one of the known
    // requests; anything else would fall through every request branch.
    assert(Request <= RequestSave);
    OriginalRequest = Request;
    CL = std::make_unique<std::vector<ComponentEntry>>();
    Buttons = std::make_unique<std::vector<ButtonEntry>>();
    rt::pushBind();
    initialised_ = true;
    Dead = false;
    // A right click that opened this window must not count as a key here.
    std::vector<rt::Window*> open = rt::Window::openWindows();
    if (!open.empty()) {
        int key = open.back()->keyCode();
        if (key == rt::MouseRight || key == rt::MouseRightUp) open.back()->setKeyCode(0);
    }
    InsertAction = InsertActionClose;
    DeleteAction = DeleteActionConfirm;
    ChangeAction = ChangeActionClose;
    CancelAction = CancelActionSave | CancelActionAsk;
    AutoToolbar = true;
    AutoRefresh = true;
    OwnerWindow = nullptr;
    return LevelBenign;
}

ErrorLevel WindowManager::Kill() {
    if (Dead || !initialised_) return LevelNotify;
    while (CL && !CL->empty()) {
        WindowComponent* component = CL->front().WC;
        CL->erase(CL->begin());
        component->Kill();
    }
    CL.reset();
    Buttons.reset();
    History.reset();
    if (Files) {
        for (FileEntry& entry : *Files)
            if (entry.Saved) entry.Manager->RestoreBuffer(entry.Saved, false);
    }
    if (Primary && Primary->Me && Saved) Primary->Me->RestoreBuffer(Saved, false);
    Files.reset();
    if (Toolbar) Toolbar->Kill();
    if (killResizer_) killResizer_();
    Dead = true;
    rt::popBind();
    return LevelBenign;
}

void WindowManager::Open(rt::Window& window, rt::Window* owner) {
    MyWindow = &window;
    if (owner) OwnerWindow = owner;
    // Opened after the others, the window is modal to the newest of them.
    window.open();
    Opened = true;
}

void WindowManager::Open() {
    Reset(false);
    Inited |= 1;
}

void WindowManager::AddItem(WindowComponent& component) {
    RT_ASSERT(CL, "WindowManager::AddItem: the component list does not exist");
    if (CL) CL->push_back({0, &component});
}

void WindowManager::AddItem(ToolbarClass& toolbar) {
    Toolbar = &toolbar;
    toolbar.Init();
}

void WindowManager::AddItem(int control, std::uint8_t action) {
    RT_ASSERT(Buttons, "WindowManager::AddItem: the button list does not exist");
    if (Buttons) Buttons->push_back({control, action});
}

void WindowManager::RemoveItem(WindowComponent& component) {
    if (!CL) return;
    std::erase_if(*CL, [&](const ComponentEntry& e) { return e.WC == &component; });
}

void WindowManager::AddUpdateFile(FileManager& manager) {
    if (!Files) Files = std::make_unique<std::vector<FileEntry>>();
    Files->push_back({&manager, 0});
}

void WindowManager::AddHistoryFile(RecordFields& record, RecordFields& saved) {
    if (!History) History = std::make_unique<std::vector<HistoryEntry>>();
    // The pair waits in an entry without a control until a field arrives.
    historyRecord_ = &record;
    historySaved_ = &saved;
}

void WindowManager::AddHistoryField(int control, int fieldNo) {
    RT_ASSERT(historyRecord_, "WindowManager::AddHistoryField: no history file");
    if (!historyRecord_) return;
    if (!History) History = std::make_unique<std::vector<HistoryEntry>>();
    HistoryEntry entry{historyRecord_, historySaved_, control, fieldNo};
    auto at = std::upper_bound(
        History->begin(), History->end(), entry,
        [](const HistoryEntry& a, const HistoryEntry& b) { return a.Control < b.Control; });
    History->insert(at, entry);
}

void WindowManager::RestoreField(int control) {
    if (!History) return;
    for (const HistoryEntry& entry : *History) {
        if (entry.Control != control) continue;
        auto n = static_cast<std::size_t>(entry.FieldNo);
        if (n < 1 || n > entry.FRecord->size() || n > entry.SRecord->size()) return;
        (*entry.FRecord)[n - 1].assign((*entry.SRecord)[n - 1]);
        if (MyWindow) MyWindow->display(control);
        return;
    }
}

void WindowManager::SaveHistory() {
    if (!History) return;
    const RecordFields* previous = nullptr;
    for (const HistoryEntry& entry : *History) {
        if (entry.FRecord == previous) continue;
        previous = entry.FRecord;
        std::size_t n = std::min(entry.FRecord->size(), entry.SRecord->size());
        for (std::size_t i = 0; i < n; ++i) (*entry.SRecord)[i].assign((*entry.FRecord)[i]);
    }
}

void WindowManager::SetAlerts() {
    if (CL)
        for (ComponentEntry& e : *CL) e.WC->SetAlerts();
    if (!History || !MyWindow || HistoryKey == 0) return;
    for (const HistoryEntry& entry : *History) MyWindow->alert(HistoryKey, entry.Control);
}

void WindowManager::Update() {
    if (CL)
        for (ComponentEntry& e : *CL) e.WC->Update();
}

void WindowManager::ResetBuffers(bool force) {
    if (CL)
        for (ComponentEntry& e : *CL) e.WC->Reset(force);
}

void WindowManager::TakeDisableButton(int control, bool disable) {
    if (control == 0 || !MyWindow) return;
    if (disable) {
        MyWindow->disable(control);
    } else {
        MyWindow->enable(control);
    }
}

void WindowManager::DisableCancelControls() {
    if (!DisableCancelButton || !Buttons) return;
    for (const ButtonEntry& b : *Buttons)
        if (b.Action == ResponseCancelled) TakeDisableButton(b.Control, true);
}

void WindowManager::EnableCancelControls() {
    if (!DisableCancelButton || !Buttons) return;
    for (const ButtonEntry& b : *Buttons)
        if (b.Action == ResponseCancelled) TakeDisableButton(b.Control, false);
}

void WindowManager::PrimeFields() {}

ErrorLevel WindowManager::TakeFieldEvent() {
    return LevelBenign;
}

ErrorLevel WindowManager::TakeSelected() {
    return LevelBenign;
}

ErrorLevel WindowManager::TakeNotify(int, int, int) {
    return LevelBenign;
}

int WindowManager::currentEvent() const {
    return MyWindow ? MyWindow->current().event : 0;
}

int WindowManager::currentControl() const {
    return MyWindow ? MyWindow->current().control : 0;
}

int WindowManager::currentKey() const {
    return MyWindow ? MyWindow->current().key : 0;
}

int WindowManager::controlType(int control) const {
    if (!MyWindow || !MyWindow->exists(control)) return 0;
    return static_cast<int>(MyWindow->property(control, rt::Prop::Type).number());
}

void WindowManager::selectFirstField() {
    if (MyWindow && FirstField) MyWindow->select(FirstField);
}

void WindowManager::redisplay() {
    if (MyWindow) MyWindow->display();
}

void WindowManager::setBusy(bool busy) {
    if (MyWindow) MyWindow->setCursor(busy ? "~wait.cur" : "");
}

ErrorLevel WindowManager::throwError(ErrorId id) {
    RT_ASSERT(Errors, "WindowManager: no error manager");
    return Errors ? Errors->Throw(id) : ErrorLevel{LevelCancel};
}

int WindowManager::askMessage(ErrorId id, int buttons, int defaultButton) {
    RT_ASSERT(Errors, "WindowManager: no error manager");
    return Errors ? Errors->Message(id, buttons, defaultButton) : defaultButton;
}
