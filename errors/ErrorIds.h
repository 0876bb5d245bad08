#pragma once
// The ids of the default error table. Ids are part of the program's contract
// with every caller: never renumber one, and never reuse 32.

#include <cstdint>

using ErrorId = std::int32_t;

enum : ErrorId {
    ErrRecordRetrieval = 1,         // reading a record failed
    ErrAccessDenied = 2,            // no write access, trying read-only
    ErrRecordAdded = 3,             // record added; add another?
    ErrInsertFailed = 4,            // creating a record failed
    ErrAddNewRecord = 5,            // no match; add a new record?
    ErrCloseFailed = 6,             // a file could not be closed
    ErrChangedByAnother = 7,        // another station changed the record
    ErrChangedByAnotherShown = 8,   // ... and its changes are now shown
    ErrChangedOrDeleted = 9,        // changed or deleted by another station
    ErrChangesWillBeLost = 10,      // cancel and lose the changes?
    ErrConfirmDelete = 11,          // delete the highlighted record?
    ErrCreateFailed = 12,           // a file could not be created
    ErrDeleteFailed = 13,           // deleting a record failed
    ErrDeleteNotAllowed = 14,       // this form cannot delete
    ErrDuplicateKey = 15,           // the record duplicates a unique key
    ErrNotInFile = 16,              // a value must exist in another file
    ErrNotInList = 17,              // a value must be one of a list
    ErrNotInRange = 18,             // a value must lie in a range
    ErrAboveMaximum = 19,           // a value is too high
    ErrBelowMinimum = 20,           // a value is too low
    ErrFileLoad = 21,               // loading a file failed
    ErrWmfNextRecord = 22,          // metafile parser: next record failed
    ErrInsertNotAllowed = 23,       // this form cannot insert
    ErrTransactionFrame = 24,       // a transaction could not be framed
    ErrNoRecords = 25,              // nothing to process
    ErrOpenFailed = 26,             // a file could not be opened
    ErrProcedureNotDefined = 27,    // a named procedure does not exist
    ErrPutFailed = 28,              // writing a changed record failed
    ErrKeyNotBuilt = 29,            // a key could not be rebuilt
    ErrInvalidKey = 30,             // a key file must be rebuilt
    ErrRecordHeld = 31,             // a record is held by another station
    ErrReferencedDelete = 33,       // referenced records forbid the delete
    ErrReferencedUpdate = 34,       // linking fields were reset
    ErrAutoIncrement = 35,          // auto-numbering failed; try again?
    ErrDeleteAgain = 36,            // delete failed; try again?
    ErrSaveAgain = 37,              // save failed; try again?
    ErrSaveRecord = 38,             // save the changes?
    ErrBeginningOfFile = 39,        // wrap around from the beginning?
    ErrEndOfFile = 40,              // wrap around from the end?
    ErrUpdateNotAllowed = 41,       // this form cannot update
    ErrFileNotOpen = 42,            // a file used before it was opened
    ErrViewOpenFailed = 43,         // a view could not be opened
    ErrQbeColumn = 44,              // a saved query column is unsupported
    ErrSmtp = 45,                   // mail transport error
    ErrNntp = 46,                   // news transport error
    ErrWinsock = 47,                // socket error
    ErrWmfQueueAdd = 48,            // metafile parser: queue add failed
    ErrWmfInvalidFile = 49,         // metafile parser: not a metafile
    ErrWmfInvalidControl = 50,      // metafile parser: bad control
    ErrWmfIdNotFound = 51,          // metafile parser: id missing
    ErrReportBadComment = 52,       // report writer: malformed comment
    ErrReportUnknownProperty = 53,  // report writer: unknown property
};
