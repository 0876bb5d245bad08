#pragma once
// Position texts: where a record stands in an order, as the values of the
// order's terms and its row id, written as text so that callers can keep it
// in a record field and hand it back. Trailing padding is ignored. A view's
// positions also carry a stamp of the record's contents as it was read, so
// that a re-read can tell whether another station changed it since.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/store/SqlValue.h"

namespace rt {

struct KeyedPosition {
    std::vector<SqlValue> values;
    std::int64_t rowid = 0;
    std::uint64_t stamp = 0;  // 0: none

    std::string text() const;
    // Nothing when the text is not a position this driver wrote.
    static std::optional<KeyedPosition> parse(std::string_view text);
    // Both texts name the same record at the same place, whatever their
    // stamps say; texts that do not parse compare as they stand.
    static bool samePlace(std::string_view a, std::string_view b);
};

}  // namespace rt
