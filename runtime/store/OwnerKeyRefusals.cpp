#include "runtime/store/OwnerKeyRefusals.h"

#include <map>
#include <mutex>
#include <string>

namespace rt {

namespace {

// What a change of the file's key cannot happen without changing: every
// page is rewritten, in the file or in its log.
struct FileState {
    std::uintmax_t size = 0, logSize = 0;
    std::filesystem::file_time_type written{}, logWritten{};
    bool operator==(const FileState&) const = default;
};

FileState stateOf(const std::filesystem::path& file) {
    std::error_code ec;
    auto log = std::filesystem::path(file.string() + "-wal");
    FileState state;
    state.size = std::filesystem::file_size(file, ec);
    state.written = std::filesystem::last_write_time(file, ec);
    state.logSize = std::filesystem::file_size(log, ec);
    if (ec) state.logSize = 0;
    state.logWritten = std::filesystem::last_write_time(log, ec);
    return state;
}

struct Refusals {
    std::mutex mutex;
    std::map<std::string, FileState> files;
};

Refusals& refusals() {
    static Refusals* r = new Refusals;
    return *r;
}

std::string idOf(const std::filesystem::path& file, std::string_view password) {
    return std::filesystem::absolute(file).lexically_normal().string() + '\n' +
           std::string(password);
}

}  // namespace

bool OwnerKeyRefusals::refused(const std::filesystem::path& file, std::string_view password) {
    FileState now = stateOf(file);
    std::lock_guard lock(refusals().mutex);
    auto it = refusals().files.find(idOf(file, password));
    return it != refusals().files.end() && it->second == now;
}

void OwnerKeyRefusals::note(const std::filesystem::path& file, std::string_view password) {
    FileState now = stateOf(file);
    std::lock_guard lock(refusals().mutex);
    refusals().files[idOf(file, password)] = now;
}

void OwnerKeyRefusals::forgetAll() {
    std::lock_guard lock(refusals().mutex);
    refusals().files.clear();
}

}  // namespace rt
