#pragma once
// A new file only its owner may read or write (mode 0600), for secrets that
// must leave the data file: never made over an existing file or link, written
// in pieces, synced to disk when finished, and removed when it is not
// finished. Owns the descriptor; one thread; not copyable.

#include <filesystem>
#include <string>
#include <string_view>

class PrivateFile {
  public:
    PrivateFile() = default;
    // Removes the file unless finish() succeeded.
    ~PrivateFile();
    PrivateFile(const PrivateFile&) = delete;
    PrivateFile& operator=(const PrivateFile&) = delete;

    // False, with errno's code in error (EEXIST: something has that name).
    bool create(const std::filesystem::path& path, int& error);
    // REQUIRES: create() succeeded. False (and errno's code) on a short write.
    bool write(std::string_view bytes, int& error);
    // Syncs and closes; false (and errno's code) when the disk refuses.
    bool finish(int& error);

  private:
    void abandon();

    std::filesystem::path path_;
    int fd_ = -1;
    bool finished_ = false;
};
