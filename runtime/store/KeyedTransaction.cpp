#include "runtime/store/KeyedTransaction.h"

#include <algorithm>

#include "runtime/store/FileErrors.h"
#include "runtime/store/KeyedFile.h"
#include "runtime/host/LastError.h"

namespace rt {

namespace {

int finish(const DbStatus& status) {
    setLastError(status.code, status.driverCode, status.driverText);
    return status.code;
}

void clearEnlisted(KeyedStation& station) {
    auto files = station.enlisted();
    for (KeyedFile* file : files) file->setLogout(false);
}

}  // namespace

int beginTransaction(const std::vector<KeyedFile*>& files, int timeoutSeconds) {
    DbStatus status;
    if (files.empty()) return finish({});
    std::vector<std::shared_ptr<KeyedDatabase>> dbs;
    for (KeyedFile* file : files) {
        if (!file->isOpen())
            return finish({ErrFileNotOpen, {}, "a file of the transaction is not open"});
        if (&file->station() != &files.front()->station())
            return finish({ErrNotSupported, {}, "the files belong to different stations"});
        if (std::find(dbs.begin(), dbs.end(), file->database()) == dbs.end())
            dbs.push_back(file->database());
    }
    files.front()->station().begin(dbs, timeoutSeconds, status);
    return finish(status);
}

int beginTransaction(int timeoutSeconds, KeyedStation& station) {
    const auto& enlisted = station.enlisted();
    return beginTransaction(std::vector<KeyedFile*>(enlisted.begin(), enlisted.end()),
                            timeoutSeconds);
}

int commitTransaction(KeyedStation& station) {
    DbStatus status;
    station.commit(status);
    clearEnlisted(station);
    return finish(status);
}

int rollbackTransaction(KeyedStation& station) {
    DbStatus status;
    station.rollback(status);
    clearEnlisted(station);
    return finish(status);
}

}  // namespace rt
