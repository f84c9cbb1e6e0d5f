#include "sim/sim_keyboard.h"

#include <algorithm>

#include "service/sim_endpoint_layout.h"
#include "sim/byte_order.h"

namespace sim {
namespace {

constexpr std::array<uint8_t, 19> kDefaultEffects = {1,  2,  3,  4,  5,  6,  7,  8,  9, 10,
                                                     11, 12, 13, 14, 15, 16, 17, 18, 20};

// Effect 1, brightness 5, speed 3, direction 0, multicolour on, white.
constexpr std::array<uint8_t, 8> kFactoryLightingRecord = {0x01, 0x05, 0x03, 0x00,
                                                           0xFF, 0xFF, 0xFF, 0xFF};

bool Fits(size_t offset, size_t length, size_t size) {
  return offset <= size && length <= size - offset;
}

// Copies `source` over `target`; reports whether any byte differed.
bool Store(std::span<uint8_t> target, std::span<const uint8_t> source) {
  bool differs = !std::equal(source.begin(), source.end(), target.begin());
  std::copy(source.begin(), source.end(), target.begin());
  return differs;
}

bool IsBootRequest(std::span<const uint8_t> report) {
  if (report.size() != kReportSize || report[0] != kConfigReportId) return false;
  for (size_t i = 1; i < kReportSize; ++i) {
    uint8_t expected = (i == kCommandOffset || i == kLengthOffset) ? kEnterBootMode : 0;
    if (report[i] != expected) return false;
  }
  return true;
}

uint8_t ValidMacroUnits(uint8_t units) {
  return units == 0 ? kDefaultMacroUnits : units;
}

}  // namespace

SimKeyboard::SimKeyboard(const KeyboardOptions& options) {
  settings_.fill(0);
  auto matrix = FactoryDefaultMatrix();
  for (int slot = 0; slot < kProfiles; ++slot) {
    std::copy(matrix.begin(), matrix.end(), keyMaps_.begin() + slot * kKeyMapBlockSize);
  }
  lighting_.fill(0);
  for (int slot = 0; slot < kProfiles; ++slot) {
    std::copy(kFactoryLightingRecord.begin(), kFactoryLightingRecord.end(),
              lighting_.begin() + slot * kLightingRecordSize);
  }
  for (auto& colours : colours_) colours.fill(0xFF);
  ApplyOptions(options);
  std::fill(macro_.begin(), macro_.end(), 0);
  PutU16Le(macro_, 0, kMacroMarker);
  PutU16Le(macro_, 2, kMacroHeaderSize);
}

void SimKeyboard::ApplyOptions(const KeyboardOptions& options) {
  PutU16Le(settings_, kFirmwareOffset, options.firmware);
  uint8_t units = ValidMacroUnits(options.macroUnits);
  settings_[kMacroUnitsOffset] = units;
  macro_.resize(units * kMacroUnitSize, 0);
  auto effects = settings_.begin() + kEffectListOffset;
  std::fill_n(effects, kEffectListSize, 0);
  if (options.effects.empty()) {
    std::copy(kDefaultEffects.begin(), kDefaultEffects.end(), effects);
  } else {
    std::copy_n(options.effects.begin(), std::min(options.effects.size(), kEffectListSize),
                effects);
  }
}

uint16_t SimKeyboard::Firmware() const {
  return GetU16Le(settings_, kFirmwareOffset);
}

KeyboardOptions SimKeyboard::CurrentOptions() const {
  KeyboardOptions options;
  options.firmware = Firmware();
  options.macroUnits = MacroUnits();
  options.effects.assign(settings_.begin() + kEffectListOffset, settings_.end());
  return options;
}

std::span<const uint8_t> SimKeyboard::KeyMap(int slot) const {
  if (slot < 0 || slot >= kProfiles) return {};
  return std::span<const uint8_t>(keyMaps_).subspan(slot * kKeyMapBlockSize, kKeyMapBlockSize);
}

std::span<const uint8_t> SimKeyboard::KeyColours(int slot) const {
  if (slot < 0 || slot >= kProfiles) return {};
  return colours_[slot];
}

std::vector<uint8_t> SimKeyboard::ConsumerReport(uint16_t code) {
  std::vector<uint8_t> report(2);
  PutU16Le(report, 0, code);
  return report;
}

void SimKeyboard::HandleIndicatorReport(const uint8_t* data, size_t size) {
  if (data == nullptr) size = 0;
  size = std::min<size_t>(size, simlayout::kMaxReportSize);
  indicator_.assign(data, data + size);
}

ConfigResponse SimKeyboard::HandleConfigReport(const uint8_t* data, size_t size) {
  std::span<const uint8_t> request(data, data == nullptr ? 0 : size);
  ConfigResponse response;
  int previousCommand = lastCommand_;
  if (request.size() > kCommandOffset) lastCommand_ = request[kCommandOffset];

  if (faults_.unplugAfterReports > 0 && --faults_.unplugAfterReports == 0) {
    faults_.unplugAfterReports = -1;
    response.unplug = true;
    return response;
  }
  if (IsBootRequest(request)) {
    bootMode_ = true;
    response.bootMode = true;
    return response;
  }

  Outcome outcome;
  bool wrongCommand = false;
  if (faults_.errorStatusReplies > 0) {
    --faults_.errorStatusReplies;
    outcome.status = faults_.errorStatus;
  } else {
    outcome = Execute(request);
    response.changed = outcome.changed;
    if (faults_.dropReplies > 0) {
      --faults_.dropReplies;
      return response;
    }
    if (faults_.wrongCommandReplies > 0) {
      --faults_.wrongCommandReplies;
      wrongCommand = true;
    }
  }

  Report reply{};
  reply[0] = kConfigReportId;
  // Command, length and offset come back as they were sent.
  for (size_t i = kCommandOffset; i < kStatusOffset && i < request.size(); ++i) {
    reply[i] = request[i];
  }
  if (wrongCommand) {
    // What a late reply to the previous request looks like.
    uint8_t command = reply[kCommandOffset];
    reply[kCommandOffset] = previousCommand >= 0 && previousCommand != command
                                ? static_cast<uint8_t>(previousCommand)
                                : static_cast<uint8_t>(command + 1);
  }
  reply[kStatusOffset] = outcome.status;
  std::copy(outcome.data.begin(), outcome.data.end(), reply.begin() + kDataOffset);
  SealReport(reply);
  response.reply.assign(reply.begin(), reply.end());
  response.delayUs = std::max(0, faults_.latencyUs);
  return response;
}

SimKeyboard::Outcome SimKeyboard::Execute(std::span<const uint8_t> request) {
  Outcome outcome;
  if (request.size() != kReportSize || request[0] != kConfigReportId ||
      GetU16Le(request, kSumOffset) != PacketSum(request.first<kReportSize>())) {
    outcome.status = kStatusRejected;
    return outcome;
  }
  size_t length = request[kLengthOffset];
  size_t offset = GetU16Le(request, kAddressOffset);
  auto payload = request.subspan(kDataOffset, std::min(length, kMaxData));
  return ExecuteCommand(request[kCommandOffset], length, offset, payload);
}

SimKeyboard::Outcome SimKeyboard::ExecuteCommand(uint8_t command, size_t length, size_t offset,
                                                 std::span<const uint8_t> payload) {
  Outcome outcome;
  auto refuse = [&outcome](uint8_t status) {
    outcome.status = status;
    return outcome;
  };
  bool lengthOk = length >= 1 && length <= kMaxData;
  // Reads of `length` bytes from `space`, zeros after them.
  auto read = [&](std::span<const uint8_t> space) {
    if (!lengthOk || !Fits(offset, length, space.size())) return refuse(kStatusBadArgument);
    std::copy_n(space.begin() + offset, length, outcome.data.begin());
    return outcome;
  };
  auto write = [&](std::span<uint8_t> space) {
    if (!lengthOk || !Fits(offset, length, space.size())) return refuse(kStatusBadArgument);
    outcome.changed = Store(space.subspan(offset, length), payload);
    return outcome;
  };

  switch (command) {
    case kConfigBegin:
      configOpen_ = true;
      return outcome;
    case kConfigEnd:
      configOpen_ = false;
      return outcome;
    case kTestCommand:
      return outcome;
    case kReadSettingsBlock:
      if (length != kSettingsSize || offset != 0) return refuse(kStatusBadArgument);
      std::copy(settings_.begin(), settings_.end(), outcome.data.begin());
      return outcome;
    case kWriteSettingsBlock: {
      if (length != kSettingsSize || offset != 0) return refuse(kStatusBadArgument);
      if (payload[kActiveProfileOffset] >= kProfiles) return refuse(kStatusBadArgument);
      // Firmware version, macro capacity and effect list are the firmware's.
      bool carried = Store(std::span<uint8_t>(settings_).first(kSettingsCarriedSize),
                           payload.first(kSettingsCarriedSize));
      bool profile = Store(std::span<uint8_t>(settings_).subspan(kActiveProfileOffset, 1),
                           payload.subspan(kActiveProfileOffset, 1));
      outcome.changed = carried || profile;
      return outcome;
    }
    case kReadLightingArea: {
      if (!lengthOk || offset >= kLightingSize) return refuse(kStatusBadArgument);
      // Always a full packet's worth, zeros past the end of the area.
      size_t available = std::min(kMaxData, kLightingSize - offset);
      std::copy_n(lighting_.begin() + offset, available, outcome.data.begin());
      return outcome;
    }
    case kWriteLightingArea:
      return write(lighting_);
    case kReadKeyMap:
      return read(keyMaps_);
    case kWriteKeyMap:
      return write(keyMaps_);
    case kReadMacroArea:
      return read(macro_);
    case kWriteMacroArea:
      return write(macro_);
    case kReadDefaultMatrix:
      return read(FactoryDefaultMatrix());
    case kWriteKeyColours: {
      size_t slot = offset / kKeyColourStride;
      size_t position = offset % kKeyColourStride;
      if (!lengthOk || slot >= static_cast<size_t>(kProfiles) ||
          !Fits(position, length, kKeyColoursSize)) {
        return refuse(kStatusBadArgument);
      }
      outcome.changed =
          Store(std::span<uint8_t>(colours_[slot]).subspan(position, length), payload);
      return outcome;
    }
    default:
      return refuse(kStatusRejected);
  }
}

}  // namespace sim
