// ReportPacket: the 64-byte report of the keyboard's configuration interface,
// the same layout in both directions.
//
//   0      report id, always 4
//   1..2   packet sum, little-endian: bytes 3..63 added as unsigned numbers
//   3      command number (a reply repeats it)
//   4      length of the data in this packet
//   5..6   offset, little-endian
//   7      status: 0 in requests; 0xFF / 0xFE are the keyboard's error statuses
//   8..63  data; in requests, bytes beyond the length are 0
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace device {

inline constexpr std::size_t kReportSize = 64;
inline constexpr std::size_t kReportDataSize = 56;
inline constexpr uint8_t kReportId = 4;
inline constexpr std::size_t kReportCommandByte = 3;
inline constexpr std::size_t kReportLengthByte = 4;
inline constexpr std::size_t kReportOffsetByte = 5;
inline constexpr std::size_t kReportStatusByte = 7;
inline constexpr std::size_t kReportDataByte = 8;
inline constexpr uint8_t kStatusErrorFF = 0xFF;
inline constexpr uint8_t kStatusErrorFE = 0xFE;

using ReportPacket = std::array<uint8_t, kReportSize>;

// The 16-bit sum of bytes 3..63.
uint16_t PacketSum(const ReportPacket& packet);

// A request with its sum in place. At most 56 data bytes are copied; a data
// length above 56 is cut to 56 (and so is the length byte).
ReportPacket BuildRequest(uint8_t command, uint8_t length, uint16_t offset,
                          std::span<const uint8_t> data = {});

inline uint8_t PacketCommand(const ReportPacket& p) {
  return p[kReportCommandByte];
}
inline uint8_t PacketLength(const ReportPacket& p) {
  return p[kReportLengthByte];
}
inline uint16_t PacketOffset(const ReportPacket& p) {
  return static_cast<uint16_t>(p[kReportOffsetByte] | (p[kReportOffsetByte + 1] << 8));
}
inline uint8_t PacketStatus(const ReportPacket& p) {
  return p[kReportStatusByte];
}

}  // namespace device
