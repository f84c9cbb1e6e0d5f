// The keyboard's three HID interfaces as the service library addresses them,
// and the tags of the channels the program keeps open on them.
#pragma once

#include <cstdint>

#include "service/corvial_abi.h"

namespace device {

inline constexpr uint16_t kVendorId = 0x0C45;
inline constexpr uint16_t kProductId = 0x5004;

inline DeviceUnit ConfigUnit() {
  return corvial::MakeUnit(kVendorId, kProductId, 0xFF1C, 0x0092);
}
inline DeviceUnit ConsumerUnit() {
  return corvial::MakeUnit(kVendorId, kProductId, 0x000C, 0x0001);
}
inline DeviceUnit IndicatorUnit() {
  return corvial::MakeUnit(kVendorId, kProductId, 0x0008, 0x0089);
}

// Four characters each: "CTRL", "CONS" and "\0LED".
inline constexpr uint32_t kControlChannelTag = 0x4354524C;
inline constexpr uint32_t kConsumerChannelTag = 0x434F4E53;
inline constexpr uint32_t kIndicatorChannelTag = 0x004C4544;

}  // namespace device
