#include "runtime/host/Host.h"

#include <pwd.h>
#include <unistd.h>

#include <QDesktopServices>
#include <QFileInfo>
#include <QStringList>
#include <QSysInfo>
#include <QUrl>
#include <atomic>
#include <cctype>
#include <cstdlib>
#include <mutex>
#include <vector>

extern char** environ;

namespace rt {

namespace {

struct Hooks {
    std::mutex mutex;
    Host::UserNameHook userName;
    Host::TextHook computerName;
    Host::TextHook osDescription;
    Host::UrlOpener urlOpener;
    Host::DragFullWindowsWatcher dragWatcher;
};

Hooks& hooks() {
    static Hooks instance;
    return instance;
}

template <typename F>
F swapHook(F Hooks::*member, F hook) {
    std::lock_guard guard(hooks().mutex);
    std::swap(hooks().*member, hook);
    return hook;
}

template <typename F>
F currentHook(F Hooks::*member) {
    std::lock_guard guard(hooks().mutex);
    return hooks().*member;
}

std::atomic<bool> dragFullWindowsOn{true};

std::optional<std::string> realUserName() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry;
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_name && *found->pw_name) {
        return std::string(found->pw_name);
    }
    for (const char* name : {"LOGNAME", "USER"}) {
        const char* value = std::getenv(name);
        if (value && *value) return std::string(value);
    }
    return std::nullopt;
}

bool sameNameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> findVariable(std::string_view name) {
    std::string exact(name);
    if (const char* value = std::getenv(exact.c_str())) return std::string(value);
    for (char** entry = environ; entry && *entry; ++entry) {
        std::string_view variable(*entry);
        std::size_t equals = variable.find('=');
        if (equals != std::string_view::npos &&
            sameNameIgnoringCase(variable.substr(0, equals), name)) {
            return std::string(variable.substr(equals + 1));
        }
    }
    return std::nullopt;
}

std::string_view trimmed(std::string_view text) {
    std::size_t begin = text.find_first_not_of(" \t");
    if (begin == std::string_view::npos) return {};
    return text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
}

bool hasControlCharacter(std::string_view text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) return true;
    }
    return false;
}

// A bare e-mail address ("someone@example.com") would otherwise read as a
// web address with a user name in it.
bool isBareAddress(const QString& text) {
    return text.contains('@') && !text.contains(':') && !text.contains('/');
}

QUrl urlFor(const QString& text) {
    QFileInfo file(text);
    if (file.exists()) return QUrl::fromLocalFile(file.absoluteFilePath());
    if (isBareAddress(text)) return QUrl("mailto:" + text, QUrl::TolerantMode);
    return QUrl::fromUserInput(text);
}

// A one-letter scheme is a drive letter, and a web address needs a host.
bool openable(const QUrl& url) {
    static const QStringList needHost{"http", "https", "ftp"};
    if (!url.isValid() || url.scheme().size() < 2) return false;
    return !needHost.contains(url.scheme()) || !url.host().isEmpty();
}

}  // namespace

std::optional<std::string> Host::userName(std::size_t bufferSize) {
    auto hook = currentHook(&Hooks::userName);
    std::optional<std::string> name = hook ? hook() : realUserName();
    if (!name || name->size() + 1 > bufferSize) return std::nullopt;
    return name;
}

std::string Host::computerName() {
    auto hook = currentHook(&Hooks::computerName);
    return hook ? hook() : QSysInfo::machineHostName().toStdString();
}

std::string Host::osDescription() {
    auto hook = currentHook(&Hooks::osDescription);
    if (hook) return hook();
    return (QSysInfo::prettyProductName() + ", " + QSysInfo::kernelType() + " " +
            QSysInfo::kernelVersion())
        .toStdString();
}

std::string Host::environment(std::string_view name, std::size_t bufferSize) {
    if (name.empty() || name.find('=') != std::string_view::npos ||
        name.find('\0') != std::string_view::npos) {
        return {};
    }
    std::optional<std::string> value = findVariable(name);
    if (!value || value->size() + 1 > bufferSize) return {};
    return *value;
}

std::string Host::locationUrl(std::string_view location) {
    location = trimmed(location);
    if (location.empty() || hasControlCharacter(location)) return {};
    QUrl url = urlFor(QString::fromUtf8(location.data(), static_cast<qsizetype>(location.size())));
    if (!openable(url)) return {};
    return url.toString(QUrl::FullyEncoded).toStdString();
}

bool Host::openLocation(std::string_view location) {
    std::string url = locationUrl(location);
    if (url.empty()) return false;
    if (auto opener = currentHook(&Hooks::urlOpener)) return opener(url);
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url), QUrl::StrictMode));
}

bool Host::dragFullWindows() {
    return dragFullWindowsOn.load();
}

void Host::setDragFullWindows(bool on) {
    dragFullWindowsOn.store(on);
    if (auto watcher = currentHook(&Hooks::dragWatcher)) watcher(on);
}

Host::UserNameHook Host::TEST_setUserNameHook(UserNameHook hook) {
    return swapHook(&Hooks::userName, std::move(hook));
}

Host::TextHook Host::TEST_setComputerNameHook(TextHook hook) {
    return swapHook(&Hooks::computerName, std::move(hook));
}

Host::TextHook Host::TEST_setOsDescriptionHook(TextHook hook) {
    return swapHook(&Hooks::osDescription, std::move(hook));
}

Host::UrlOpener Host::TEST_setUrlOpener(UrlOpener opener) {
    return swapHook(&Hooks::urlOpener, std::move(opener));
}

Host::DragFullWindowsWatcher Host::TEST_setDragFullWindowsWatcher(DragFullWindowsWatcher watcher) {
    return swapHook(&Hooks::dragWatcher, std::move(watcher));
}

}  // namespace rt
