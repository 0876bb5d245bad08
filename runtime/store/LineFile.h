#pragma once
// A file of the ASCII driver: text records, one a line, read in order and
// appended at the end. Opened shared: other handles and processes may read
// and append at the same time, and each append lands as one whole line. Owns
// its descriptor. One thread at a time.
//
// Every operation sets the last error (0 on success): 2 file not found,
// 5 access denied, 33 no further record, 37 file not open, 52 file already
// open, 90 any other file system error with the system's code and text.
//
// Reading keeps a current record: after open() or set(), next() reads the
// first record and previous() the last; after a read, next() reads the record
// after the current one and previous() the one before it. At either end the
// call fails with 33 and the current record stays.

#include <sys/types.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rt {

class LineFile {
  public:
    enum class Access { ReadOnly, ReadWrite };
    static constexpr std::size_t DefaultCapacity = 1024;

    // name may use "\" as the path separator; capacity is the record size in
    // characters.
    explicit LineFile(std::string_view name, std::size_t capacity = DefaultCapacity);
    ~LineFile();
    LineFile(const LineFile&) = delete;
    LineFile& operator=(const LineFile&) = delete;

    static bool exists(std::string_view name);

    // Makes an empty file, replacing any file of that name; the file is not
    // left open.
    int create();
    int open(Access access = Access::ReadWrite);
    int close();
    bool isOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

    // Appends text as one record: cut to the capacity, trailing spaces
    // dropped, line breaks and NULs turned into spaces so that a record is
    // always one line.
    int append(std::string_view text);

    int set();
    std::optional<std::string> next();
    std::optional<std::string> previous();
    // The number of records; 0 with 37 when the file is not open.
    std::size_t count();

  private:
    struct Span {
        off_t begin;
        off_t end;  // after the line's "\n", or the end of the file
    };

    std::optional<off_t> size();
    std::optional<Span> lineFrom(off_t begin);
    std::optional<Span> lineBefore(off_t end);
    std::optional<std::string> readRecord(std::optional<Span> span);
    int fail(int error);

    std::string path_;
    std::size_t capacity_;
    int fd_ = -1;
    Access access_ = Access::ReadWrite;
    std::optional<Span> current_;  // none: before the first and after the last
};

}  // namespace rt
