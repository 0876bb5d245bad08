#include "runtime/host/SettingsFile.h"

#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <mutex>

#include "runtime/host/HostFile.h"
#include "runtime/host/IniDocument.h"
#include "runtime/host/LastError.h"
#include "runtime/text/FixedText.h"

namespace rt {

namespace {

constexpr int kAccessDenied = 5;
constexpr int kInvalidParameter = 87;
constexpr int kFileSystemError = 90;

// One lock for every settings file: a read-modify-write on one thread must
// not interleave with another thread's. It also guards the cache below.
std::mutex& settingsLock() {
    static std::mutex lock;
    return lock;
}

std::atomic<std::size_t> parses{0};

// One version of a file on disk: a write in place changes its size or its
// times, a replacement its inode.
struct Version {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const Version& o) const {
        return device == o.device && inode == o.inode && size == o.size &&
               modified.tv_sec == o.modified.tv_sec && modified.tv_nsec == o.modified.tv_nsec &&
               changed.tv_sec == o.changed.tv_sec && changed.tv_nsec == o.changed.tv_nsec;
    }
};

enum class State { Missing, Read, Unreadable, TooLarge };

// The settings file last used, parsed.
struct Parsed {
    std::string path;  // absolute, so a change of working folder is seen
    State state = State::Missing;
    Version version;
    // A file's times have a coarse grain: a change made within the same tick
    // as the one read may leave the version as it was. A version is trusted
    // once its modification time lies well before the read, or when we
    // wrote it ourselves.
    bool settled = false;
    IniDocument document;
};

// Well past any file system's timestamp grain.
constexpr std::time_t kSettledSeconds = 2;

// Any later write sets the modification time to its own moment, so a time
// well in the past cannot come back unchanged.
bool settledAt(const Version& version) {
    return version.modified.tv_sec + kSettledSeconds < std::time(nullptr);
}

// Guarded by settingsLock().
Parsed& cache() {
    static Parsed parsed;
    return parsed;
}

std::string absolutePath(std::string_view file) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(localPath(file), ec);
    return ec ? localPath(file) : path.string();
}

// The file's state on disk now; version is set for a regular file.
State stateOnDisk(const std::string& path, Version& version) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT ? State::Missing : State::Unreadable;
    if (!S_ISREG(info.st_mode)) return State::Unreadable;
    version = {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
    return static_cast<std::uintmax_t>(info.st_size) > SettingsFile::MaxFileSize ? State::TooLarge
                                                                                 : State::Read;
}

// REQUIRES: settingsLock() held. The file parsed, read again only when it
// is another file than last time or changed since.
const Parsed& current(std::string_view file) {
    Parsed& parsed = cache();
    std::string path = absolutePath(file);
    Version version;
    State state = stateOnDisk(path, version);
    if (state == State::Read && parsed.state == State::Read && parsed.settled &&
        parsed.path == path && parsed.version == version)
        return parsed;
    std::string bytes;
    if (state == State::Read) {
        FileRead read = readWholeFile(path, bytes);
        if (read == FileRead::Missing) state = State::Missing;
        if (read == FileRead::Unreadable) state = State::Unreadable;
        // It may have grown since it was looked at.
        if (bytes.size() > SettingsFile::MaxFileSize) state = State::TooLarge;
        if (state != State::Read) bytes.clear();
        ++parses;
    }
    parsed = Parsed{std::move(path), state, version, settledAt(version), IniDocument(bytes)};
    return parsed;
}

int refusal(const Parsed& parsed) {
    switch (parsed.state) {
        case State::Unreadable:
            return finishWith(kAccessDenied);
        case State::TooLarge:
            setLastError(kFileSystemError, std::to_string(EFBIG),
                         "the settings file is larger than " +
                             std::to_string(SettingsFile::MaxFileSize / (1024 * 1024)) + " MiB");
            return kFileSystemError;
        default:
            return finishWith(0);
    }
}

// Applies edit to the parsed file and stores the file when edit changed it.
// A file that cannot be read, or is too large, is never replaced.
template <typename Edit>
int update(std::string_view file, Edit edit) {
    std::lock_guard guard(settingsLock());
    const Parsed& parsed = current(file);
    if (int refused = refusal(parsed)) return refused;
    IniDocument document = parsed.document;
    if (!edit(document)) return finishWith(0);
    std::string path = parsed.path;
    if (!replaceFile(path, document.text())) {
        cache() = Parsed{};
        return finishWith(kAccessDenied);
    }
    Version version;
    State state = stateOnDisk(path, version);
    cache() = Parsed{std::move(path), state, version, true, std::move(document)};
    return finishWith(0);
}

}  // namespace

std::string SettingsFile::get(std::string_view file, std::string_view section, std::string_view key,
                              std::string_view fallback, std::size_t bufferSize) {
    std::optional<std::string> value;
    {
        std::lock_guard guard(settingsLock());
        value = current(file).document.value(section, key);
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
    return current(file).document.sections();
}

std::vector<std::string> SettingsFile::keys(std::string_view file, std::string_view section) {
    std::lock_guard guard(settingsLock());
    return current(file).document.keys(section);
}

int SettingsFile::check(std::string_view file) {
    std::lock_guard guard(settingsLock());
    return refusal(current(file));
}

std::size_t SettingsFile::TEST_parses() {
    return parses;
}

}  // namespace rt
