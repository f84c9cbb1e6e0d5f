#include "lighting/lighting_control.h"

#include <algorithm>

#include "device/keyboard_commands.h"
#include "device/result_codes.h"
#include "device/settings_block.h"
#include "lighting/lighting_effects.h"
#include "lighting/user_lighting_file.h"
#include "platform/ini_file.h"

namespace lighting {
namespace {

constexpr uint8_t kReadPieceLength = 56;

// The first failure wins; later commands still run.
void Keep(int& result, int code) {
  if (result == device::kResultOk && code != device::kResultOk) result = code;
}

}  // namespace

LightingControl::LightingControl(device::DeviceLink& link, LightingState& state,
                                 std::string settingsFile, CustomColourHooks& hooks,
                                 const UserLightingFiles* userFiles)
    : link_(link),
      state_(state),
      settingsFile_(std::move(settingsFile)),
      hooks_(hooks),
      userFiles_(userFiles) {}

void LightingControl::SetEditedSlot(int slot) {
  state_.editedSlot = std::clamp(slot, 0, device::kProfileSlots - 1);
}

int LightingControl::Read() {
  state_.effectList.fill(0);
  state_.index.Clear();
  device::SettingsBlock block{};
  if (device::ReadSettingsBlock(link_, block) != device::kResultOk) return -1;
  std::copy_n(block.begin() + device::kSettingsEffectListByte, device::kEffectListSize,
              state_.effectList.begin());
  state_.index.Fill(state_.effectList);

  device::ConfigBegin(link_);
  // One reply buffer for all three pieces, as the keyboard's reads are
  // 56 bytes whatever the record size.
  std::array<uint8_t, 56> reply{};
  lastReadComplete_ = true;
  for (int slot = 0; slot < device::kProfileSlots; ++slot) {
    const auto offset = static_cast<uint16_t>(slot * device::kLightingRecordSize);
    if (device::ReadLightingArea(link_, reply, kReadPieceLength, offset) != device::kResultOk)
      lastReadComplete_ = false;
    std::copy_n(reply.begin(), device::kLightingRecordSize,
                state_.records[static_cast<std::size_t>(slot)].begin());
  }
  device::ConfigEnd(link_);

  DecodeRecord(state_.records[static_cast<std::size_t>(state_.editedSlot)], state_.fields);
  state_.lightingMode =
      !settingsFile_.empty() &&
      platform::ReadIniInt(settingsFile_, kLightingModeSection, kLightingModeKey, 0) == 1;
  return 0;
}

int LightingControl::WriteSequence(std::span<const Piece> pieces) {
  int result = device::kResultOk;
  Keep(result, device::ConfigBegin(link_));
  LightingRecord& record = state_.records[static_cast<std::size_t>(state_.editedSlot)];
  for (const Piece& piece : pieces) {
    Keep(result,
         device::WriteLightingArea(link_, piece.bytes, state_.AreaOffset(piece.recordOffset)));
    std::copy(piece.bytes.begin(), piece.bytes.end(), record.begin() + piece.recordOffset);
  }
  Keep(result, device::ConfigEnd(link_));
  return result;
}

int LightingControl::WriteByte(std::size_t recordOffset, uint8_t value) {
  const Piece piece{recordOffset, std::span<const uint8_t>(&value, 1)};
  return WriteSequence(std::span<const Piece>(&piece, 1));
}

int LightingControl::SelectEffect(int position) {
  const int id = state_.index.IdAt(position);
  // A position outside the list names no effect: nothing to select.
  if (id == 0) return device::kResultNoDevice;
  hooks_.ClearKeyPainting();
  int result = device::kResultOk;
  if (const auto row = FindEffect(id)) {
    const uint8_t effect = static_cast<uint8_t>(id);
    const uint8_t flag = state_.fields.multiColour ? 1 : 0;
    const Piece pieces[] = {{kEffectByte, std::span<const uint8_t>(&effect, 1)},
                            {kMultiColourByte, std::span<const uint8_t>(&flag, 1)}};
    result = WriteSequence(std::span<const Piece>(pieces, row->writesMultiColourOnSelect ? 2 : 1));
    if (row->customColours) hooks_.PaintKeysFromTable(state_.editedSlot);
  }
  state_.fields.effect = id;
  state_.previewRestart = false;
  return result;
}

int LightingControl::SetBrightness(int position) {
  position = std::clamp(position, 0, kMaxLevel);
  if (position == state_.fields.brightness) return device::kResultOk;
  state_.fields.brightness = position;
  return WriteByte(kBrightnessByte, static_cast<uint8_t>(position));
}

int LightingControl::SetSpeed(int position) {
  const int speed = kMaxLevel - std::clamp(position, 0, kMaxLevel);
  if (speed == state_.fields.speed) return device::kResultOk;
  state_.fields.speed = speed;
  return WriteByte(kSpeedByte, static_cast<uint8_t>(speed));
}

int LightingControl::SetDirection(bool first) {
  state_.fields.direction = first ? kFirstDirection : kSecondDirection;
  return WriteByte(kDirectionByte, state_.fields.direction);
}

int LightingControl::SetMainColour(Colour colour) {
  colour &= 0xFFFFFF;
  state_.fields.mainColour = colour;
  state_.fields.multiColour = false;
  const uint8_t off = 0;
  const uint8_t rgb[3] = {Red(colour), Green(colour), Blue(colour)};
  const Piece pieces[] = {{kMultiColourByte, std::span<const uint8_t>(&off, 1)},
                          {kMainColourByte, std::span<const uint8_t>(rgb)}};
  return WriteSequence(pieces);
}

int LightingControl::ToggleMultiColour() {
  state_.fields.multiColour = !state_.fields.multiColour;
  return WriteByte(kMultiColourByte, state_.fields.multiColour ? 1 : 0);
}

int LightingControl::SetColourChoice(int choice) {
  state_.fields.colourChoice = std::clamp(choice, 0, kMaxColourChoice);
  return WriteByte(kColourChoiceByte, static_cast<uint8_t>(state_.fields.colourChoice));
}

int LightingControl::SetReportRate(int index) {
  state_.fields.reportRate = std::clamp(index, 0, kMaxReportRate);
  return WriteByte(kReportRateByte, static_cast<uint8_t>(state_.fields.reportRate));
}

int LightingControl::WriteDefaultRecord() {
  const auto bytes = DefaultRecordBytes();
  const Piece piece{0, bytes};
  return WriteSequence(std::span<const Piece>(&piece, 1));
}

int LightingControl::RestoreDefaults() {
  int result = device::kResultOk;
  if (const int position = state_.index.PositionOf(1); position >= 0) {
    Keep(result, SelectEffect(position));
  } else {
    // The default record sets effect 1 anyway.
    state_.fields.effect = 1;
    state_.previewRestart = false;
  }
  LightingRecord defaults{};
  const auto bytes = DefaultRecordBytes();
  std::copy(bytes.begin(), bytes.end(), defaults.begin());
  DecodeRecord(defaults, state_.fields);
  if (state_.CustomEffectSupported()) {
    if (userFiles_ != nullptr) userFiles_->RestoreFromFactory(state_.editedSlot);
    hooks_.ReloadUserLayout(state_.editedSlot);
  }
  Keep(result, WriteDefaultRecord());
  return result;
}

bool LightingControl::StoreLightingMode(bool on) {
  state_.lightingMode = on;
  if (settingsFile_.empty()) return false;
  return platform::WriteIniText(settingsFile_, kLightingModeSection, kLightingModeKey,
                                on ? "1" : "0");
}

}  // namespace lighting
