#include "app/IdleLock.h"

#include <cstdint>

#include "app/Dictionary.h"
#include "app/GetPasswordWindow.h"
#include "app/GlobalData.h"
#include "app/INIMgrClass.h"
#include "app/Options.h"
#include "runtime/gui/HiddenWindows.h"
#include "runtime/gui/IdleWatcher.h"
#include "runtime/gui/SecretClipboard.h"
#include "runtime/host/Halt.h"
#include "window/WindowManager.h"

IdleLock::IdleLock() = default;
IdleLock::~IdleLock() = default;

void IdleLock::Arm() {
    watcher_ = std::make_unique<rt::IdleWatcher>([this] { return lockNow(); });
    watcher_->setIdleLimit(std::int64_t{Options::LockAfterMinutes()} * 60);
    if (Options::LockWithScreen()) watcher_->followScreenLock();
}

// The login reads the System record into SYS and leaves the master password
// there; SYS is put back as it was (a settings form locked over holds its
// own record, and otherwise the password was wiped after the login at start).
bool IdleLock::lockNow() {
    if (WindowManager::UnsavedChangesOpen()) return false;
    rt::HiddenWindows away;
    // Whoever sits down at the screen next must not find it to paste.
    rt::clearSecretNow();
    std::uint16_t saved = Access_System->SaveBuffer();
    GLO.PasswordVerified = 0;
    GetPasswordWindow();
    Access_System->RestoreBuffer(saved, true);
    if (GLO.PasswordVerified == 0) {
        // As at start: nothing is saved on the way out.
        INIMgr.Abandon();
        rt::halt(0);
        // Only a halt handler that returns gets here: every window ends.
        away.closeAll();
        return true;
    }
    away.restore();
    return true;
}
