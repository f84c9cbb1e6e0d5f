// Arbitrary bytes as a macro area read from the keyboard. Decoding must stay
// inside the bytes and give at most 100 macros; what it gives must encode,
// and its encoding must be stable: decoding already held delays to 4000
// units and dropped the codes the keyboard cannot play.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "model/macro_area.h"

namespace {

constexpr std::u16string_view kPrefix = u"Macro ";

// Empty when the list cannot be addressed by one area.
std::vector<uint8_t> Encode(const model::MacroList& macros, bool withNames) {
  const model::MacroAreaSize sizes = model::MacroAreaSizes(macros);
  std::vector<uint8_t> area(withNames ? sizes.withNames : sizes.withoutNames);
  if (!model::BuildMacroArea(macros, area, withNames)) area.clear();
  return area;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // A copy of exactly `size` bytes, so that any read past the end is caught.
  const std::vector<uint8_t> input(data, data + size);
  const model::MacroList first = model::DecodeMacroArea(input, kPrefix);
  if (first.size() > static_cast<std::size_t>(model::kMaxMacros)) std::abort();

  for (bool withNames : {true, false}) {
    const std::vector<uint8_t> area = Encode(first, withNames);
    if (area.empty()) continue;  // more than 65535 bytes
    const model::MacroList second = model::DecodeMacroArea(area, kPrefix);
    if (second.size() != first.size()) std::abort();
    for (std::size_t i = 0; i < second.size(); ++i) {
      if (second[i].Id() != i + 1 || second[i].Name().empty()) std::abort();
    }
    if (Encode(second, withNames) != area) std::abort();
  }
  return 0;
}
