#include "runtime/store/NewDataFile.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "runtime/store/FileErrors.h"
#include "runtime/store/FilePlacement.h"

namespace rt {

namespace {

// SQLCipher's page size: a finished data file is a whole number of pages.
constexpr std::uintmax_t kPageSize = 1024;

// The files the storage engine keeps beside a database while it works on it.
constexpr const char* kCompanions[] = {"-wal", "-shm", "-journal"};

DbStatus failure(int code, std::string text) {
    return DbStatus{code, {}, std::move(text)};
}

std::filesystem::path folderOf(const std::filesystem::path& file) {
    return file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
}

// Owns a temporary file and removes it, with the engine's companions of it,
// unless it was put in place.
class Temporary {
  public:
    explicit Temporary(std::filesystem::path path) : path_(std::move(path)) {}
    ~Temporary() {
        if (path_.empty()) return;
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
        for (const char* companion : kCompanions)
            std::filesystem::remove(path_.string() + companion, ignored);
    }
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;

    const std::filesystem::path& path() const { return path_; }
    void placed() { path_.clear(); }

  private:
    std::filesystem::path path_;
};

// A new, empty file of a name no other process can have chosen.
std::optional<std::filesystem::path> makeTemporary(const std::filesystem::path& path) {
    std::string name = (folderOf(path) / ("." + path.filename().string() + ".new-XXXXXX")).string();
    int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    ::close(fd);
    return std::filesystem::path(name);
}

bool hasCompanions(const std::filesystem::path& file) {
    for (const char* companion : kCompanions)
        if (std::filesystem::exists(file.string() + companion)) return true;
    return false;
}

}  // namespace

int NewDataFile::make(const std::filesystem::path& path, const std::string& ownerPassword,
                      const std::string& schemaSql, DbStatus& status) {
    status = {};
    std::error_code ec;
    if (std::filesystem::symlink_status(path, ec).type() != std::filesystem::file_type::not_found)
        return 0;
    std::optional<std::filesystem::path> name = makeTemporary(path);
    if (!name) {
        status =
            failure(ErrAccessDenied, std::string("cannot make a new data file in its folder: ") +
                                         std::strerror(errno));
        return status.code;
    }
    Temporary temporary(*name);
    if (int code = build(temporary.path(), ownerPassword, schemaSql, status)) return code;
    switch (placeWithoutReplacing(temporary.path(), path)) {
        case Placement::Placed:
            temporary.placed();
            return 0;
        case Placement::Taken:
            // Another process made it first: its file is the one to open.
            return 0;
        case Placement::Refused:
            break;
    }
    status = failure(ErrAccessDenied, std::string("the new data file could not be put in place: ") +
                                          std::strerror(errno));
    return status.code;
}

int NewDataFile::build(const std::filesystem::path& temporary, const std::string& ownerPassword,
                       const std::string& schemaSql, DbStatus& status) {
    {
        std::unique_ptr<KeyedDatabase> db =
            KeyedDatabase::openNew(temporary, ownerPassword, status);
        if (!db) return status.code;
        int rc = schemaSql.empty() ? 0 : db->exec("BEGIN IMMEDIATE;\n" + schemaSql + "COMMIT;");
        if (rc != 0) {
            status = db->status(rc);
            return status.code;
        }
    }
    // The last connection's close moves every committed page into the file
    // and removes the log; a log left behind means the file alone is not
    // the whole of it.
    std::error_code ec;
    std::uintmax_t size = std::filesystem::file_size(temporary, ec);
    if (ec || size == 0 || size % kPageSize != 0 || hasCompanions(temporary)) {
        status = failure(ErrDriver, "the new data file could not be completed");
        return status.code;
    }
    if (!syncToDisk(temporary)) {
        status = failure(ErrDriver, std::string("the new data file could not be written: ") +
                                        std::strerror(errno));
        return status.code;
    }
    return 0;
}

}  // namespace rt
