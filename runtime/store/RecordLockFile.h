#pragma once
// Record holds between stations: one open-file-description lock per held
// record on a lock file beside the data file ("Lockora.lkdb-lock", always
// empty). Such locks belong to this open file, so two stations conflict
// whether they are two processes or two stations of one process, and the
// system drops them when a process dies. Opens with sharing modes claim two
// more bytes the same way. Owns its descriptor; one thread.

#include <cstdint>
#include <filesystem>
#include <string>

namespace rt {

class RecordLockFile {
  public:
    explicit RecordLockFile(const std::filesystem::path& dataFile);
    ~RecordLockFile();
    RecordLockFile(const RecordLockFile&) = delete;
    RecordLockFile& operator=(const RecordLockFile&) = delete;

    bool valid() const { return fd_ >= 0; }
    // False when another station holds the record.
    bool hold(const std::string& table, std::int64_t rowid);
    void release(const std::string& table, std::int64_t rowid);
    bool heldByOther(const std::string& table, std::int64_t rowid) const;

    // Claims an open of the data file with an access and sharing mode (the
    // OpenMode bits); false when another station's open forbids it. Claims
    // last as long as this object.
    bool claimOpen(int mode);

  private:
    int fd_ = -1;
};

}  // namespace rt
