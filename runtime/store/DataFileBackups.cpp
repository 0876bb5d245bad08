#include "runtime/store/DataFileBackups.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <ctime>

#include "runtime/store/FileErrors.h"
#include "runtime/text/Time.h"

namespace rt {

namespace {

std::filesystem::file_time_type fileTimeOf(DateSerial date, TimeValue time) {
    std::tm local{};
    local.tm_year = dateYear(date) - 1900;
    local.tm_mon = dateMonth(date) - 1;
    local.tm_mday = dateDay(date);
    int seconds = time > 0 ? (time - 1) / 100 : 0;
    local.tm_hour = seconds / 3600;
    local.tm_min = seconds / 60 % 60;
    local.tm_sec = seconds % 60;
    local.tm_isdst = -1;
    auto sys = std::chrono::system_clock::from_time_t(std::mktime(&local));
    return std::filesystem::file_time_type::clock::from_sys(sys);
}

DateSerial dateOf(std::filesystem::file_time_type when) {
    auto sys = std::filesystem::file_time_type::clock::to_sys(when);
    std::time_t t = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(sys));
    std::tm local{};
    localtime_r(&t, &local);
    return dateFromParts(local.tm_mon + 1, local.tm_mday, local.tm_year + 1900);
}

// The renames are durable once the folder is synced.
void syncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

DbStatus fileFailure(const std::string& what, const std::error_code& ec) {
    return DbStatus{ErrAccessDenied, {}, what + ": " + ec.message()};
}

}  // namespace

DataFileBackups::DataFileBackups(std::filesystem::path dataFile) : dataFile_(std::move(dataFile)) {}

std::filesystem::path DataFileBackups::copyPath(int number) const {
    return dataFile_.string() + "." + std::to_string(number);
}

std::filesystem::path DataFileBackups::temporaryPath() const {
    return dataFile_.string() + ".new";
}

std::vector<int> DataFileBackups::existing() const {
    std::vector<int> numbers;
    std::error_code ec;
    for (int n = 1; n <= kKept; ++n)
        if (std::filesystem::is_regular_file(copyPath(n), ec)) numbers.push_back(n);
    return numbers;
}

DateSerial DataFileBackups::madeOn(int number) const {
    std::error_code ec;
    auto when = std::filesystem::last_write_time(copyPath(number), ec);
    return ec ? 0 : dateOf(when);
}

bool DataFileBackups::dueToday() const {
    std::vector<int> numbers = existing();
    return numbers.empty() || madeOn(numbers.front()) != today();
}

DbStatus DataFileBackups::makeCopy(KeyedDatabase& db) {
    const std::filesystem::path made = temporaryPath();
    std::error_code ec;
    // What an earlier attempt left behind was never a copy.
    for (const char* suffix : {"", "-journal", "-wal", "-shm"})
        std::filesystem::remove(made.string() + suffix, ec);
    if (DbStatus status = db.copyTo(made); status.code != 0) return status;
    std::filesystem::last_write_time(made, fileTimeOf(today(), clockNow()), ec);
    DbStatus status = ec ? fileFailure("cannot date the copy", ec) : shiftAndPlace(made);
    if (status.code != 0) std::filesystem::remove(made, ec);
    return status;
}

DbStatus DataFileBackups::shiftAndPlace(const std::filesystem::path& made) {
    std::error_code ec;
    std::filesystem::remove(copyPath(kKept), ec);
    if (ec) return fileFailure("cannot remove the oldest copy", ec);
    for (int n = kKept - 1; n >= 1; --n) {
        if (!std::filesystem::exists(copyPath(n), ec)) continue;
        std::filesystem::rename(copyPath(n), copyPath(n + 1), ec);
        if (ec) return fileFailure("cannot shift copy " + std::to_string(n), ec);
    }
    std::filesystem::rename(made, copyPath(1), ec);
    if (ec) return fileFailure("cannot put the new copy in place", ec);
    syncFolder(dataFile_.parent_path());
    return {};
}

}  // namespace rt
