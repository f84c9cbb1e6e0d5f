#include "device/report_packet.h"

#include <algorithm>

namespace device {

uint16_t PacketSum(const ReportPacket& packet) {
  uint32_t total = 0;
  for (std::size_t i = kReportCommandByte; i < kReportSize; ++i) total += packet[i];
  return static_cast<uint16_t>(total);
}

ReportPacket BuildRequest(uint8_t command, uint8_t length, uint16_t offset,
                          std::span<const uint8_t> data) {
  ReportPacket packet{};
  packet[0] = kReportId;
  packet[kReportCommandByte] = command;
  packet[kReportLengthByte] = std::min<uint8_t>(length, kReportDataSize);
  packet[kReportOffsetByte] = static_cast<uint8_t>(offset);
  packet[kReportOffsetByte + 1] = static_cast<uint8_t>(offset >> 8);
  const std::size_t copied = std::min({data.size(), kReportDataSize, std::size_t{length}});
  std::copy_n(data.begin(), copied, packet.begin() + kReportDataByte);
  const uint16_t sum = PacketSum(packet);
  packet[1] = static_cast<uint8_t>(sum);
  packet[2] = static_cast<uint8_t>(sum >> 8);
  return packet;
}

}  // namespace device
