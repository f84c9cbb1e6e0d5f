// Loading the device service library and the table of its twelve exports.
#pragma once

#include <string>

#include "service/corvial_abi.h"

namespace device {

using DeviceServiceApi = CorvialExports;

inline constexpr const char* kDeviceServiceFile = "libCorvial.so";

// Loads libCorvial.so from the folder, resolves all twelve exports in their
// fixed order and calls Init(0). Returns false when the library does not
// load, an export is missing or Init returns 0 or less. The library is never
// unloaded.
bool LoadDeviceService(const std::string& folder, DeviceServiceApi* api);

// The program cannot run without the service: it ends at once, exit code 0,
// without a message.
[[noreturn]] void EndSilently();

}  // namespace device
