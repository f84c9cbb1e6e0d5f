// Lowercase hex text for report bytes in traces, dumps and the state file.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

std::string ToHex(std::span<const uint8_t> bytes);

// Accepts either case; nullopt on an odd length or a non-hex character.
std::optional<std::vector<uint8_t>> FromHex(std::string_view text);

}  // namespace sim
