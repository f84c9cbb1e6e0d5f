#include "model/profile_image.h"

#include <algorithm>

#include "platform/byte_order.h"

namespace model {

using platform::ReadU16;
using platform::ReadU32;
using platform::WriteU16;
using platform::WriteU32;

KeyAction ProfileImage::ActionAt(int area, int entry) const {
  if (!ValidArea(area) || !ValidEntry(entry)) return {};
  const uint8_t* p = bytes_.data() + EntryOffset(area, entry);
  return KeyAction{ReadU16(p), ReadU16(p + 2), ReadU32(p + 4), ReadU32(p + 8), ReadU32(p + 12)};
}

void ProfileImage::SetAction(int area, int entry, const KeyAction& action) {
  if (!ValidArea(area) || !ValidEntry(entry)) return;
  uint8_t* p = bytes_.data() + EntryOffset(area, entry);
  WriteU16(p, action.type);
  WriteU16(p + 2, action.extra);
  WriteU32(p + 4, action.value);
  WriteU32(p + 8, action.viewFlag);
  WriteU32(p + 12, action.reserved);
}

void ProfileImage::SetTypeExtraValue(int area, int entry, uint16_t type, uint16_t extra,
                                     uint32_t value) {
  if (!ValidArea(area) || !ValidEntry(entry)) return;
  uint8_t* p = bytes_.data() + EntryOffset(area, entry);
  WriteU16(p, type);
  WriteU16(p + 2, extra);
  WriteU32(p + 4, value);
}

void ProfileImage::ClearAction(int area, int entry) {
  if (!ValidArea(area) || !ValidEntry(entry)) return;
  std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(EntryOffset(area, entry)),
              kKeyActionSize, uint8_t{0});
}

void ProfileImage::ResetArea(int area) {
  if (!ValidArea(area)) return;
  std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(EntryOffset(area, 0)), kAreaSize,
              uint8_t{0});
  for (int g = 0; g < kGKeyEntries; ++g)
    WriteU16(bytes_.data() + EntryOffset(area, kFirstGKeyEntry + g) + 2, GKeyId(g));
}

void ProfileImage::ClearAreas() {
  std::fill(bytes_.begin() + kAreaOffset, bytes_.end(), uint8_t{0});
  ResetArea(0);
}

}  // namespace model
