#include "runtime/AsciiFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "runtime/FileErrors.h"
#include "runtime/LastError.h"

namespace rt {

int AsciiFile::finish(int code, const std::string& text) {
    setLastError(code, {}, text);
    return code;
}

int AsciiFile::open(int mode) {
    if (isOpen()) return finish(ErrAlreadyOpen);
    if (!std::filesystem::exists(name_)) return finish(ErrFileNotFound);
    writable_ = (mode & 3) != 0;
    if (writable_ && ::access(name_.c_str(), W_OK) != 0)
        return finish(ErrAccessDenied, std::strerror(errno));
    auto how = std::ios::in | std::ios::binary |
               (writable_ ? std::ios::out | std::ios::app : std::ios::openmode{});
    stream_.open(name_, how);
    if (!stream_.is_open()) return finish(ErrAccessDenied, std::strerror(errno));
    return finish(0);
}

int AsciiFile::create() {
    if (std::filesystem::exists(name_)) return finish(0);
    std::ofstream made(name_, std::ios::binary);
    return finish(made ? 0 : ErrAccessDenied, made ? "" : std::strerror(errno));
}

int AsciiFile::close() {
    if (!isOpen()) return finish(ErrFileNotOpen);
    stream_.close();
    return finish(0);
}

int AsciiFile::set() {
    if (!isOpen()) return finish(ErrFileNotOpen);
    stream_.clear();
    stream_.seekg(0);
    return finish(0);
}

int AsciiFile::next() {
    if (!isOpen()) return finish(ErrFileNotOpen);
    std::string line;
    if (!std::getline(stream_, line)) return finish(ErrNoRecord);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    record_.assign(line);
    return finish(0);
}

int AsciiFile::add() {
    if (!isOpen()) return finish(ErrFileNotOpen);
    if (!writable_) return finish(ErrAccessDenied, "the file is open read only");
    stream_.clear();
    stream_ << record_.clipped() << '\n';
    stream_.flush();
    return finish(stream_ ? 0 : ErrDriver, stream_ ? "" : "the line could not be written");
}

}  // namespace rt
