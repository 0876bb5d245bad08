#pragma once
// Makes the disk look full to this process while the object lives: files may
// not grow past `bytes`, and a write that would is cut short, then fails
// with EFBIG (the signal that comes with it is ignored meanwhile). For tests
// of writes that the disk refuses half way.

#include <sys/resource.h>

#include <csignal>
#include <cstdint>

namespace testsupport {

class FileSizeLimit {
  public:
    explicit FileSizeLimit(std::uintmax_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    struct rlimit previous_;
    void (*previousHandler_)(int);
};

}  // namespace testsupport
