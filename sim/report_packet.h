// The 64-byte report of the keyboard's configuration interface, both
// directions:
//   0      report id (4)
//   1..2   packet sum, u16 LE: bytes 3..63 added as unsigned numbers
//   3      command number (a reply repeats the request's)
//   4      length of the data
//   5..6   offset, u16 LE
//   7      status (0 in requests)
//   8..63  data
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace sim {

inline constexpr size_t kReportSize = 64;
inline constexpr uint8_t kConfigReportId = 4;
inline constexpr size_t kSumOffset = 1;
inline constexpr size_t kCommandOffset = 3;
inline constexpr size_t kLengthOffset = 4;
inline constexpr size_t kAddressOffset = 5;
inline constexpr size_t kStatusOffset = 7;
inline constexpr size_t kDataOffset = 8;
inline constexpr size_t kMaxData = kReportSize - kDataOffset;  // 56

inline constexpr uint8_t kStatusOk = 0x00;
// Report id, size, packet sum or command not understood.
inline constexpr uint8_t kStatusRejected = 0xFF;
// Understood, but its length, offset or value is out of range.
inline constexpr uint8_t kStatusBadArgument = 0xFE;

enum Command : uint8_t {
  kConfigBegin = 0x01,
  kConfigEnd = 0x02,
  kReadSettingsBlock = 0x03,
  kWriteSettingsBlock = 0x04,
  kReadLightingArea = 0x05,
  kWriteLightingArea = 0x06,
  kReadKeyMap = 0x07,
  kWriteKeyMap = 0x08,
  kReadMacroArea = 0x09,
  kWriteMacroArea = 0x0A,
  kTestCommand = 0x0D,
  kReadDefaultMatrix = 0x0F,
  kWriteKeyColours = 0x11,
  // Bytes 3 and 4 both carry it; the request has no packet sum.
  kEnterBootMode = 0xEE,
};

using Report = std::array<uint8_t, kReportSize>;

// Sum of bytes 3..63 of a full-size report.
uint16_t PacketSum(std::span<const uint8_t, kReportSize> report);

// Stores the packet sum of bytes 3..63 into bytes 1..2.
void SealReport(std::span<uint8_t, kReportSize> report);

// A sealed request with `length` in byte 4 and `data` (at most 56 bytes,
// the rest stays 0) from byte 8.
Report MakeRequest(uint8_t command, uint8_t length, uint16_t offset,
                   std::span<const uint8_t> data = {});

// The exact boot loader request: bytes 3 and 4 0xEE, everything else but the
// report id 0.
Report MakeBootRequest();

}  // namespace sim
