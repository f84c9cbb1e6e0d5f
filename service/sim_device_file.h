// The `device` file of a simulated keyboard folder (see sim_endpoint_layout.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvial {

struct SimInterfaceEntry {
  std::string file;  // socket file name inside the keyboard's folder
  uint16_t usagePage = 0;
  uint16_t usage = 0;
};

struct SimDeviceDescription {
  uint16_t vendor = 0;
  uint16_t product = 0;
  std::vector<SimInterfaceEntry> interfaces;
};

// Bounds that keep a hostile or corrupt file from costing much.
inline constexpr std::size_t kMaxSimDeviceFileSize = 16 * 1024;
inline constexpr std::size_t kMaxSimInterfaces = 16;
inline constexpr std::size_t kMaxSimInterfaceNameLength = 64;

// Parses the text of a `device` file. Exactly one vendor and one product line
// and at least one interface line are required; interface file names must be
// plain, distinct names inside the folder. Blank lines and lines with other
// keywords are skipped so the format can grow. Returns nothing when invalid.
std::optional<SimDeviceDescription> ParseSimDeviceFile(std::string_view text);

}  // namespace corvial
