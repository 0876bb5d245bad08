#pragma once
// The exit codes of lockora --export and --import, in the spirit of --check:
//
//   code  meaning
//   0     done: every entry exported, or every row imported
//   1     nothing done: the CSV file could not be read or made (or already
//         exists), its header names no known layout, no row could be
//         imported, or writing failed and was undone
//   2     the data file could not be opened: missing, unreadable, or keyed
//         with a master password that was not given or is wrong
//   3     imported, but some rows were skipped (each named on stderr)

enum CsvExitCode : int {
    CsvDone = 0,
    CsvNothingDone = 1,
    CsvNoDataFile = 2,
    CsvRowsSkipped = 3,
};
