// Arbitrary bytes as a key map and a default map read from a keyboard.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "model/key_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  model::KeyMapBlock block{};
  model::KeyMapBlock matrix = model::BuiltInDefaultMatrix();
  std::copy_n(data, std::min(size, block.size()), block.begin());
  if (size > block.size())
    std::copy_n(data + block.size(), std::min(size - block.size(), matrix.size()), matrix.begin());
  const int area = size > 0 ? static_cast<int>(data[0] % 6) - 1 : 0;  // -1..4

  model::ProfileImage image;
  model::DecodeKeyMap(block, matrix, image, area);
  model::MacroList macros(2);
  macros[0].SetId(1);
  macros[1].SetId(2);
  const model::KeyMapBlock encoded = model::EncodeKeyMap(image, area, matrix, macros);
  model::ProfileImage again;
  model::DecodeKeyMap(encoded, matrix, again, area);
  return 0;
}
