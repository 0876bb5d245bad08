#include "app/AboutWindow.h"

#include <memory>

#include "app/FocusDefaults.h"
#include "app/GlobalErrors.h"
#include "app/HostFacts.h"
#include "app/LinkRegion.h"
#include "runtime/Events.h"
#include "runtime/Window.h"
#include "util/VSClipboardClass.h"
#include "window/EnhancedFocusClassType.h"
#include "window/ToolbarClass.h"
#include "window/WindowManager.h"

namespace {

// Control numbers.
enum : int {
    CloseButton = 8,
    EmailString = 9,
};

// The display face of the title lines; the runtime falls back to the
// nearest installed family.
constexpr const char* kDisplayFont = "HandelGothic BT";
constexpr int kNavy = 0x800000;

class ThisWindow : public WindowManager {
  public:
    ErrorLevel Init() override;
    ErrorLevel Kill() override;
    ErrorLevel TakeEvent() override;
    ErrorLevel TakeFieldEvent() override;

  private:
    rt::WindowDeclaration declaration();

    int emailRegion_ = 0;
    ToolbarClass Toolbar;
    EnhancedFocusClassType EnhancedFocusManager;
    VSClipboardClass VSClipboardMgr;
    std::unique_ptr<rt::Window> QuickWindow;
};

rt::WindowDeclaration ThisWindow::declaration() {
    using rt::ControlKind;
    rt::WindowDeclaration d;
    d.caption = "About Password Lockora";
    d.width = 236;
    d.height = 122;
    d.controls = {
        rt::control(ControlKind::String, "Password Lockora")
            .at(56, 8, 172, 16)
            .font(kDisplayFont, 14, kNavy),
        rt::control(ControlKind::String, "Provided by").at(56, 28, 172, 10),
        rt::control(ControlKind::String, "The Lockora developers")
            .at(56, 38, 172, 12)
            .font(kDisplayFont, 10),
        rt::control(ControlKind::Image).at(8, 8, 40, 40).iconName("lockora-logo.svg"),
        rt::control(ControlKind::String, "Free software for the Linux desktop").at(56, 56, 172, 10),
        rt::control(ControlKind::String, "Your passwords stay in one encrypted file")
            .at(56, 66, 172, 10),
        rt::control(ControlKind::String, "No telephone support; please write").at(56, 76, 172, 10),
        rt::control(ControlKind::Button, "Close").at(182, 102, 46, 14).with(rt::FlagDefault),
        rt::control(ControlKind::String, "e-mail: support@lockora.invalid")
            .at(56, 88, 172, 10)
            .font("", 0, kNavy),
    };
    return d;
}

ErrorLevel ThisWindow::Init() {
    GlobalErrors.SetProcedureName("AboutWindow");
    Request = GlobalRequest;
    if (ErrorLevel level = WindowManager::Init()) return level;
    FirstField = 1;
    VCRRequest = &::VCRRequest;
    Errors = &GlobalErrors;
    AddItem(Toolbar);
    GlobalRequest = GlobalResponse = 0;
    AddItem(CloseButton, Request == RequestSelect ? ResponseCancelled : ResponseCompleted);
    QuickWindow = std::make_unique<rt::Window>(declaration());
    Open(*QuickWindow);
    emailRegion_ = CreateLinkRegion(*QuickWindow, EmailString);
    SetAlerts();
    VSClipboardMgr.Init(*QuickWindow);
    InitFocusDefaults(EnhancedFocusManager, *QuickWindow);
    return LevelBenign;
}

ErrorLevel ThisWindow::TakeFieldEvent() {
    if (VSClipboardMgr.TakeEvent()) return LevelBenign;
    if (currentControl() == emailRegion_ && currentEvent() == rt::EventMouseDown)
        URLHandler(MyWindow, kAboutMailto);
    return WindowManager::TakeFieldEvent();
}

ErrorLevel ThisWindow::TakeEvent() {
    EnhancedFocusManager.TakeEvent();
    return WindowManager::TakeEvent();
}

ErrorLevel ThisWindow::Kill() {
    VSClipboardMgr.Kill();
    if (ErrorLevel level = WindowManager::Kill()) return level;
    GlobalErrors.SetProcedureName();
    GlobalResponse = Response;
    return LevelBenign;
}

}  // namespace

void AboutWindow() {
    ThisWindow window;
    GlobalResponse = window.Run();
}
