#pragma once
// Reading the System table's single record into SYS, as the login and the
// settings form do before they open: the record means the form changes it,
// none means it adds one, starting from a blank buffer.

#include <cstdint>

// REQUIRES: Relate_System is open. Answers RequestChange or RequestInsert;
// a table with more than one record is reported as an assertion.
std::uint8_t ReadSystemRecord();
