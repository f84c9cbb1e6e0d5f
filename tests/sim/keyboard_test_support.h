// Helpers for driving a SimKeyboard with whole reports.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "sim/report_packet.h"
#include "sim/sim_keyboard.h"

namespace simtest {

inline sim::ConfigResponse Send(sim::SimKeyboard& keyboard, const sim::Report& report) {
  return keyboard.HandleConfigReport(report.data(), report.size());
}

inline uint8_t Status(const sim::ConfigResponse& response) {
  return response.reply.at(sim::kStatusOffset);
}

inline std::vector<uint8_t> ReplyData(const sim::ConfigResponse& response, size_t length) {
  auto begin = response.reply.begin() + sim::kDataOffset;
  return {begin, begin + static_cast<std::ptrdiff_t>(length)};
}

// Bytes that differ from their neighbours and from the factory content.
inline std::vector<uint8_t> Pattern(size_t size, uint8_t seed) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 7 + (i >> 8));
  return bytes;
}

// Writes `bytes` from `offset` as the program does: 56-byte packets, the
// last one shorter.
inline void WriteInPackets(sim::SimKeyboard& keyboard, uint8_t command, size_t offset,
                           const std::vector<uint8_t>& bytes) {
  for (size_t done = 0; done < bytes.size(); done += sim::kMaxData) {
    size_t length = std::min(sim::kMaxData, bytes.size() - done);
    std::vector<uint8_t> chunk(bytes.begin() + done, bytes.begin() + done + length);
    auto response = Send(keyboard, sim::MakeRequest(command, static_cast<uint8_t>(length),
                                                    static_cast<uint16_t>(offset + done), chunk));
    ASSERT_EQ(Status(response), sim::kStatusOk) << "write at " << offset + done;
  }
}

inline std::vector<uint8_t> ReadInPackets(sim::SimKeyboard& keyboard, uint8_t command,
                                          size_t offset, size_t size, size_t packet) {
  std::vector<uint8_t> bytes;
  for (size_t done = 0; done < size; done += packet) {
    size_t length = std::min(packet, size - done);
    auto response = Send(keyboard, sim::MakeRequest(command, static_cast<uint8_t>(length),
                                                    static_cast<uint16_t>(offset + done)));
    EXPECT_EQ(Status(response), sim::kStatusOk) << "read at " << offset + done;
    if (response.reply.size() != sim::kReportSize) return bytes;
    auto data = ReplyData(response, length);
    bytes.insert(bytes.end(), data.begin(), data.end());
  }
  return bytes;
}

}  // namespace simtest
