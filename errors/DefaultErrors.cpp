#include "errors/DefaultErrors.h"

#include <array>
#include <cstddef>
#include <string_view>

#include "errors/ErrorIds.h"
#include "errors/ErrorLevels.h"

namespace {

struct DefaultRow {
    ErrorId id;
    ErrorLevel level;
    std::string_view title;
    std::string_view text;  // "|" starts a new line when shown
};

// Double and trailing spaces in the texts are deliberate and shown as they are.
constexpr DefaultRow kRows[] = {
    {ErrRecordRetrieval, LevelNotify, "Record Retrieval Error",
     "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to "
     "previous window."},
    {ErrAccessDenied, LevelNotify, "Access Denied",
     "Could not get write access to %File so trying read-only."},
    {ErrRecordAdded, LevelUser, "Record Added",
     "This record has been added to the file. Do you want to add another record?"},
    {ErrInsertFailed, LevelNotify, "Record Insert Error",
     "An error was experienced during the creation of a record.|File: %File|Error: %ErrorText."},
    {ErrAddNewRecord, LevelNotify, "Add New Record?",
     "Record match not found, do you wish to add a new one?"},
    {ErrCloseFailed, LevelNotify, "File Access Error",
     "File %File could not be closed.  Error: %ErrorText."},
    {ErrChangedByAnother, LevelNotify, "Record Was Not Updated",
     "This record was changed by another station."},
    {ErrChangedByAnotherShown, LevelNotify, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the "
     "Ditto Button or Ctrl+H to recall your changes."},
    {ErrChangedOrDeleted, LevelNotify, "Record Retrieval Error",
     "This record was changed or deleted by another station.|Error: (%ErrorText) attempting to "
     "access a record from the %File file."},
    {ErrChangesWillBeLost, LevelUser, "Changes will be lost!", "Are you sure you want to cancel?"},
    {ErrConfirmDelete, LevelUser, "Confirm Delete",
     "Are you sure you want to delete the highlighted record?"},
    {ErrCreateFailed, LevelFatal, "File Creation Error", "Error: (%ErrorText) creating %File."},
    {ErrDeleteFailed, LevelNotify, "Record was not deleted",
     "An error (%ErrorText) was experienced when deleting a record from the %File file."},
    {ErrDeleteNotAllowed, LevelNotify, "Invalid Request",
     "This form cannot be used to delete a record"},
    {ErrDuplicateKey, LevelNotify, "Duplicate Key Error",
     "Adding this record creates a duplicate entry for the key: %Message"},
    {ErrNotInFile, LevelNotify, "Field contents error",
     "The value of %Field must be found in the %Message file."},
    {ErrNotInList, LevelNotify, "Value Error",
     "The value of %Field must be in the list : %Message."},
    {ErrNotInRange, LevelNotify, "Range Error", "The value of %Field must be in range %Message."},
    {ErrAboveMaximum, LevelNotify, "Range Error",
     "The value of %Field must be lower than %Message."},
    {ErrBelowMinimum, LevelNotify, "Range Error",
     "The value of %Field must be higher than %Message."},
    {ErrFileLoad, LevelNotify, "File Load Error", "%File File Load Error.  Error: %ErrorText."},
    {ErrWmfNextRecord, LevelFatal, "WMF Parser Error", "Get next record from file %File failed."},
    {ErrInsertNotAllowed, LevelNotify, "Invalid Request",
     "This form cannot be used to insert a record"},
    {ErrTransactionFrame, LevelNotify, "Transaction cancelled",
     "Error: (%ErrorText) attempting to frame the transaction on %File."},
    {ErrNoRecords, LevelNotify, "No Records", "There are no records available to process."},
    {ErrOpenFailed, LevelFatal, "File Access Error",
     "File %File could not be opened.  Error: %ErrorText."},
    {ErrProcedureNotDefined, LevelNotify, "Procedure not defined",
     "The Procedure %Message has not been defined."},
    {ErrPutFailed, LevelNotify, "Record was not updated",
     "An error (%ErrorText) was experienced when making changes to the %File file."},
    {ErrKeyNotBuilt, LevelFatal, "Key was not built",
     "Error: (%ErrorText) repairing key for %File."},
    {ErrInvalidKey, LevelNotify, "Invalid Key", "%File key file is invalid. Key must be rebuilt."},
    {ErrRecordHeld, LevelNotify, "Record not read",
     "A record held by another station was encountered reading from the %File file."},
    {ErrReferencedDelete, LevelNotify, "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these "
     "references exist."},
    {ErrReferencedUpdate, LevelNotify, "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from "
     "change and have been reset to original values."},
    {ErrAutoIncrement, LevelUser, "Auto Increment Error",
     "Attempts to automatically number this record have failed.|File: %File|Key: %Key|Error: "
     "%ErrorText.|Try Again?"},
    {ErrDeleteAgain, LevelUser, "Record Delete Error",
     "An error was experienced deleting this record. Do you want to try to delete it again?"},
    {ErrSaveAgain, LevelUser, "Record Update Error",
     "An error was experienced changing this record. Do you want to try to save again?"},
    {ErrSaveRecord, LevelUser, "Save Record", "Do you want to save the changes to this record?"},
    {ErrBeginningOfFile, LevelUser, "Beginning of File Error",
     "The beginning of the file %File was encountered. Do you want to start again from the end of "
     "the file?"},
    {ErrEndOfFile, LevelUser, "End of File Error",
     "The end of the file %File was encountered. Do you want to start again from the beginning?"},
    {ErrUpdateNotAllowed, LevelNotify, "Invalid Request",
     "This form cannot be used to update a record"},
    {ErrFileNotOpen, LevelProgram, "File Usage Error",
     "Attempt to use file (%File) before it was opened"},
    {ErrViewOpenFailed, LevelNotify, "View Open Error",
     "Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored."},
    {ErrQbeColumn, LevelNotify, "Unsupported QBE Column",
     "The saved QBE column, %Field is not supported. It will be dropped from the query."},
    {ErrSmtp, LevelNotify, "SMTP Error", "The following SMTP Error occurred: %Message "},
    {ErrNntp, LevelNotify, "NNTP Error", "%Message "},
    {ErrWinsock, LevelNotify, "Winsock Error", "%Message "},
    {ErrWmfQueueAdd, LevelFatal, "WMF Parser Error",
     "Adding record to queue failed. Parsing %File."},
    {ErrWmfInvalidFile, LevelFatal, "WMF Parser Error", "The File %File is not a valid WMF file."},
    {ErrWmfInvalidControl, LevelFatal, "WMF Parser Error",
     "Invalid %Field control found. Parsing %File."},
    {ErrWmfIdNotFound, LevelFatal, "WMF Parser Error", "Cannot find %Field id. Parsing %File."},
    {ErrReportBadComment, LevelNotify, "Report Writer Error",
     "Poorly Formed Comment String \"%Message\" at Position %Field."},
    {ErrReportUnknownProperty, LevelNotify, "Report Writer Error", "Unknown Property %Message."},
};

constexpr std::size_t kRowCount = std::size(kRows);

constexpr std::size_t blockSize() {
    std::size_t size = 2;
    for (const DefaultRow& row : kRows) size += 5 + row.title.size() + row.text.size();
    return size;
}

constexpr bool rowsFitTheBlock() {
    for (const DefaultRow& row : kRows)
        if (row.title.size() > 255 || row.text.size() > 255 || row.id > 0xFFFF) return false;
    return kRowCount <= 0xFFFF;
}
static_assert(rowsFitTheBlock(), "a default error row does not fit the block's length bytes");

template <std::size_t N>
constexpr std::size_t put(std::array<std::uint8_t, N>& block, std::size_t at,
                          std::string_view text) {
    block[at++] = static_cast<std::uint8_t>(text.size());
    for (char c : text) block[at++] = static_cast<std::uint8_t>(c);
    return at;
}

constexpr std::array<std::uint8_t, blockSize()> buildBlock() {
    std::array<std::uint8_t, blockSize()> block{};
    block[0] = kRowCount & 0xFF;
    block[1] = kRowCount >> 8;
    std::size_t at = 2;
    for (const DefaultRow& row : kRows) {
        block[at++] = static_cast<std::uint8_t>(row.id & 0xFF);
        block[at++] = static_cast<std::uint8_t>(row.id >> 8);
        block[at++] = row.level;
        at = put(block, at, row.title);
        at = put(block, at, row.text);
    }
    return block;
}

constexpr std::array<std::uint8_t, blockSize()> kBlock = buildBlock();

}  // namespace

std::span<const std::uint8_t> DefaultErrorBlock() {
    return kBlock;
}
