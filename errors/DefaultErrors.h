#pragma once
// The default error table, stored as an error block: a 16-bit little-endian
// row count, then per row a 16-bit little-endian id, the level byte, and the
// title and the text each as a length byte followed by its bytes. Static data
// that lives as long as the program, so entries may refer into it.

#include <cstdint>
#include <span>

std::span<const std::uint8_t> DefaultErrorBlock();
