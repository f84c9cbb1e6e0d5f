// Skin layout files: one INI file per window under "Skins/" beside the
// program, naming the window's background and mask images (section
// "SCREEN") and every control's rectangle (section "BUTTONINFO", written
// "left,top,width,height"). The readers here are plain C++; the Qt windows
// apply what they return.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace skin {

inline constexpr const char* kMainSkin = "Skins/Main.ini";
inline constexpr const char* kProfileSkin = "Skins/Profile.ini";
inline constexpr const char* kCompositeSkin = "Skins/Composite.ini";
inline constexpr const char* kUpdateSkin = "Skins/UpdateDlg.ini";
inline constexpr const char* kButtonSection = "BUTTONINFO";
inline constexpr const char* kButtonSection2 = "BUTTONINFO2";
inline constexpr const char* kScreenSection = "SCREEN";
// What a missing key reads as: a 1 × 1 rectangle at (1, 1).
inline constexpr const char* kDefaultRectangle = "1,1,1,1,x";

// The value reader of a skin file: one path (at most 259 characters), values
// read into a 2048-character buffer, nothing for an empty or missing value.
class CIniFile {
 public:
  explicit CIniFile(std::string_view path);
  const std::string& path() const { return path_; }
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;
  bool Write(std::string_view section, std::string_view key, std::string_view value) const;

 private:
  std::string path_;
};

struct SkinRect {
  int left = 1;
  int top = 1;
  int width = 1;
  int height = 1;
  bool operator==(const SkinRect&) const = default;
};

// Reads "left,top,width,height" the way "%d,%d,%d,%d" does: each number may
// have leading blanks and a sign, the numbers are separated by commas, and
// anything after the fourth is ignored. Reading stops at the first field
// that is not a number; that field and the ones after it keep the default
// rectangle's value 1. So "10,20" is (10, 20, 1, 1), "abc" is (1, 1, 1, 1)
// and "10,x,30,40" is (10, 1, 1, 1).
SkinRect ParseSkinRect(std::string_view text);

// A control's rectangle from a skin file; the default rectangle when the
// file or the key is missing.
SkinRect ReadSkinRect(const std::string& skinFile, std::string_view section, std::string_view key);

// Where an image button goes and what it shows: its rectangle, the origin
// of its picture in the full-window state images (its own left and top),
// and whether it is usable: a button left at (1, 1) is disabled.
struct ImageButtonPlacement {
  SkinRect rect;
  int originX = 1;
  int originY = 1;
  bool enabled = false;
};
ImageButtonPlacement PlaceImageButton(const std::string& skinFile, std::string_view section,
                                      std::string_view key);

// A control placed at the rectangle of one key and showing the picture at
// the left and top of another.
struct ImageOriginPlacement {
  SkinRect rect;
  int originX = 1;
  int originY = 1;
};
ImageOriginPlacement PlaceWithImageOrigin(const std::string& skinFile, std::string_view section,
                                          std::string_view key, std::string_view originSection,
                                          std::string_view originKey);

// A window's background and mask (the mask defaults to the background),
// both relative to the skin file's folder, and the brand link of the main
// window (empty when the file has none).
struct ScreenImages {
  std::string background;
  std::string mask;
  std::string link;
};
ScreenImages ReadScreen(const std::string& skinFile);

// The layout keys of the on-screen keyboard: a key button by its key-table
// slot ("KEY_%03X"), a G key by its number 1..9 ("FUNC_G%d").
std::string KeyButtonSkinKey(unsigned slot);
std::string GKeySkinKey(int number);

// The folder of a skin file, where its images are found.
std::string SkinFolderOf(const std::string& skinFile);

}  // namespace skin
