#include "runtime/store/LineFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "runtime/text/FixedText.h"
#include "runtime/host/HostFile.h"
#include "runtime/host/LastError.h"

namespace rt {

namespace {

enum : int {
    kNotFound = 2,
    kTooManyOpenFiles = 4,
    kAccessDenied = 5,
    kNoRecord = 33,
    kNotOpen = 37,
    kAlreadyOpen = 52,
    kFileSystemError = 90,
};

constexpr std::size_t kChunk = 64 * 1024;

int codeForErrno(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return kNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return kAccessDenied;
        case EMFILE:
        case ENFILE:
            return kTooManyOpenFiles;
        default:
            return kFileSystemError;
    }
}

int succeed() {
    clearLastError();
    return 0;
}

int report(int code) {
    setLastError(code);
    return code;
}

ssize_t readAt(int fd, char* buffer, std::size_t size, off_t offset) {
    ssize_t got;
    do {
        got = pread(fd, buffer, size, offset);
    } while (got < 0 && errno == EINTR);
    return got;
}

// Appends bytes whole or not at all: a write the disk cuts short (full, or
// over the size limit) is taken back, so that no half line, and no half of
// a character, stays in the file. The system's error is kept in errno.
bool appendAll(int fd, std::string_view bytes) {
    off_t written = 0;
    while (!bytes.empty()) {
        ssize_t put = write(fd, bytes.data(), bytes.size());
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) {
            int error = put < 0 ? errno : ENOSPC;
            // Appending leaves the offset after our bytes; they are taken
            // back only while nobody has appended behind them.
            off_t after = lseek(fd, 0, SEEK_CUR);
            struct stat info;
            if (written > 0 && after >= written && fstat(fd, &info) == 0 && info.st_size == after)
                (void)ftruncate(fd, after - written);
            errno = error;
            return false;
        }
        written += put;
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

// The text as one line: no line breaks or NULs, at most capacity characters,
// no trailing spaces.
std::string recordText(std::string_view text, std::size_t capacity) {
    std::string line(utf8Prefix(text, capacity));
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r' || c == '\0'; }, ' ');
    return rightTrim(line);
}

}  // namespace

LineFile::LineFile(std::string_view name, std::size_t capacity)
    : path_(localPath(name)), capacity_(capacity) {}

LineFile::~LineFile() {
    if (isOpen()) ::close(fd_);
}

bool LineFile::exists(std::string_view name) {
    struct stat info;
    return ::stat(localPath(name).c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

int LineFile::fail(int error) {
    int code = codeForErrno(error);
    if (code == kFileSystemError) {
        setLastError(code, std::to_string(error), std::strerror(error));
    } else {
        setLastError(code);
    }
    return code;
}

int LineFile::create() {
    if (isOpen()) return report(kAlreadyOpen);
    int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return fail(errno);
    ::close(fd);
    return succeed();
}

int LineFile::open(Access access) {
    if (isOpen()) return report(kAlreadyOpen);
    int flags = access == Access::ReadOnly ? O_RDONLY : O_RDWR | O_APPEND;
    int fd = ::open(path_.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return fail(errno);
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return report(kAccessDenied);
    }
    fd_ = fd;
    access_ = access;
    current_.reset();
    return succeed();
}

int LineFile::close() {
    if (!isOpen()) return report(kNotOpen);
    int result = ::close(fd_);
    fd_ = -1;
    current_.reset();
    return result == 0 ? succeed() : fail(errno);
}

int LineFile::append(std::string_view text) {
    if (!isOpen()) return report(kNotOpen);
    if (access_ == Access::ReadOnly) return report(kAccessDenied);
    auto end = size();
    if (!end) return lastError().code;
    std::string bytes;
    char last = '\n';
    if (*end > 0 && readAt(fd_, &last, 1, *end - 1) != 1) return fail(errno);
    // A last line someone left without its line end gets one first, so that
    // this record starts a line of its own.
    if (last != '\n') bytes += '\n';
    bytes += recordText(text, capacity_) + "\n";
    return appendAll(fd_, bytes) ? succeed() : fail(errno);
}

int LineFile::set() {
    if (!isOpen()) return report(kNotOpen);
    current_.reset();
    return succeed();
}

std::optional<std::string> LineFile::next() {
    if (!isOpen()) {
        report(kNotOpen);
        return std::nullopt;
    }
    clearLastError();
    return readRecord(lineFrom(current_ ? current_->end : 0));
}

std::optional<std::string> LineFile::previous() {
    if (!isOpen()) {
        report(kNotOpen);
        return std::nullopt;
    }
    clearLastError();
    if (current_) return readRecord(lineBefore(current_->begin));
    auto end = size();
    return end ? readRecord(lineBefore(*end)) : std::nullopt;
}

std::size_t LineFile::count() {
    if (!isOpen()) {
        report(kNotOpen);
        return 0;
    }
    std::size_t records = 0;
    std::string buffer(kChunk, '\0');
    char last = '\n';
    for (off_t offset = 0;;) {
        ssize_t got = readAt(fd_, buffer.data(), buffer.size(), offset);
        if (got < 0) {
            fail(errno);
            return 0;
        }
        if (got == 0) break;
        records += static_cast<std::size_t>(std::count(buffer.data(), buffer.data() + got, '\n'));
        last = buffer[static_cast<std::size_t>(got) - 1];
        offset += got;
    }
    succeed();
    return records + (last != '\n');
}

std::optional<off_t> LineFile::size() {
    struct stat info;
    if (fstat(fd_, &info) != 0) {
        fail(errno);
        return std::nullopt;
    }
    return info.st_size;
}

std::optional<LineFile::Span> LineFile::lineFrom(off_t begin) {
    auto end = size();
    if (!end || begin >= *end) return std::nullopt;
    std::string buffer(kChunk, '\0');
    for (off_t offset = begin; offset < *end;) {
        ssize_t got = readAt(fd_, buffer.data(), buffer.size(), offset);
        if (got <= 0) break;
        const char* found = std::find(buffer.data(), buffer.data() + got, '\n');
        if (found != buffer.data() + got) return Span{begin, offset + (found - buffer.data()) + 1};
        offset += got;
    }
    return Span{begin, *end};
}

std::optional<LineFile::Span> LineFile::lineBefore(off_t end) {
    if (end <= 0) return std::nullopt;
    // The line ending at end owns the byte at end - 1 even when it is its
    // "\n"; the line starts after the "\n" before that.
    std::string buffer(kChunk, '\0');
    for (off_t stop = end - 1; stop > 0;) {
        off_t start = std::max<off_t>(0, stop - static_cast<off_t>(kChunk));
        ssize_t got = readAt(fd_, buffer.data(), static_cast<std::size_t>(stop - start), start);
        if (got <= 0) break;
        for (ssize_t i = got - 1; i >= 0; --i) {
            if (buffer[static_cast<std::size_t>(i)] == '\n') return Span{start + i + 1, end};
        }
        stop = start;
    }
    return Span{0, end};
}

std::optional<std::string> LineFile::readRecord(std::optional<Span> span) {
    if (!span) {
        // No span without an error from the file system means the end.
        if (lastError().code == 0) report(kNoRecord);
        return std::nullopt;
    }
    // A record never needs more than four bytes a character, plus the line end.
    auto length = std::min<off_t>(span->end - span->begin, static_cast<off_t>(capacity_ * 4 + 2));
    std::string bytes(static_cast<std::size_t>(length), '\0');
    ssize_t got = readAt(fd_, bytes.data(), bytes.size(), span->begin);
    if (got < 0) {
        fail(errno);
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(got));
    if (span->end - span->begin == got) {
        if (!bytes.empty() && bytes.back() == '\n') bytes.pop_back();
        if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    }
    current_ = span;
    succeed();
    return std::string(utf8Prefix(bytes, capacity_));
}

}  // namespace rt
