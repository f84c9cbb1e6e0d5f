// Helpers shared by the lighting tests.
#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

namespace lightingtest {

// One lighting or key-colour write as it crossed the wire: area offset and data.
struct Write {
  int offset;
  std::vector<uint8_t> bytes;
  bool operator==(const Write&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Write& write) {
  out << "{" << write.offset << ":";
  for (uint8_t b : write.bytes) out << " " << static_cast<int>(b);
  return out << "}";
}

}  // namespace lightingtest
