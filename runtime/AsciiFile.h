#pragma once
// The ASCII driver: a plain text file read and written one line per record,
// the record a single fixed text field (the error log's). Every call leaves
// its code in the per-thread last error. Borrows the record field; owns its
// stream; one thread at a time.

#include <fstream>
#include <string>

#include "runtime/FixedText.h"

namespace rt {

class AsciiFile {
  public:
    AsciiFile(std::string name, FixedText& record) : name_(std::move(name)), record_(record) {}
    AsciiFile(const AsciiFile&) = delete;
    AsciiFile& operator=(const AsciiFile&) = delete;

    const std::string& name() const { return name_; }
    // Access in the low two bits as for keyed files: 0 read only, 2 read/write.
    // 2 when the file is missing, 5 when it cannot be opened so, 52 when open.
    int open(int mode = 0x42);
    // Creates the file when missing; an existing file keeps its lines.
    int create();
    int close();
    bool isOpen() const { return stream_.is_open(); }
    // Reading starts again at the first line.
    int set();
    // The next line into the record (cut or padded); 33 at the end.
    int next();
    // Appends the record's text, without its trailing spaces, as one line.
    int add();

  private:
    int finish(int code, const std::string& text = {});

    std::string name_;
    FixedText& record_;
    std::fstream stream_;
    bool writable_ = false;
};

}  // namespace rt
