#pragma once
// The runtime's error codes for file, view and transaction operations, as the
// framework tests them after every call. Ids never get renumbered.

namespace rt {

enum FileError : int {
    NoError = 0,
    ErrFileNotFound = 2,         // the data file or its table does not exist
    ErrAccessDenied = 5,         // no write access, or a sharing conflict
    ErrFileLocked = 32,          // the data file stayed locked past the wait
    ErrNoRecord = 33,            // record not available: end of file, no match
    ErrFileNotOpen = 37,         // operation on a closed file or view
    ErrDuplicateKey = 40,        // the record would duplicate a unique key
    ErrRecordHeld = 43,          // record held by another station
    ErrKeysInvalid = 46,         // a key's index is missing: rebuild the keys
    ErrTransactionRefused = 48,  // a transaction could not start in time
    ErrAlreadyOpen = 52,         // file or view already open
    ErrTransactionActive = 56,   // a transaction of this station is running
    ErrNotSupported = 80,        // function not supported by the driver
    ErrChangedByAnother = 89,    // the record changed since it was read
    ErrDriver = 90,              // the driver's own error: see its code and text
};

}  // namespace rt
