#include "service/sim_device_file.h"

#include <algorithm>

#include "service/sim_endpoint_layout.h"

namespace corvial {
namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsSpace(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsSpace(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::optional<uint16_t> ParseHex16(std::string_view word) {
  if (word.empty() || word.size() > 4) return std::nullopt;
  uint16_t value = 0;
  for (char c : word) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = static_cast<uint16_t>((value << 4) | digit);
  }
  return value;
}

// The name becomes part of a socket path: it must stay inside the folder.
bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name.size() > kMaxSimInterfaceNameLength) return false;
  if (name.front() == '.' || name == simlayout::kDeviceFile) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return c != '/' && static_cast<unsigned char>(c) > 0x20 && c != 0x7F;
  });
}

}  // namespace

std::optional<SimDeviceDescription> ParseSimDeviceFile(std::string_view text) {
  if (text.size() > kMaxSimDeviceFileSize) return std::nullopt;
  if (text.find('\0') != std::string_view::npos) return std::nullopt;

  SimDeviceDescription description;
  bool haveVendor = false;
  bool haveProduct = false;
  std::size_t lineStart = 0;
  while (lineStart <= text.size()) {
    std::size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    const std::vector<std::string_view> words =
        SplitWords(text.substr(lineStart, lineEnd - lineStart));
    lineStart = lineEnd + 1;
    if (words.empty()) continue;

    if (words[0] == "vendor" || words[0] == "product") {
      bool& seen = words[0] == "vendor" ? haveVendor : haveProduct;
      if (seen || words.size() != 2) return std::nullopt;
      const std::optional<uint16_t> id = ParseHex16(words[1]);
      if (!id) return std::nullopt;
      (words[0] == "vendor" ? description.vendor : description.product) = *id;
      seen = true;
    } else if (words[0] == "interface") {
      if (words.size() != 4 || !IsPlainFileName(words[1])) return std::nullopt;
      const std::optional<uint16_t> usagePage = ParseHex16(words[2]);
      const std::optional<uint16_t> usage = ParseHex16(words[3]);
      if (!usagePage || !usage) return std::nullopt;
      if (description.interfaces.size() == kMaxSimInterfaces) return std::nullopt;
      for (const SimInterfaceEntry& existing : description.interfaces) {
        if (existing.file == words[1]) return std::nullopt;
      }
      description.interfaces.push_back({std::string(words[1]), *usagePage, *usage});
    }
  }
  if (!haveVendor || !haveProduct || description.interfaces.empty()) return std::nullopt;
  return description;
}

}  // namespace corvial
