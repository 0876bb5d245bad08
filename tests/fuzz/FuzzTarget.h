#pragma once
// The entry point every fuzz target defines: one input, any bytes. Built
// either with the coverage-guided fuzzer (make fuzz) or with SmokeDriver.cpp,
// which replays the seed corpus and mutations of it for a few seconds.

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

inline std::string_view text(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Splits an input at its first line break: a picture and a text, say.
inline std::pair<std::string_view, std::string_view> split(std::string_view input) {
    std::size_t cut = input.find('\n');
    if (cut == std::string_view::npos) return {input, {}};
    return {input.substr(0, cut), input.substr(cut + 1)};
}

}  // namespace fuzz
