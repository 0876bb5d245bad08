#pragma once
// Position texts: where a record stands in an order, as the values of the
// order's terms and its row id, written as text so that callers can keep it
// in a record field and hand it back. Trailing padding is ignored.

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

    std::string text() const;
    // Nothing when the text is not a position this driver wrote.
    static std::optional<KeyedPosition> parse(std::string_view text);
};

}  // namespace rt
