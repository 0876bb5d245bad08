#include "runtime/host/SettingsFile.h"

#include <mutex>

#include "runtime/text/FixedText.h"
#include "runtime/host/HostFile.h"
#include "runtime/host/IniDocument.h"
#include "runtime/host/LastError.h"

namespace rt {

namespace {

constexpr int kAccessDenied = 5;
constexpr int kInvalidParameter = 87;

// One lock for every settings file: a read-modify-write on one thread must
// not interleave with another thread's.
std::mutex& settingsLock() {
    static std::mutex lock;
    return lock;
}

// A missing or unreadable file reads as an empty one.
IniDocument load(const std::string& path) {
    std::string bytes;
    readWholeFile(path, bytes);
    return IniDocument(bytes);
}

// Loads the file, applies edit, and stores the file when edit changed it.
// An existing file that cannot be read is never replaced.
template <typename Edit>
int update(std::string_view file, Edit edit) {
    std::string path = localPath(file);
    std::lock_guard guard(settingsLock());
    std::string bytes;
    if (readWholeFile(path, bytes) == FileRead::Unreadable) return finishWith(kAccessDenied);
    IniDocument document(bytes);
    if (!edit(document)) return finishWith(0);
    return finishWith(replaceFile(path, document.text()) ? 0 : kAccessDenied);
}

}  // namespace

std::string SettingsFile::get(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view fallback, std::size_t bufferSize) {
    std::optional<std::string> value;
    {
        std::lock_guard guard(settingsLock());
        value = load(localPath(file)).value(section, key);
    }
    std::string_view result = value ? std::string_view(*value) : fallback;
    return std::string(utf8Prefix(result, bufferSize == 0 ? 0 : bufferSize - 1));
}

int SettingsFile::put(std::string_view file, std::string_view section, std::string_view key,
                      std::optional<std::string_view> value) {
    if (!IniDocument::validName(section) || !IniDocument::validName(key) ||
        (value && !IniDocument::validValue(*value))) {
        return finishWith(kInvalidParameter);
    }
    return update(file, [&](IniDocument& document) {
        return value ? document.setValue(section, key, *value) : document.removeKey(section, key);
    });
}

int SettingsFile::removeSection(std::string_view file, std::string_view section) {
    return update(file, [&](IniDocument& document) { return document.removeSection(section); });
}

std::vector<std::string> SettingsFile::sections(std::string_view file) {
    std::lock_guard guard(settingsLock());
    return load(localPath(file)).sections();
}

std::vector<std::string> SettingsFile::keys(std::string_view file, std::string_view section) {
    std::lock_guard guard(settingsLock());
    return load(localPath(file)).keys(section);
}

}  // namespace rt
