#include "sim/report_packet.h"

#include <algorithm>

#include "sim/byte_order.h"

namespace sim {

uint16_t PacketSum(std::span<const uint8_t, kReportSize> report) {
  unsigned total = 0;
  for (size_t i = kCommandOffset; i < kReportSize; ++i) total += report[i];
  return static_cast<uint16_t>(total & 0xFFFF);
}

void SealReport(std::span<uint8_t, kReportSize> report) {
  PutU16Le(report, kSumOffset, PacketSum(report));
}

Report MakeRequest(uint8_t command, uint8_t length, uint16_t offset,
                   std::span<const uint8_t> data) {
  Report report{};
  report[0] = kConfigReportId;
  report[kCommandOffset] = command;
  report[kLengthOffset] = length;
  PutU16Le(report, kAddressOffset, offset);
  std::copy_n(data.begin(), std::min(data.size(), kMaxData), report.begin() + kDataOffset);
  SealReport(report);
  return report;
}

Report MakeBootRequest() {
  Report report{};
  report[0] = kConfigReportId;
  report[kCommandOffset] = kEnterBootMode;
  report[kLengthOffset] = kEnterBootMode;
  return report;
}

}  // namespace sim
