// The keyboard's firmware as a pure model: it takes the reports the host
// sends and answers the way the keyboard does. No I/O and no threads, so the
// same class runs behind the simulator's sockets and inside unit tests;
// callers serialise access.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sim/default_matrix.h"
#include "sim/report_packet.h"

namespace sim {

inline constexpr int kProfiles = 3;
inline constexpr size_t kSettingsSize = 44;
inline constexpr size_t kSettingsCarriedSize = 8;  // bytes 0..7
inline constexpr size_t kFirmwareOffset = 8;       // u16 LE
inline constexpr size_t kActiveProfileOffset = 10;
inline constexpr size_t kMacroUnitsOffset = 11;
inline constexpr size_t kEffectListOffset = 12;
inline constexpr size_t kEffectListSize = 32;
inline constexpr size_t kKeyMapSpaceSize = kKeyMapBlockSize * kProfiles;  // 1134
inline constexpr size_t kMacroUnitSize = 128;
inline constexpr size_t kMacroHeaderSize = 16;
inline constexpr uint16_t kMacroMarker = 0x55AA;
inline constexpr size_t kLightingRecordSize = 42;
inline constexpr size_t kLightingSize = kLightingRecordSize * kProfiles;  // 126
inline constexpr size_t kKeyCount = 126;
inline constexpr size_t kKeyColoursSize = kKeyCount * 3;  // 378
inline constexpr size_t kKeyColourStride = 512;

inline constexpr uint16_t kDefaultFirmware = 0x0108;
inline constexpr uint8_t kDefaultMacroUnits = 32;

// Events the keyboard raises on its consumer interface.
inline constexpr uint16_t kEventBankKey = 0x02FF;
inline constexpr uint16_t kEventLightingChanged = 0x0401;
inline constexpr uint16_t kEventActivityOn = 0x1811;
inline constexpr uint16_t kEventActivityOff = 0x1810;

struct KeyboardOptions {
  uint16_t firmware = kDefaultFirmware;
  uint8_t macroUnits = kDefaultMacroUnits;  // capacity = macroUnits * 128 bytes, 1..255
  std::vector<uint8_t> effects;             // empty = the default list 1..18, 20
};

// Faults to inject, consulted in this order by every configuration report.
struct Faults {
  int unplugAfterReports = -1;  // the report that counts this to 0 is lost and unplugs
  int errorStatusReplies = 0;   // next N requests refused with errorStatus
  uint8_t errorStatus = kStatusRejected;
  int dropReplies = 0;          // next N requests carried out, reply lost
  int wrongCommandReplies = 0;  // next N replies carry another command number
  int latencyUs = 0;            // every reply delayed by this much
};

struct ConfigResponse {
  std::vector<uint8_t> reply;  // the 64-byte reply, or empty when none is sent
  int delayUs = 0;             // wait this long before sending the reply
  bool unplug = false;         // disconnect after this report
  bool changed = false;        // the keyboard's stored state changed (persist it)
  bool bootMode = false;       // the keyboard entered its boot loader (disconnect)
};

class SimKeyboard {
 public:
  explicit SimKeyboard(const KeyboardOptions& options = {});

  ConfigResponse HandleConfigReport(const uint8_t* data, size_t size);
  void HandleIndicatorReport(const uint8_t* data, size_t size);
  static std::vector<uint8_t> ConsumerReport(uint16_t code);

  Faults& faults() { return faults_; }
  const Faults& faults() const { return faults_; }
  bool InBootMode() const { return bootMode_; }
  void LeaveBootMode() { bootMode_ = false; }
  // Open between ConfigBegin and ConfigEnd.
  bool ConfigOpen() const { return configOpen_; }

  const std::array<uint8_t, kSettingsSize>& Settings() const { return settings_; }
  std::span<const uint8_t> KeyMap(int slot) const;
  std::span<const uint8_t> DefaultMatrix() const { return FactoryDefaultMatrix(); }
  std::span<const uint8_t> MacroArea() const { return macro_; }
  std::span<const uint8_t> Lighting() const { return lighting_; }
  std::span<const uint8_t> KeyColours(int slot) const;
  const std::vector<uint8_t>& Indicator() const { return indicator_; }

  uint16_t Firmware() const;
  uint8_t ActiveProfile() const { return settings_[kActiveProfileOffset]; }
  uint8_t MacroUnits() const { return settings_[kMacroUnitsOffset]; }
  // The options this state was built with, for overriding some of them.
  KeyboardOptions CurrentOptions() const;

  std::string DumpJson() const;  // one line
  std::string SaveText() const;
  // Takes every valid field of `text` and factory content for the rest;
  // `error` (may be null) receives one line per problem and stays empty for
  // a clean file. nullopt when the text holds no state field at all.
  static std::optional<SimKeyboard> LoadText(std::string_view text, std::string* error);
  // Firmware version, macro capacity (the area keeps its first bytes) and
  // effect list.
  void ApplyOptions(const KeyboardOptions& options);

 private:
  struct Outcome {
    uint8_t status = kStatusOk;
    std::array<uint8_t, kMaxData> data{};
    bool changed = false;
  };

  Outcome Execute(std::span<const uint8_t> request);
  Outcome ExecuteCommand(uint8_t command, size_t length, size_t offset,
                         std::span<const uint8_t> payload);
  size_t MacroCapacity() const { return macro_.size(); }

  std::array<uint8_t, kSettingsSize> settings_{};
  std::array<uint8_t, kKeyMapSpaceSize> keyMaps_{};
  std::vector<uint8_t> macro_;
  std::array<uint8_t, kLightingSize> lighting_{};
  std::array<std::array<uint8_t, kKeyColoursSize>, kProfiles> colours_{};
  std::vector<uint8_t> indicator_;
  Faults faults_;
  bool bootMode_ = false;
  bool configOpen_ = false;
  int lastCommand_ = -1;
};

}  // namespace sim
