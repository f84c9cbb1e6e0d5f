// Which devices, and which of their interfaces, a DeviceUnit addresses.
#pragma once

#include <cstddef>
#include <optional>

#include "service/corvial_abi.h"
#include "service/device_backend.h"

namespace corvial {

// The first interface of `device` that satisfies every bit set in the unit's
// match flags, or nothing when the device doesn't match the unit at all.
inline std::optional<std::size_t> MatchingInterface(const DeviceUnit& unit,
                                                    const DeviceInfo& device) {
  const uint32_t flags = UnitMatchFlags(unit);
  if ((flags & kMatchVendor) && device.vendor != UnitVendor(unit)) return std::nullopt;
  if ((flags & kMatchProduct) && device.product != UnitProduct(unit)) return std::nullopt;
  for (std::size_t i = 0; i < device.interfaces.size(); ++i) {
    const InterfaceInfo& candidate = device.interfaces[i];
    if ((flags & kMatchUsagePage) && candidate.usagePage != UnitUsagePage(unit)) continue;
    if ((flags & kMatchUsage) && candidate.usage != UnitUsage(unit)) continue;
    return i;
  }
  return std::nullopt;
}

}  // namespace corvial
