// Building profile files byte by byte for the tests, independent of the
// writer under test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/config_store.h"
#include "model/macro_record.h"
#include "model/profile_image.h"

namespace profiletest {

inline void PutU16(std::vector<uint8_t>& bytes, std::size_t at, uint16_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}
inline void PutU32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + static_cast<std::size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

inline std::size_t EntryAt(int area, int entry) {
  return 64 + static_cast<std::size_t>(area) * 8192 + static_cast<std::size_t>(entry) * 16;
}

// Sets the checksum to the sum of bytes 0..30.
inline void Resum(std::vector<uint8_t>& bytes) {
  unsigned sum = 0;
  for (int i = 0; i < 31; ++i) sum += bytes[static_cast<std::size_t>(i)];
  bytes[31] = static_cast<uint8_t>(sum);
}

// A header naming `count` records and `textSize` bytes of text, correct in
// every field, over a zero image of 32832 bytes.
inline std::vector<uint8_t> HeaderOnlyFile(uint16_t count, uint32_t textSize, uint8_t flag = 0) {
  std::vector<uint8_t> bytes(model::kProfileImageSize, 0);
  PutU16(bytes, 0, 0x4446);
  PutU16(bytes, 2, 32);
  PutU16(bytes, 4, 3);
  PutU16(bytes, 6, 1);
  PutU32(bytes, 8, count * 16512u + textSize + 32832u);
  PutU16(bytes, 12, 2048);
  PutU16(bytes, 14, count);
  PutU32(bytes, 16, textSize);
  bytes[30] = flag;
  Resum(bytes);
  return bytes;
}

// UTF-16LE with a terminator.
inline std::vector<uint8_t> Utf16z(const std::u16string& text) {
  std::vector<uint8_t> bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<uint8_t>(unit));
    bytes.push_back(static_cast<uint8_t>(unit >> 8));
  }
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

inline void Append(std::vector<uint8_t>& bytes, const std::vector<uint8_t>& more) {
  bytes.insert(bytes.end(), more.begin(), more.end());
}

inline model::MacroRecord Macro(uint16_t id, const std::u16string& name) {
  model::MacroRecord record;
  record.SetName(name);
  record.SetId(id);
  record.SetRepeatCount(3);
  record.SetActions({{20, 0x1E, 0}, {30, 0x1E, 1}, {0, 0x11D, 0}});
  return record;
}

// A store with everything a file carries: macros, texts of both kinds in
// several areas, view flags and a macro key.
inline void FillStore(model::ConfigStore& store) {
  std::unique_ptr<model::ProfileImage> image = std::make_unique<model::ProfileImage>();
  image->ClearAreas();
  store.SetImage(std::move(image));
  store.image()->SetAction(0, 4, {model::kActionLaunch, 0, 999, 1, 0});
  store.SetText(model::TextSlotOf(0, 4), u"C:\\Tools\\calc.exe");
  store.image()->SetAction(2, 257, {model::kActionTextBlock, 0x0302, 0, 0, 7});
  store.SetText(model::TextSlotOf(2, 257), u"Grüße, 世界");
  store.image()->SetAction(1, 30, {model::kActionMacro, 5, 2, 1, 0});
  store.SetAction(3, 511, model::kActionLaunch, 0, 0);
  store.SetText(model::TextSlotOf(3, 511), u"x");
  store.ReplaceMacros({Macro(2, u"Copy"), Macro(7, u"Paste everything")});
}

}  // namespace profiletest
