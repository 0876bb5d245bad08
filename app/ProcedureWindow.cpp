#include "app/ProcedureWindow.h"

#include "app/FocusDefaults.h"
#include "app/GlobalErrors.h"
#include "window/Requests.h"

ErrorLevel ProcedureWindow::BeginInit(int firstField) {
    GlobalErrors.SetProcedureName(procedureName_);
    Request = GlobalRequest;
    if (ErrorLevel level = WindowManager::Init()) return level;
    FirstField = firstField;
    VCRRequest = &::VCRRequest;
    Errors = &GlobalErrors;
    AddItem(Toolbar);
    GlobalRequest = GlobalResponse = 0;
    return LevelBenign;
}

void ProcedureWindow::OpenQuickWindow(const rt::WindowDeclaration& declaration) {
    QuickWindow = std::make_unique<rt::Window>(declaration);
    Open(*QuickWindow);
}

void ProcedureWindow::AttachCompanions() {
    SetAlerts();
    VSClipboardMgr.Init(*QuickWindow);
    InitFocusDefaults(EnhancedFocusManager, *QuickWindow);
}

ErrorLevel ProcedureWindow::TakeEvent() {
    EnhancedFocusManager.TakeEvent();
    return WindowManager::TakeEvent();
}

ErrorLevel ProcedureWindow::TakeFieldEvent() {
    if (VSClipboardMgr.TakeEvent()) return LevelBenign;
    TakeOwnFieldEvent();
    return WindowManager::TakeFieldEvent();
}

ErrorLevel ProcedureWindow::Kill() {
    VSClipboardMgr.Kill();
    if (ErrorLevel level = WindowManager::Kill()) return level;
    if (FilesOpened) CloseFiles();
    FilesOpened = false;
    GlobalErrors.SetProcedureName();
    GlobalResponse = Response;
    return LevelBenign;
}
