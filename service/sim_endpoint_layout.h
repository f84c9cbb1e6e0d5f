// How a simulated keyboard presents itself to libCorvial.so: the same shape a
// set of hidraw nodes has, one datagram endpoint per HID interface.
//
// A keyboard is a folder <watched dir>/<name>/ holding
//   device   a text file: "vendor 0c45", "product 5004", then one line per
//            HID interface: "interface <file> <usage page> <usage>", all
//            numbers in hexadecimal without prefix;
//   <file>   a listening SOCK_SEQPACKET Unix socket for that interface.
//
// Plugging in renames a fully prepared folder into place, so the library
// never sees half a keyboard; unplugging renames it away, closes every
// connection and removes it. Names that start with '.' are never keyboards
// (folders being prepared or removed, control sockets).
//
// Each message on a connection is one report, exactly as it crosses USB:
// output reports (host to keyboard) start with their report id (4 for the
// configuration interface, 5 for the indicator), input reports (keyboard to
// host) are delivered to every connected client, as a hidraw node delivers
// them to every open file. A connection that hangs up means the keyboard is
// gone.
#pragma once

#include <cstdint>

namespace simlayout {

inline constexpr const char* kDeviceFile = "device";

inline constexpr const char* kConfigInterface = "cfg";
inline constexpr const char* kConsumerInterface = "cons";
inline constexpr const char* kIndicatorInterface = "led";

inline constexpr uint16_t kVendorId = 0x0C45;
inline constexpr uint16_t kProductId = 0x5004;

inline constexpr uint16_t kConfigUsagePage = 0xFF1C;
inline constexpr uint16_t kConfigUsage = 0x0092;
inline constexpr uint16_t kConsumerUsagePage = 0x000C;
inline constexpr uint16_t kConsumerUsage = 0x0001;
inline constexpr uint16_t kIndicatorUsagePage = 0x0008;
inline constexpr uint16_t kIndicatorUsage = 0x0089;

// Largest report any interface carries.
inline constexpr int kMaxReportSize = 64;

}  // namespace simlayout
