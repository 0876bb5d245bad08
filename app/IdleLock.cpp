#include "app/IdleLock.h"

#include <charconv>
#include <cstdint>
#include <string>

#include "app/Dictionary.h"
#include "app/GetPasswordWindow.h"
#include "app/GlobalData.h"
#include "app/INIMgrClass.h"
#include "runtime/gui/HiddenWindows.h"
#include "runtime/gui/IdleWatcher.h"
#include "runtime/host/Halt.h"
#include "window/WindowManager.h"

namespace {

constexpr const char* kSection = "Options";
constexpr std::int64_t kDefaultMinutes = 5;
// A year of minutes: more than that is as good as never, and keeps the
// seconds far from overflowing.
constexpr std::int64_t kLongestMinutes = 366 * 24 * 60;

// A whole number from the settings file, or the default when the value is
// missing, is not a plain number or lies outside 0..highest.
std::int64_t setting(const char* name, std::int64_t byDefault, std::int64_t highest) {
    std::string text = INIMgr.TryFetch(kSection, name);
    std::int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return byDefault;
    return value < 0 || value > highest ? byDefault : value;
}

}  // namespace

IdleLock::IdleLock() = default;
IdleLock::~IdleLock() = default;

void IdleLock::Arm() {
    watcher_ = std::make_unique<rt::IdleWatcher>([this] { return lockNow(); });
    watcher_->setIdleLimit(setting("LockAfterMinutes", kDefaultMinutes, kLongestMinutes) * 60);
    if (setting("LockWithScreen", 1, 1) == 1) watcher_->followScreenLock();
}

// The login reads the System record into SYS and leaves the master password
// there; SYS is put back as it was (a settings form locked over holds its
// own record, and otherwise the password was wiped after the login at start).
bool IdleLock::lockNow() {
    if (WindowManager::UnsavedChangesOpen()) return false;
    rt::HiddenWindows away;
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
