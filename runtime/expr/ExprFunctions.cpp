#include "runtime/expr/ExprFunctions.h"

#include <algorithm>
#include <vector>

namespace rt {

namespace {

// Arguments are clamped far beyond any text's length so that the position
// arithmetic below cannot overflow.
constexpr std::int64_t kLimit = std::int64_t{1} << 40;
std::int64_t clampArg(std::int64_t v) {
    return std::clamp(v, -kLimit, kLimit);
}

// Byte offset where each character starts, plus the end of the text.
std::vector<std::size_t> characterStarts(std::string_view text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
    starts.push_back(text.size());
    return starts;
}

// The first position of start, start + step, ... that lies in 1 .. count, or
// 0 when the walk never enters that range.
std::int64_t firstInRange(std::int64_t start, std::int64_t step, std::int64_t count) {
    if (start >= 1 && start <= count) return start;
    if (step > 0 && start < 1) {
        std::int64_t p = start + (1 - start + step - 1) / step * step;
        return p <= count ? p : 0;
    }
    if (step < 0 && start > count) {
        std::int64_t p = start - (start - count - step - 1) / -step * -step;
        return p >= 1 ? p : 0;
    }
    return 0;
}

}  // namespace

std::string subText(std::string_view text, std::int64_t start, std::int64_t length) {
    start = clampArg(start);
    length = clampArg(length);
    std::vector<std::size_t> starts = characterStarts(text);
    auto count = static_cast<std::int64_t>(starts.size() - 1);
    if (start < 0) start = count + start + 1;
    if (length <= 0) return {};
    std::int64_t first = std::max<std::int64_t>(start, 1);
    std::int64_t last = std::min(count, start + length - 1);
    if (first > last) return {};
    std::size_t from = starts[static_cast<std::size_t>(first - 1)];
    std::size_t to = starts[static_cast<std::size_t>(last)];
    return std::string(text.substr(from, to - from));
}

std::int64_t instring(std::string_view sub, std::string_view text, std::int64_t step,
                      std::int64_t start) {
    if (sub.empty() || step == 0) return 0;
    step = clampArg(step);
    start = clampArg(start);
    std::vector<std::size_t> starts = characterStarts(text);
    auto count = static_cast<std::int64_t>(starts.size() - 1);
    for (std::int64_t p = firstInRange(start, step, count); p >= 1 && p <= count; p += step) {
        if (text.substr(starts[static_cast<std::size_t>(p - 1)]).starts_with(sub)) return p;
    }
    return 0;
}

}  // namespace rt
