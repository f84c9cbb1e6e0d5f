// LightingRecord: one profile's 42 bytes in the keyboard's lighting area,
// at area offset slot × 42. Colours are stored R, G, B; in memory a colour
// is a 24-bit value with R in the low byte (0x00BBGGRR).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "device/keyboard_commands.h"

namespace lighting {

using LightingRecord = std::array<uint8_t, device::kLightingRecordSize>;
using Colour = uint32_t;

inline constexpr std::size_t kEffectByte = 0;
inline constexpr std::size_t kBrightnessByte = 1;
inline constexpr std::size_t kSpeedByte = 2;
inline constexpr std::size_t kDirectionByte = 3;
inline constexpr std::size_t kMultiColourByte = 4;
inline constexpr std::size_t kMainColourByte = 5;
inline constexpr std::size_t kReportRateByte = 15;
inline constexpr std::size_t kColourChoiceByte = 17;
inline constexpr std::size_t kTriggerModeByte = 19;
inline constexpr std::size_t kSecondColourByte = 25;
inline constexpr std::size_t kSecondMultiColourByte = 28;
inline constexpr std::size_t kThirdColourByte = 30;
inline constexpr std::size_t kThirdMultiColourByte = 33;

inline constexpr int kMaxLevel = 5;  // brightness and speed run 0..5
inline constexpr int kMaxReportRate = 3;
inline constexpr int kMaxColourChoice = 3;
inline constexpr uint8_t kFirstDirection = 0xFF;
inline constexpr uint8_t kSecondDirection = 0x00;
inline constexpr Colour kWhite = 0xFFFFFF;

// The default record as written: bytes 0..34; 35..41 stay the keyboard's.
inline constexpr std::size_t kDefaultRecordSize = 35;
std::array<uint8_t, kDefaultRecordSize> DefaultRecordBytes();

inline constexpr uint8_t Red(Colour c) {
  return static_cast<uint8_t>(c & 0xFF);
}
inline constexpr uint8_t Green(Colour c) {
  return static_cast<uint8_t>((c >> 8) & 0xFF);
}
inline constexpr uint8_t Blue(Colour c) {
  return static_cast<uint8_t>((c >> 16) & 0xFF);
}
inline constexpr Colour MakeColour(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

// What the program reads out of a record.
struct LightingFields {
  int effect = 0;
  int brightness = 0;
  int speed = 0;  // as the keyboard counts it; the slider shows 5 - speed
  uint8_t direction = 0;
  bool multiColour = false;
  Colour mainColour = 0;
  int reportRate = 0;  // 0..3
  int colourChoice = 0;
  int triggerMode = 0;
  Colour secondColour = 0;
  bool secondMultiColour = false;
  Colour thirdColour = 0;
  bool thirdMultiColour = false;
};

// Decodes `record` over `fields`; a trigger-mode byte other than 0 or 1
// keeps the trigger mode `fields` already holds.
void DecodeRecord(const LightingRecord& record, LightingFields& fields);

// 0xFF is the first direction, anything else the second.
inline constexpr bool IsFirstDirection(uint8_t direction) {
  return direction == kFirstDirection;
}

}  // namespace lighting
