#include "lighting/lighting_record.h"

namespace lighting {
namespace {

Colour ColourAt(const LightingRecord& record, std::size_t offset) {
  return MakeColour(record[offset], record[offset + 1], record[offset + 2]);
}

}  // namespace

std::array<uint8_t, kDefaultRecordSize> DefaultRecordBytes() {
  // Effect 1, brightness 5, speed 3, second direction, multicolour on, white;
  // everything else (report rate, colour choice, trigger, colours 2 and 3) 0.
  std::array<uint8_t, kDefaultRecordSize> bytes{};
  bytes[kEffectByte] = 1;
  bytes[kBrightnessByte] = 5;
  bytes[kSpeedByte] = 3;
  bytes[kDirectionByte] = kSecondDirection;
  bytes[kMultiColourByte] = 0xFF;
  bytes[kMainColourByte] = 0xFF;
  bytes[kMainColourByte + 1] = 0xFF;
  bytes[kMainColourByte + 2] = 0xFF;
  return bytes;
}

void DecodeRecord(const LightingRecord& record, LightingFields& fields) {
  fields.effect = record[kEffectByte];
  fields.brightness = record[kBrightnessByte];
  fields.speed = record[kSpeedByte];
  fields.direction = record[kDirectionByte];
  fields.mainColour = ColourAt(record, kMainColourByte);
  fields.multiColour = record[kMultiColourByte] != 0;
  fields.reportRate =
      record[kReportRateByte] > kMaxReportRate ? kMaxReportRate : record[kReportRateByte];
  fields.colourChoice = record[kColourChoiceByte];
  if (record[kTriggerModeByte] <= 1) fields.triggerMode = record[kTriggerModeByte];
  fields.secondColour = ColourAt(record, kSecondColourByte);
  fields.secondMultiColour = record[kSecondMultiColourByte] != 0;
  fields.thirdColour = ColourAt(record, kThirdColourByte);
  fields.thirdMultiColour = record[kThirdMultiColourByte] != 0;
}

}  // namespace lighting
