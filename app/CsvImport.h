#pragma once
// lockora --import FILE.csv: adds the rows of a CSV file in either layout
// CsvLayout knows to the working folder's data file as new entries,
// numbered as the credential form numbers them, all in one transaction.
// A row that cannot become an entry whole (a value longer than its field,
// a broken row) is skipped and named on stderr with its line; a failed write
// undoes the whole import. Answers a CsvExitCode.

#include <cstdio>
#include <filesystem>

int ImportEntries(const std::filesystem::path& source, std::FILE* out = stdout,
                  std::FILE* err = stderr);
