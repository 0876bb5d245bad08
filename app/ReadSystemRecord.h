#pragma once
// Reading the System table's single record into SYS, as the login and the
// settings form do before they open: the record means the form changes it,
// none means it adds one, starting from a blank buffer.

#include <cstdint>

// REQUIRES: Relate_System is open. Answers RequestChange or RequestInsert,
// or 0 when the table could not be opened or read: the failure has been
// reported through GlobalErrors, and the table must not be taken for empty.
// A table with more than one record is reported as an assertion.
std::uint8_t ReadSystemRecord();
