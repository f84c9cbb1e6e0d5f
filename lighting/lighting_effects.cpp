#include "lighting/lighting_effects.h"

#include <array>

#include "lighting/lighting_record.h"
#include "settings/language_table.h"

namespace lighting {
namespace {

constexpr DirectionKind kNoDirection = DirectionKind::kNone;
constexpr DirectionKind kLeftRight = DirectionKind::kLeftRight;
constexpr DirectionKind kUpDown = DirectionKind::kUpDown;
constexpr DirectionKind kSpreadConverge = DirectionKind::kSpreadConverge;
constexpr ColourButton kNoColour = ColourButton::kNone;
constexpr ColourButton kA = ColourButton::kA;
constexpr ColourButton kB = ColourButton::kB;

constexpr std::array<EffectRow, 19> kEffects = {{
    {1, true, kLeftRight, kA, false, false, true},
    {2, true, kLeftRight, kA, false, false, true},
    {3, true, kLeftRight, kA, false, false, true},
    {4, true, kNoDirection, kNoColour, false, false, false},
    {5, true, kNoDirection, kA, false, false, true},
    {6, false, kNoDirection, kB, false, false, false},
    {7, true, kNoDirection, kA, false, false, true},
    {8, true, kNoDirection, kA, false, false, true},
    {9, true, kNoDirection, kA, false, false, true},
    {10, true, kNoDirection, kA, false, false, false},
    {11, true, kNoDirection, kNoColour, false, false, false},
    {12, true, kUpDown, kNoColour, false, false, false},
    {13, true, kNoDirection, kA, false, false, true},
    {14, true, kNoDirection, kA, false, false, true},
    {15, true, kNoDirection, kA, false, false, true},
    {16, false, kNoDirection, kB, false, false, false},
    {17, false, kNoDirection, kNoColour, true, false, false},
    {18, false, kSpreadConverge, kNoColour, false, false, false},
    {kCustomEffect, false, kNoDirection, kNoColour, false, true, false},
}};

}  // namespace

std::optional<EffectRow> FindEffect(int id) {
  for (const EffectRow& row : kEffects)
    if (row.id == id) return row;
  return std::nullopt;
}

PanelGroups PanelGroupsFor(int effect, bool lightingMode) {
  PanelGroups groups;
  if (!lightingMode) return groups;
  groups.effectList = true;
  groups.brightness = true;
  if (const auto row = FindEffect(effect)) {
    groups.speed = row->speed;
    groups.direction = row->direction != DirectionKind::kNone;
    groups.colourA = row->colour == ColourButton::kA;
    groups.colourB = row->colour == ColourButton::kB;
    groups.colourChoice = row->colourChoice;
    groups.customColours = row->customColours;
  }
  return groups;
}

std::string EffectName(int id, int languageIndex) {
  return settings::LookupMode(std::to_string(id), languageIndex);
}

DirectionPictures DirectionPicturesFor(int effect, unsigned char direction) {
  const bool first = IsFirstDirection(direction);
  if (effect == 12) {
    return {first ? "updown.bmp" : "upup.bmp", first ? "downup.bmp" : "downdown.bmp",
            "CONTROL_BLFXStatic3", "CONTROL_BLFXLStaPic3", "CONTROL_BLFXRStaPic3"};
  }
  if (effect == 18) {
    return {first ? "kuosandown.bmp" : "kuosan.bmp", first ? "julong.bmp" : "julongdown.bmp",
            "CONTROL_BLFXStatic", "CONTROL_BLFXLStaPic", "CONTROL_BLFXRStaPic"};
  }
  const bool leftRight = effect >= 1 && effect <= 3;
  return {first ? "leftdown.bmp" : "leftup.bmp", first ? "rightup.bmp" : "rightdown.bmp",
          leftRight ? "CONTROL_BLFXStatic2" : "CONTROL_BLFXStatic",
          leftRight ? "CONTROL_BLFXLStaPic2" : "CONTROL_BLFXLStaPic",
          leftRight ? "CONTROL_BLFXRStaPic2" : "CONTROL_BLFXRStaPic"};
}

}  // namespace lighting
