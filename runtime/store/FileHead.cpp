#include "runtime/store/FileHead.h"

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <memory>

namespace rt {

std::optional<std::string> readFileHead(const std::filesystem::path& file, std::size_t size) {
    sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    if (!vfs || sqlite3_initialize() != SQLITE_OK) return std::nullopt;
    auto buffer = std::make_unique<char[]>(static_cast<std::size_t>(vfs->szOsFile));
    auto* handle = reinterpret_cast<sqlite3_file*>(buffer.get());
    // The full path, as SQLite's own opens name it, so the descriptor is
    // matched with theirs.
    std::string name = std::filesystem::absolute(file).lexically_normal().string();
    int outFlags = 0;
    if (vfs->xOpen(vfs, name.c_str(), handle, SQLITE_OPEN_READONLY | SQLITE_OPEN_MAIN_DB,
                   &outFlags) != SQLITE_OK)
        return std::nullopt;
    sqlite3_int64 fileSize = 0;
    std::optional<std::string> head;
    if (handle->pMethods->xFileSize(handle, &fileSize) == SQLITE_OK) {
        std::string bytes(std::min<std::size_t>(size, static_cast<std::size_t>(fileSize)), '\0');
        if (bytes.empty() ||
            handle->pMethods->xRead(handle, bytes.data(), static_cast<int>(bytes.size()), 0) ==
                SQLITE_OK)
            head = std::move(bytes);
    }
    handle->pMethods->xClose(handle);
    return head;
}

}  // namespace rt
