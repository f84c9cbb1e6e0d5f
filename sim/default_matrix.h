// The keyboard's read-only factory key matrix: 126 MapIndex entries of three
// bytes (kind, b1, b2), copied into every profile's key map by a factory
// reset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace sim {

inline constexpr size_t kKeyMapEntries = 126;
inline constexpr size_t kKeyMapEntrySize = 3;
inline constexpr size_t kKeyMapBlockSize = kKeyMapEntries * kKeyMapEntrySize;  // 378

std::span<const uint8_t, kKeyMapBlockSize> FactoryDefaultMatrix();

}  // namespace sim
