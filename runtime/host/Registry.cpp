#include "runtime/host/Registry.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "runtime/host/HostFile.h"
#include "runtime/host/IniDocument.h"
#include "runtime/host/LastError.h"

namespace rt {

namespace {

enum : int {
    kNotFound = 2,
    kAccessDenied = 5,
    kInvalidHandle = 6,
    kInvalidParameter = 87,
    kNoMoreItems = 259,
    kKeyDeleted = 1018,
};

struct RootName {
    unsigned root;
    const char* name;
    const char* shortName;
};

constexpr std::array<RootName, 5> kRoots{{
    {Registry::ClassesRoot, "HKEY_CLASSES_ROOT", "HKCR"},
    {Registry::CurrentUser, "HKEY_CURRENT_USER", "HKCU"},
    {Registry::LocalMachine, "HKEY_LOCAL_MACHINE", "HKLM"},
    {Registry::Users, "HKEY_USERS", "HKU"},
    {Registry::CurrentConfig, "HKEY_CURRENT_CONFIG", "HKCC"},
}};

const char* rootName(std::string_view name) {
    std::string folded = foldName(name);
    for (const RootName& root : kRoots) {
        if (folded == root.name || folded == root.shortName) return root.name;
    }
    return nullptr;
}

std::vector<std::string_view> splitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool isRoot(const std::string& path) {
    return path.find('\\') == std::string::npos;
}

bool hasSubkeys(const IniDocument& document, const std::string& path) {
    std::string prefix = foldName(path) + "\\";
    for (const std::string& section : document.sections()) {
        if (foldName(section).starts_with(prefix)) return true;
    }
    return false;
}

bool exists(const IniDocument& document, const std::string& path) {
    return isRoot(path) || document.hasSection(path) || hasSubkeys(document, path);
}

template <typename T>
T fail(int code, T result) {
    setLastError(code);
    return result;
}

}  // namespace

Registry::Registry(std::string file) : file_(std::move(file)) {}

Registry& Registry::user() {
    static Registry registry(defaultFile());
    return registry;
}

std::string Registry::defaultFile() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path base;
    if (config && *config == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        const passwd* entry = home && *home ? nullptr : getpwuid(getuid());
        base = std::filesystem::path(home && *home ? home
                                     : entry       ? entry->pw_dir
                                                   : ".") /
               ".config";
    }
    return (base / "lockora" / "registry.ini").string();
}

void Registry::TEST_setFile(std::string file) {
    std::lock_guard guard(mutex_);
    file_ = file.empty() ? defaultFile() : std::move(file);
}

std::optional<std::string> Registry::canonicalPath(std::string_view path) const {
    std::vector<std::string_view> parts = splitPath(path);
    const char* root = parts.empty() ? nullptr : rootName(parts.front());
    if (!root) return std::nullopt;
    std::string canonical = root;
    for (std::size_t i = 1; i < parts.size(); ++i) (canonical += '\\') += parts[i];
    return canonical;
}

std::string Registry::load() const {
    std::string bytes;
    readWholeFile(file_, bytes);
    return bytes;
}

int Registry::store(const std::string& bytes) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file_).parent_path(), ec);
    return replaceFile(file_, bytes) ? 0 : kAccessDenied;
}

Registry::Key Registry::addHandle(std::string path) {
    Key key = next_++;
    open_.emplace(key, std::move(path));
    clearLastError();
    return key;
}

Registry::Key Registry::openKey(std::string_view path) {
    std::lock_guard guard(mutex_);
    auto canonical = canonicalPath(path);
    if (!canonical) return fail(kInvalidHandle, 0);
    if (!exists(IniDocument(load()), *canonical)) return fail(kNotFound, 0);
    return addHandle(std::move(*canonical));
}

std::optional<std::string> Registry::pathUnder(unsigned root, std::string_view subKey) {
    for (const RootName& entry : kRoots) {
        if (entry.root == root) return std::string(entry.name) + "\\" + std::string(subKey);
    }
    return std::nullopt;
}

Registry::Key Registry::openKey(unsigned root, std::string_view subKey) {
    auto path = pathUnder(root, subKey);
    return path ? openKey(*path) : fail(kInvalidHandle, 0);
}

Registry::Key Registry::createKey(unsigned root, std::string_view subKey) {
    auto path = pathUnder(root, subKey);
    return path ? createKey(*path) : fail(kInvalidHandle, 0);
}

Registry::Key Registry::createKey(std::string_view path) {
    std::lock_guard guard(mutex_);
    auto canonical = canonicalPath(path);
    if (!canonical) return fail(kInvalidHandle, 0);
    if (!IniDocument::validName(*canonical)) return fail(kInvalidParameter, 0);
    IniDocument document(load());
    if (!document.hasSection(*canonical) && !isRoot(*canonical)) {
        document.addSection(*canonical);
        if (int code = store(document.text())) return fail(code, 0);
    }
    return addHandle(std::move(*canonical));
}

int Registry::closeKey(Key key) {
    std::lock_guard guard(mutex_);
    return finishWith(open_.erase(key) ? 0 : kInvalidHandle);
}

int Registry::deleteKey(std::string_view path) {
    std::lock_guard guard(mutex_);
    auto canonical = canonicalPath(path);
    if (!canonical) return finishWith(kInvalidHandle);
    IniDocument document(load());
    if (!exists(document, *canonical)) return finishWith(kNotFound);
    if (isRoot(*canonical) || hasSubkeys(document, *canonical)) return finishWith(kAccessDenied);
    document.removeSection(*canonical);
    return finishWith(store(document.text()));
}

std::optional<std::string> Registry::keyPath(Key key, int& error) const {
    auto found = open_.find(key);
    if (found == open_.end()) {
        error = kInvalidHandle;
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::string> Registry::queryValue(Key key, std::string_view name) {
    std::lock_guard guard(mutex_);
    int error = 0;
    auto path = keyPath(key, error);
    if (!path) return fail(error, std::optional<std::string>());
    IniDocument document(load());
    if (!exists(document, *path)) return fail(kKeyDeleted, std::optional<std::string>());
    auto value = document.value(*path, name);
    if (!value) return fail(kNotFound, value);
    clearLastError();
    return value;
}

int Registry::setValue(Key key, std::string_view name, std::string_view data) {
    std::lock_guard guard(mutex_);
    int error = 0;
    auto path = keyPath(key, error);
    if (!path) return finishWith(error);
    if (!IniDocument::validName(name) || !IniDocument::validValue(data))
        return finishWith(kInvalidParameter);
    IniDocument document(load());
    if (!exists(document, *path)) return finishWith(kKeyDeleted);
    if (isRoot(*path)) return finishWith(kAccessDenied);
    if (!document.setValue(*path, name, data)) return finishWith(0);
    return finishWith(store(document.text()));
}

int Registry::deleteValue(Key key, std::string_view name) {
    std::lock_guard guard(mutex_);
    int error = 0;
    auto path = keyPath(key, error);
    if (!path) return finishWith(error);
    IniDocument document(load());
    if (!exists(document, *path)) return finishWith(kKeyDeleted);
    if (!document.removeKey(*path, name)) return finishWith(kNotFound);
    return finishWith(store(document.text()));
}

std::optional<Registry::Value> Registry::enumValue(Key key, std::size_t index) {
    std::lock_guard guard(mutex_);
    int error = 0;
    auto path = keyPath(key, error);
    if (!path) return fail(error, std::optional<Value>());
    IniDocument document(load());
    if (!exists(document, *path)) return fail(kKeyDeleted, std::optional<Value>());
    std::vector<std::string> names = document.keys(*path);
    if (index >= names.size()) return fail(kNoMoreItems, std::optional<Value>());
    clearLastError();
    return Value{names[index], document.value(*path, names[index]).value_or("")};
}

}  // namespace rt
