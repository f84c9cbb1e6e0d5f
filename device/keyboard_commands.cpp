#include "device/keyboard_commands.h"

#include <algorithm>
#include <thread>

#include "device/report_packet.h"
#include "device/result_codes.h"

namespace device {
namespace {

// A command's result from its transaction's result and the reply's status.
int Exchange(DeviceLink& link, const ReportPacket& request, ReportPacket* reply) {
  std::size_t delivered = 0;
  const int result =
      link.Transaction(request.data(), request.size(), reply->data(), reply->size(), &delivered);
  if (result != kResultOk) return result;
  if (PacketStatus(*reply) == kStatusErrorFF) return kResultStatusFF;
  if (PacketStatus(*reply) == kStatusErrorFE) return kResultStatusFE;
  return kResultOk;
}

int Simple(DeviceLink& link, uint8_t command) {
  ReportPacket reply{};
  return Exchange(link, BuildRequest(command, 0, 0), &reply);
}

bool ValidSlot(int slot) {
  return slot >= 0 && slot < kProfileSlots;
}

// Moves `size` bytes between `block` and the keyboard in packets of up to 56
// bytes at base + k. Reads copy each reply's data to block position k. The
// first packet that fails ends the transfer; bytes already moved stay.
int Transfer(DeviceLink& link, uint8_t command, uint16_t base, uint8_t* readInto,
             const uint8_t* writeFrom, std::size_t size) {
  for (std::size_t k = 0; k < size; k += kReportDataSize) {
    const auto length = static_cast<uint8_t>(std::min(kReportDataSize, size - k));
    const auto offset = static_cast<uint16_t>(base + k);
    const ReportPacket request =
        writeFrom != nullptr
            ? BuildRequest(command, length, offset, std::span<const uint8_t>(writeFrom + k, length))
            : BuildRequest(command, length, offset);
    ReportPacket reply{};
    const int result = Exchange(link, request, &reply);
    if (result != kResultOk) return result;
    if (readInto != nullptr) std::copy_n(reply.begin() + kReportDataByte, length, readInto + k);
  }
  return kResultOk;
}

// Offsets are 16-bit on the wire; a larger area cannot be addressed.
constexpr std::size_t kLargestArea = 0x10000;

}  // namespace

int ConfigBegin(DeviceLink& link) {
  return Simple(link, kCommandConfigBegin);
}

int ConfigEnd(DeviceLink& link) {
  std::this_thread::sleep_for(link.timings().configEndPause);
  return Simple(link, kCommandConfigEnd);
}

int TestCommand(DeviceLink& link) {
  return Simple(link, kCommandTest);
}

int ReadSettingsBlock(DeviceLink& link, std::span<uint8_t, kSettingsBlockSize> destination) {
  ReportPacket reply{};
  const int result =
      Exchange(link, BuildRequest(kCommandReadSettingsBlock, kSettingsBlockSize, 0), &reply);
  if (result == kResultOk)
    std::copy_n(reply.begin() + kReportDataByte, kSettingsBlockSize, destination.begin());
  return result;
}

int WriteSettingsBlock(DeviceLink& link, std::span<const uint8_t, kSettingsBlockSize> source) {
  ReportPacket reply{};
  return Exchange(link, BuildRequest(kCommandWriteSettingsBlock, kSettingsBlockSize, 0, source),
                  &reply);
}

int ReadLightingArea(DeviceLink& link, std::span<uint8_t, 56> destination, uint8_t length,
                     uint16_t offset) {
  ReportPacket reply{};
  const int result = Exchange(link, BuildRequest(kCommandReadLightingArea, length, offset), &reply);
  if (result == kResultOk)
    std::copy_n(reply.begin() + kReportDataByte, kReportDataSize, destination.begin());
  return result;
}

int WriteLightingArea(DeviceLink& link, std::span<const uint8_t> data, uint16_t offset) {
  const auto length = static_cast<uint8_t>(std::min(data.size(), kReportDataSize));
  ReportPacket reply{};
  return Exchange(link, BuildRequest(kCommandWriteLightingArea, length, offset, data), &reply);
}

int ReadKeyMap(DeviceLink& link, std::span<uint8_t, kKeyMapBlockSize> destination, int slot) {
  if (!ValidSlot(slot)) return kResultBadSlot;
  return Transfer(link, kCommandReadKeyMap, static_cast<uint16_t>(slot * kKeyMapBlockSize),
                  destination.data(), nullptr, kKeyMapBlockSize);
}

int WriteKeyMap(DeviceLink& link, std::span<const uint8_t, kKeyMapBlockSize> source, int slot) {
  if (!ValidSlot(slot)) return kResultBadSlot;
  return Transfer(link, kCommandWriteKeyMap, static_cast<uint16_t>(slot * kKeyMapBlockSize),
                  nullptr, source.data(), kKeyMapBlockSize);
}

int ReadDefaultMatrix(DeviceLink& link, std::span<uint8_t, kKeyMapBlockSize> destination) {
  return Transfer(link, kCommandReadDefaultMatrix, 0, destination.data(), nullptr,
                  kKeyMapBlockSize);
}

int ReadMacroArea(DeviceLink& link, std::span<uint8_t> destination) {
  if (destination.size() > kLargestArea) return kResultWriteRefused;
  return Transfer(link, kCommandReadMacroArea, 0, destination.data(), nullptr, destination.size());
}

int WriteMacroArea(DeviceLink& link, std::span<const uint8_t> source) {
  if (source.size() > kLargestArea) return kResultWriteRefused;
  return Transfer(link, kCommandWriteMacroArea, 0, nullptr, source.data(), source.size());
}

int WriteKeyColours(DeviceLink& link, std::span<const uint8_t> data, int slot, int firstKey) {
  if (!ValidSlot(slot) || firstKey < 0 || firstKey >= kKeyColourKeys) return kResultBadSlot;
  const auto offset = static_cast<uint16_t>(slot * kKeyColourSlotStride + firstKey * 3);
  const auto length = static_cast<uint8_t>(std::min(data.size(), kReportDataSize));
  ReportPacket reply{};
  return Exchange(link, BuildRequest(kCommandWriteKeyColours, length, offset, data), &reply);
}

int EnterBootMode(DeviceLink& link) {
  // The boot request carries no packet sum: bytes 3 and 4 only.
  ReportPacket request{};
  request[0] = kReportId;
  request[kReportCommandByte] = kCommandEnterBootMode;
  request[kReportLengthByte] = kCommandEnterBootMode;
  return link.WriteWithoutReply(request.data(), request.size());
}

}  // namespace device
