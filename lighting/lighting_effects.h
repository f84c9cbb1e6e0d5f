// The effects this keyboard knows and which parameter groups the lighting
// panel shows for each; ids without a row (19, above 20) have no parameters
// and selecting them writes nothing.
#pragma once

#include <optional>
#include <string>

namespace lighting {

inline constexpr int kCustomEffect = 20;

// Which pair of pictures the two direction controls show.
enum class DirectionKind { kNone, kLeftRight, kUpDown, kSpreadConverge };

// The two colour buttons edit the same bytes; they differ in placement.
enum class ColourButton { kNone, kA, kB };

struct EffectRow {
  int id = 0;
  bool speed = false;
  DirectionKind direction = DirectionKind::kNone;
  ColourButton colour = ColourButton::kNone;  // with its multicolour toggle
  bool colourChoice = false;                  // red / yellow / green / blue
  bool customColours = false;                 // per-key colour tools
  bool writesMultiColourOnSelect = false;     // offset 4 follows offset 0
};

// The row of effect `id`; none for an id without parameters.
std::optional<EffectRow> FindEffect(int id);

// The parameter groups of the lighting panel that are visible.
struct PanelGroups {
  bool effectList = false;
  bool brightness = false;
  bool speed = false;
  bool direction = false;
  bool colourA = false;  // colour button A with its multicolour toggle
  bool colourB = false;
  bool colourChoice = false;
  bool customColours = false;
  bool reportRate = true;  // shown in either lighting mode
};
// With lighting mode off only the report rate (and the switch) stays; an
// effect without parameters shows the effect list and brightness only.
PanelGroups PanelGroupsFor(int effect, bool lightingMode);

// The effect's name in the language `languageIndex` (section "MODE").
std::string EffectName(int id, int languageIndex);

// Pictures and layout keys of the direction controls for an effect and a
// direction byte: the first and second picture, the "down" one marking the
// chosen direction.
struct DirectionPictures {
  const char* first;
  const char* second;
  const char* captionKey;
  const char* firstKey;
  const char* secondKey;
};
DirectionPictures DirectionPicturesFor(int effect, unsigned char direction);

}  // namespace lighting
