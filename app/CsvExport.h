#pragma once
// lockora --export FILE.csv: writes every entry of the working folder's data
// file to a new CSV file (CsvLayout::exportHeader, UTF-8, every value quoted,
// CRLF line ends), made with mode 0600 and never over an existing file,
// written whole and synced to disk before the count is reported. Warns on
// stderr that the file is not encrypted. Answers a CsvExitCode.

#include <cstdio>
#include <filesystem>

int ExportEntries(const std::filesystem::path& target, std::FILE* out = stdout,
                  std::FILE* err = stderr);
