#include "app/Lockora.h"

#include "app/Dictionary.h"
#include "app/GlobalData.h"
#include "app/GlobalErrors.h"
#include "app/INIMgrClass.h"
#include "app/Main.h"
#include "runtime/host/Host.h"
#include "runtime/gui/Window.h"
#include "window/Requests.h"

// Module initialisation builds these in this order (GlobalErrors lives with
// its status in GlobalErrors.cpp).
VSRegistryClass RegistryReader;
FuzzyClass FuzzyMatcher;
INIMgrClass INIMgr;

namespace {

constexpr const char* kSettingsFile = ".\\Lockora.INI";

// The host setting is switched off for the run and back on at a normal end.
void dragFullWindowsOff() {
    lCurrentFDSetting = rt::Host::dragFullWindows() ? 1 : 0;
    if (lCurrentFDSetting == 1) {
        lAdjFDSetting = 0;
        rt::Host::setDragFullWindows(false);
    }
}

void dragFullWindowsRestore() {
    if (lCurrentFDSetting == 1) {
        lAdjFDSetting = 1;
        rt::Host::setDragFullWindows(true);
    }
}

// The main procedure's steps in their order.
void mainProcedure() {
    GlobalErrors.Init(GlobalErrorStatus);
    FuzzyMatcher.Init();
    FuzzyMatcher.SetOption(MatchOption_NoCase, true);
    FuzzyMatcher.SetOption(MatchOption_WordOnly, false);
    INIMgr.Init(kSettingsFile, NV_INIFile);
    DctInit();
    rt::setApplicationIcon("safe.ico");
    RegistryReader.Init(1);
    dragFullWindowsOff();
    Main();
    // Main halted the process; a halt handler that returned (a test
    // watching) lands here, and the steps that write must not run.
    if (GLO.PasswordVerified == 0) return;
    INIMgr.Update();
    RegistryReader.Kill();
    dragFullWindowsRestore();
    INIMgr.Kill();
    FuzzyMatcher.Kill();
}

}  // namespace

int Lockora() {
    GLO.Clear();
    GlobalRequest = 0;
    GlobalResponse = 0;
    VCRRequest = 0;
    Dictionary dictionary;  // its end tears the first thread's dictionary down
    mainProcedure();
    return 0;
}
