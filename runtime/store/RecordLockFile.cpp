#include "runtime/store/RecordLockFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <functional>

namespace rt {

namespace {

// Each table owns a 2^40-byte range of the lock file; a record is the byte at
// its row id inside it.
off_t lockOffset(const std::string& table, std::int64_t rowid) {
    std::uint64_t tableBits = (std::hash<std::string>{}(table)&0x3fffff) + 1;
    return static_cast<off_t>((tableBits << 40) |
                              (static_cast<std::uint64_t>(rowid) & 0xffffffffffULL));
}

struct flock lockOn(short type, off_t offset) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = offset;
    lock.l_len = 1;
    return lock;
}

}  // namespace

RecordLockFile::RecordLockFile(const std::filesystem::path& dataFile) {
    fd_ = ::open((dataFile.string() + "-lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

RecordLockFile::~RecordLockFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool RecordLockFile::hold(const std::string& table, std::int64_t rowid) {
    struct flock lock = lockOn(F_WRLCK, lockOffset(table, rowid));
    return fd_ >= 0 && ::fcntl(fd_, F_OFD_SETLK, &lock) == 0;
}

void RecordLockFile::release(const std::string& table, std::int64_t rowid) {
    struct flock lock = lockOn(F_UNLCK, lockOffset(table, rowid));
    if (fd_ >= 0) ::fcntl(fd_, F_OFD_SETLK, &lock);
}

bool RecordLockFile::heldByOther(const std::string& table, std::int64_t rowid) const {
    struct flock lock = lockOn(F_WRLCK, lockOffset(table, rowid));
    if (fd_ < 0 || ::fcntl(fd_, F_OFD_GETLK, &lock) != 0) return false;
    return lock.l_type != F_UNLCK;
}

bool RecordLockFile::claimOpen(int mode) {
    // Byte 1 says "open", byte 2 "open for writing": every open reads the
    // first, writers the second; denying all writes the first, denying
    // writes the second, so each conflicts exactly with what it forbids.
    constexpr off_t kOpen = 1, kWriting = 2;
    if (fd_ < 0) return true;
    int access = mode & 0x03, sharing = mode & 0xf0;
    bool denyAll = sharing == 0x10 || sharing == 0x30, denyWrite = sharing == 0x20;
    struct flock open = lockOn(denyAll ? F_WRLCK : F_RDLCK, kOpen);
    if (::fcntl(fd_, F_OFD_SETLK, &open) != 0) return false;
    if (access == 0 && !denyWrite) return true;
    struct flock writing = lockOn(denyWrite ? F_WRLCK : F_RDLCK, kWriting);
    return ::fcntl(fd_, F_OFD_SETLK, &writing) == 0;
}

}  // namespace rt
