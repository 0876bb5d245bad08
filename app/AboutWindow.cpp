#include "app/AboutWindow.h"

#include "app/HostFacts.h"
#include "app/LinkRegion.h"
#include "app/ProcedureWindow.h"
#include "runtime/controls/Events.h"
#include "runtime/gui/Window.h"

namespace {

using namespace AboutControl;

// The display face of the title lines; the runtime falls back to the
// nearest installed family.
constexpr const char* kDisplayFont = "HandelGothic BT";
constexpr int kNavy = 0x800000;

class ThisWindow : public ProcedureWindow {
  public:
    ThisWindow() : ProcedureWindow("AboutWindow") {}
    ErrorLevel Init() override;

    void TakeOwnFieldEvent() override;

  private:
    rt::WindowDeclaration declaration();

    int emailRegion_ = 0;
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
        rt::control(ControlKind::Image)
            .numbered(LogoImage)
            .at(8, 8, 40, 40)
            .iconName("lockora-logo.svg")
            .tipText("Password Lockora logo"),
        rt::control(ControlKind::String, "Free software for the Linux desktop").at(56, 56, 172, 10),
        rt::control(ControlKind::String, "Your passwords stay in one encrypted file")
            .at(56, 66, 172, 10),
        rt::control(ControlKind::String, "No telephone support; please write").at(56, 76, 172, 10),
        rt::control(ControlKind::Button, "Close")
            .numbered(CloseButton)
            .at(182, 102, 46, 14)
            .with(rt::FlagDefault),
        rt::control(ControlKind::String, "e-mail: support@lockora.invalid")
            .numbered(EmailString)
            .at(56, 88, 172, 10)
            .font("", 0, kNavy),
    };
    return d;
}

ErrorLevel ThisWindow::Init() {
    if (ErrorLevel level = BeginInit(1)) return level;
    AddItem(CloseButton, Request == RequestSelect ? ResponseCancelled : ResponseCompleted);
    OpenQuickWindow(declaration());
    emailRegion_ = CreateLinkRegion(*QuickWindow, EmailString);
    AttachCompanions();
    return LevelBenign;
}

void ThisWindow::TakeOwnFieldEvent() {
    if (currentControl() == emailRegion_ && currentEvent() == rt::EventMouseDown)
        URLHandler(MyWindow, kAboutMailto);
}

}  // namespace

void AboutWindow() {
    ThisWindow window;
    GlobalResponse = window.Run();
}
