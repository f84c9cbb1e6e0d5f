// Little-endian field access at explicit offsets. Report and state bytes are
// always read through these, never by overlaying a struct on a buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace sim {

inline uint16_t GetU16Le(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

inline void PutU16Le(std::span<uint8_t> bytes, size_t offset, uint16_t value) {
  bytes[offset] = static_cast<uint8_t>(value & 0xFF);
  bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

}  // namespace sim
