#pragma once
// Writes one CSV record (RFC 4180) as text: every value quoted, quotes
// doubled, line ends inside values kept as they are, the record ended by
// CRLF. The values are copied into `into`, which the caller wipes when they
// were secret. Free function, any thread.

#include <string>
#include <string_view>
#include <vector>

void appendCsvLine(std::string& into, const std::vector<std::string_view>& values);
