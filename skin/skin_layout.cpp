#include "skin/skin_layout.h"

#include <cctype>
#include <cstdio>

#include "platform/file_io.h"
#include "platform/ini_file.h"

namespace skin {
namespace {

constexpr std::size_t kPathCharacters = 259;
constexpr std::size_t kValueCapacity = 2048;
constexpr std::size_t kRectangleCapacity = 260;

// One "%d": blanks, an optional sign, digits. False when there is no number.
bool ReadNumber(std::string_view text, std::size_t* at, int* value) {
  std::size_t i = *at;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t digits = i;
  long long number = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    // Far beyond any window: stop growing, keep reading the digits.
    if (number < 1000000000LL) number = number * 10 + (text[i] - '0');
    ++i;
  }
  if (i == digits) return false;
  if (number > 1000000000LL) number = 1000000000LL;
  *value = static_cast<int>(negative ? -number : number);
  *at = i;
  return true;
}

}  // namespace

CIniFile::CIniFile(std::string_view path)
    : path_(platform::CutToCharacters(path, kPathCharacters)) {}

std::optional<std::string> CIniFile::Read(std::string_view section, std::string_view key) const {
  std::string value = platform::ReadIniText(path_, section, key, "", kValueCapacity);
  if (value.empty()) return std::nullopt;
  return value;
}

bool CIniFile::Write(std::string_view section, std::string_view key, std::string_view value) const {
  return platform::WriteIniText(path_, section, key, value);
}

SkinRect ParseSkinRect(std::string_view text) {
  SkinRect rect;
  int* fields[] = {&rect.left, &rect.top, &rect.width, &rect.height};
  std::size_t at = 0;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      if (at >= text.size() || text[at] != ',') break;
      ++at;
    }
    if (!ReadNumber(text, &at, fields[i])) break;
  }
  return rect;
}

SkinRect ReadSkinRect(const std::string& skinFile, std::string_view section, std::string_view key) {
  return ParseSkinRect(
      platform::ReadIniText(skinFile, section, key, kDefaultRectangle, kRectangleCapacity));
}

ImageButtonPlacement PlaceImageButton(const std::string& skinFile, std::string_view section,
                                      std::string_view key) {
  ImageButtonPlacement placement;
  placement.rect = ReadSkinRect(skinFile, section, key);
  placement.originX = placement.rect.left;
  placement.originY = placement.rect.top;
  placement.enabled = !(placement.rect.left == 1 && placement.rect.top == 1);
  return placement;
}

ImageOriginPlacement PlaceWithImageOrigin(const std::string& skinFile, std::string_view section,
                                          std::string_view key, std::string_view originSection,
                                          std::string_view originKey) {
  ImageOriginPlacement placement;
  placement.rect = ReadSkinRect(skinFile, section, key);
  const SkinRect origin = ReadSkinRect(skinFile, originSection, originKey);
  placement.originX = origin.left;
  placement.originY = origin.top;
  return placement;
}

ScreenImages ReadScreen(const std::string& skinFile) {
  const CIniFile file(skinFile);
  ScreenImages screen;
  screen.background = file.Read(kScreenSection, "Main").value_or("");
  screen.mask = file.Read(kScreenSection, "Mask").value_or(screen.background);
  screen.link = file.Read(kScreenSection, "Link").value_or("");
  return screen;
}

std::string KeyButtonSkinKey(unsigned slot) {
  char key[16];
  std::snprintf(key, sizeof key, "KEY_%03X", slot);
  return key;
}

std::string GKeySkinKey(int number) {
  return "FUNC_G" + std::to_string(number);
}

std::string SkinFolderOf(const std::string& skinFile) {
  return platform::FolderOf(skinFile);
}

}  // namespace skin
