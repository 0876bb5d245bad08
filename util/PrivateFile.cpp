#include "util/PrivateFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

PrivateFile::~PrivateFile() {
    if (!finished_) abandon();
}

bool PrivateFile::create(const std::filesystem::path& path, int& error) {
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        error = errno;
        return false;
    }
    path_ = path;
    // A umask may take bits away, never add any: the mode is set outright.
    if (::fchmod(fd_, 0600) != 0) {
        error = errno;
        abandon();
        return false;
    }
    return true;
}

bool PrivateFile::write(std::string_view bytes, int& error) {
    while (!bytes.empty()) {
        ssize_t done = ::write(fd_, bytes.data(), bytes.size());
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) {
            error = done < 0 ? errno : EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

bool PrivateFile::finish(int& error) {
    if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
        error = errno;
        fd_ = -1;
        abandon();
        return false;
    }
    fd_ = -1;
    finished_ = true;
    return true;
}

void PrivateFile::abandon() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!path_.empty()) ::unlink(path_.c_str());
    path_.clear();
}
