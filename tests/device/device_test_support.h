// Small helpers shared by the device-link tests.
#pragma once

#include <cstdint>
#include <vector>

#include "device/device_link.h"
#include "device/report_packet.h"

namespace testsupport {

// Timings short enough that tests of time-outs stay quick.
inline device::LinkTimings QuickTimings() {
  device::LinkTimings timings;
  timings.replyTimeout = std::chrono::milliseconds(150);
  timings.busyWait = std::chrono::milliseconds(151);
  timings.retryPause = std::chrono::milliseconds(1);
  timings.configEndPause = std::chrono::milliseconds(0);
  return timings;
}

// A keyboard's reply to `request` with the given status (and its packet sum).
inline std::vector<uint8_t> ReplyTo(const std::vector<uint8_t>& request, uint8_t status = 0,
                                    uint8_t command = 0) {
  device::ReportPacket reply{};
  for (std::size_t i = 0; i < 7 && i < request.size(); ++i) reply[i] = request[i];
  if (command != 0) reply[device::kReportCommandByte] = command;
  reply[device::kReportStatusByte] = status;
  const uint16_t sum = device::PacketSum(reply);
  reply[1] = static_cast<uint8_t>(sum);
  reply[2] = static_cast<uint8_t>(sum >> 8);
  return {reply.begin(), reply.end()};
}

}  // namespace testsupport
