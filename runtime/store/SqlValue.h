#pragma once
// One value as the data file stores it: an integer, a real or a text. Record
// fields, key values and position texts travel between the file handle and
// its statements in this form. Copyable value type.

#include <cstdint>
#include <string>
#include <variant>

namespace rt {

using SqlValue = std::variant<std::int64_t, double, std::string>;

// -1, 0 or 1 in the data file's own order: numbers before texts, texts by
// their bytes (UTF-8, so by code point).
int compareSql(const SqlValue& a, const SqlValue& b);

}  // namespace rt
