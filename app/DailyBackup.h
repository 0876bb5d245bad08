#pragma once
// The daily backup of the data file: the first successful login of each day
// (by the runtime's clock) copies "Lockora.lkdb" to "Lockora.lkdb.1", the
// earlier copies shifting to ".2" ... ".7" (rt::DataFileBackups). A copy that
// cannot be made is reported as a notice and the login goes on. GUI thread.

void MakeDailyBackup();
