#include "lighting/user_lighting_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/file_io.h"
#include "platform/ini_file.h"

namespace lighting {
namespace {

constexpr const char* kFilePrefix = "UserDengColor_";
constexpr const char* kFileSuffix = ".userd";
constexpr const char* kLayoutInUseSection = "PRESENTMODE";
constexpr const char* kLayoutInUseKey = "mode";
constexpr const char* kNamesSection = "MODENAME";
constexpr const char* kToolKey = "tool";
constexpr const char* kBaseColourKey = "jcolor";
constexpr const char* kBrushColourKey = "color";

std::string LayoutSection(int layout) {
  return "Mode" + std::to_string(layout);
}

// Up to `count` comma-separated decimal numbers; the ones that are missing
// or not numbers keep what `values` holds.
void ParseNumbers(const std::string& text, int* values, int count) {
  const char* at = text.c_str();
  for (int i = 0; i < count; ++i) {
    char* end = nullptr;
    const long value = std::strtol(at, &end, 10);
    if (end == at) return;
    values[i] = static_cast<int>(std::clamp<long>(value, -1000000, 1000000));
    at = end;
    while (*at == ' ' || *at == '\t') ++at;
    if (*at != ',') return;
    ++at;
  }
}

// Components outside 0..255 are clamped rather than spilling into the
// neighbouring channel.
Colour ColourOf(const int* rgb) {
  auto channel = [](int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); };
  return MakeColour(channel(rgb[0]), channel(rgb[1]), channel(rgb[2]));
}

std::string ColourText(Colour colour) {
  char text[32];
  std::snprintf(text, sizeof text, "%d,%d,%d", Red(colour), Green(colour), Blue(colour));
  return text;
}

Colour ReadColour(const std::string& path, const std::string& section, const char* key) {
  int rgb[3] = {0, 0, 0};
  ParseNumbers(platform::ReadIniText(path, section, key, "0,0,0"), rgb, 3);
  return ColourOf(rgb);
}

}  // namespace

UserLightingFiles::UserLightingFiles(std::string profileFolder, std::string programFolder)
    : profileFolder_(std::move(profileFolder)), programFolder_(std::move(programFolder)) {}

std::string UserLightingFiles::UserFilePath(int slot) const {
  return profileFolder_ + "/" + kFilePrefix + std::to_string(slot) + kFileSuffix;
}

std::string UserLightingFiles::FactoryFilePath() const {
  return programFolder_ + "/Skins/" + kFilePrefix + std::to_string(kFactoryLightingNumber) +
         kFileSuffix;
}

int UserLightingFiles::ReadLayoutInUse(int slot) const {
  const int layout =
      platform::ReadIniInt(UserFilePath(slot), kLayoutInUseSection, kLayoutInUseKey, 0);
  return layout >= 0 && layout < kUserLayouts ? layout : 0;
}

bool UserLightingFiles::WriteLayoutInUse(int slot, int layout) const {
  return platform::WriteIniText(UserFilePath(slot), kLayoutInUseSection, kLayoutInUseKey,
                                std::to_string(layout));
}

std::string UserLightingFiles::ReadLayoutName(int slot, int layout) const {
  return platform::ReadIniText(UserFilePath(slot), kNamesSection, std::to_string(layout), "0");
}

bool UserLightingFiles::WriteLayoutName(int slot, int layout, const std::string& name) const {
  return platform::WriteIniText(UserFilePath(slot), kNamesSection, std::to_string(layout),
                                platform::CutToCharacters(name, platform::kIniValueCapacity - 1));
}

KeyColourEntry UserLightingFiles::ReadKey(int slot, int layout, int keyIndex) const {
  int values[4] = {255, 0, 0, 1};
  ParseNumbers(platform::ReadIniText(UserFilePath(slot), LayoutSection(layout),
                                     std::to_string(keyIndex), "255,0,0,1"),
               values, 4);
  return {ColourOf(values), values[3] != 0};
}

bool UserLightingFiles::WriteKey(int slot, int layout, int keyIndex,
                                 const KeyColourEntry& entry) const {
  return platform::WriteIniText(UserFilePath(slot), LayoutSection(layout), std::to_string(keyIndex),
                                ColourText(entry.colour) + (entry.marked ? ",1" : ",0"));
}

LayoutTools UserLightingFiles::ReadTools(int slot, int layout) const {
  const std::string path = UserFilePath(slot);
  const std::string section = LayoutSection(layout);
  LayoutTools tools;
  tools.tool = platform::ReadIniInt(path, section, kToolKey, 0);
  tools.baseColour = ReadColour(path, section, kBaseColourKey);
  tools.brushColour = ReadColour(path, section, kBrushColourKey);
  return tools;
}

bool UserLightingFiles::WriteTools(int slot, int layout, const LayoutTools& tools) const {
  const std::string path = UserFilePath(slot);
  const std::string section = LayoutSection(layout);
  bool ok = platform::WriteIniText(path, section, kToolKey, std::to_string(tools.tool));
  ok = platform::WriteIniText(path, section, kBaseColourKey, ColourText(tools.baseColour)) && ok;
  ok = platform::WriteIniText(path, section, kBrushColourKey, ColourText(tools.brushColour)) && ok;
  return ok;
}

bool UserLightingFiles::RestoreFromFactory(int slot) const {
  std::string content;
  if (platform::ReadWholeFile(FactoryFilePath(), &content) != platform::ReadStatus::kOk)
    content.clear();
  return platform::ReplaceFileAtomically(UserFilePath(slot), content);
}

}  // namespace lighting
