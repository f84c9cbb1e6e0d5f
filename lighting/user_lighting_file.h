// The user lighting files: one INI file per profile slot in the profile
// folder ("UserDengColor_<slot>.userd") with ten named colour layouts, the
// layout in use, and per layout every key's colour and mark, the tool and
// the two brush colours. Every call opens the file by name; nothing is
// cached. A missing file, section or key gives the defaults: layout 0, name
// "0", keys red and marked, tool 0, both colours black.
#pragma once

#include <string>

#include "lighting/lighting_record.h"

namespace lighting {

inline constexpr int kUserLayouts = 10;
inline constexpr int kFactoryLightingNumber = 3;
inline constexpr Colour kDefaultKeyColour = 0x0000FF;  // red

struct KeyColourEntry {
  Colour colour = kDefaultKeyColour;
  bool marked = true;  // follows the base colour
};

struct LayoutTools {
  int tool = 0;            // 0 colour brush, 1 base-colour brush
  Colour baseColour = 0;   // "jcolor"
  Colour brushColour = 0;  // "color"
};

class UserLightingFiles {
 public:
  // `profileFolder` holds the user files; `programFolder` the factory file
  // under "Skins/".
  UserLightingFiles(std::string profileFolder, std::string programFolder);

  std::string UserFilePath(int slot) const;
  std::string FactoryFilePath() const;

  // 0..9; anything else in the file reads as 0.
  int ReadLayoutInUse(int slot) const;
  bool WriteLayoutInUse(int slot, int layout) const;
  std::string ReadLayoutName(int slot, int layout) const;
  // The name is cut to 259 characters.
  bool WriteLayoutName(int slot, int layout, const std::string& name) const;
  // `keyIndex` is the keyboard's per-key colour index.
  KeyColourEntry ReadKey(int slot, int layout, int keyIndex) const;
  bool WriteKey(int slot, int layout, int keyIndex, const KeyColourEntry& entry) const;
  LayoutTools ReadTools(int slot, int layout) const;
  // "tool", then "jcolor", then "color".
  bool WriteTools(int slot, int layout, const LayoutTools& tools) const;

  // Replaces the user file of `slot` with the factory file's text; without
  // a factory file the user file is left empty, so every value reads its
  // default. False when the user file could not be written.
  bool RestoreFromFactory(int slot) const;

 private:
  std::string profileFolder_;
  std::string programFolder_;
};

}  // namespace lighting
