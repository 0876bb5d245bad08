#include "app/DailyBackup.h"

#include <string>

#include "app/Dictionary.h"
#include "app/GlobalErrors.h"
#include "app/OwnerPassword.h"
#include "runtime/gui/MessageBox.h"
#include "runtime/store/DataFileBackups.h"

namespace {

constexpr const char* kBackupCaption = "Backup Not Made";

void reportFailure(const std::filesystem::path& file, const std::string& why) {
    std::string text = "Today's backup of " + file.string() + " could not be made (" + why +
                       "). The earlier backups are kept.";
    GlobalErrors.Msg(text, kBackupCaption, rt::IconExclamation, rt::ButtonOk, rt::ButtonOk, 0);
}

}  // namespace

void MakeDailyBackup() {
    const std::filesystem::path file = SYS.File.path();
    rt::DataFileBackups backups(file);
    if (!backups.dueToday()) return;
    // A connection of its own, keyed as the login left the file: the copy
    // is one read transaction, whatever the windows do.
    rt::DbStatus status;
    auto db = rt::KeyedDatabase::open(file, kOwnerPassword, false, true, status);
    if (db) status = backups.makeCopy(*db);
    if (status.code != 0) reportFailure(file, status.driverText);
}
