#include "runtime/store/FilePlacement.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

namespace rt {

namespace {

std::filesystem::path folderOf(const std::filesystem::path& file) {
    return file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
}

// A link leaves `from` in place: the move is done once it is unlinked.
Placement placeByLink(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno == EEXIST ? Placement::Taken : Placement::Refused;
    ::unlink(from.c_str());
    return Placement::Placed;
}

}  // namespace

Placement placeWithoutReplacing(const std::filesystem::path& from,
                                const std::filesystem::path& to) {
    Placement placed = Placement::Placed;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno == EEXIST) return Placement::Taken;
        // Only a file system (or kernel) without the exclusive rename falls
        // back; any other failure would fail the link just the same.
        if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return Placement::Refused;
        placed = placeByLink(from, to);
        if (placed != Placement::Placed) return placed;
    }
    // The name is durable only once the folder is: a crash before this may
    // lose the new file, never leave half of it.
    syncToDisk(folderOf(to));
    return placed;
}

bool syncToDisk(const std::filesystem::path& path) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    bool synced = ::fsync(fd) == 0;
    int saved = errno;
    ::close(fd);
    errno = saved;
    return synced;
}

}  // namespace rt
