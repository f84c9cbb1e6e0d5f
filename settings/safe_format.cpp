#include "settings/safe_format.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/ini_file.h"

namespace settings {
namespace {

// Width and precision above this are taken as this: a text can't ask for a
// million spaces.
constexpr int kLargestField = 64;

struct Conversion {
  std::size_t length = 0;  // characters from the '%' to the conversion letter
  std::string flags;
  int width = -1;
  int precision = -1;
  char letter = 0;
};

int ReadNumber(std::string_view text, std::size_t* i) {
  int number = 0;
  while (*i < text.size() && text[*i] >= '0' && text[*i] <= '9') {
    number = std::min(number * 10 + (text[*i] - '0'), kLargestField);
    ++*i;
  }
  return number;
}

// Parses the conversion that starts at text[0] == '%'.
Conversion Parse(std::string_view text) {
  Conversion c;
  std::size_t i = 1;
  while (i < text.size() && std::strchr("-+ #0", text[i]) != nullptr) c.flags += text[i++];
  if (i < text.size() && text[i] >= '0' && text[i] <= '9') c.width = ReadNumber(text, &i);
  if (i < text.size() && text[i] == '.') {
    ++i;
    c.precision = ReadNumber(text, &i);
  }
  // Length modifiers change nothing here: the value has one known type.
  while (i < text.size() && std::strchr("hlLqjztI", text[i]) != nullptr) ++i;
  while (i < text.size() && (text[i] == '3' || text[i] == '6' || text[i] == '2' || text[i] == '4'))
    ++i;
  c.letter = i < text.size() ? text[i] : 0;
  c.length = i < text.size() ? i + 1 : i;
  return c;
}

std::size_t CharacterCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char ch) {
    return (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  }));
}

std::string FormatString(const Conversion& c, std::string_view value) {
  std::string text =
      c.precision >= 0 ? platform::CutToCharacters(value, c.precision) : std::string(value);
  const std::size_t count = CharacterCount(text);
  if (c.width > 0 && count < static_cast<std::size_t>(c.width)) {
    const std::string padding(static_cast<std::size_t>(c.width) - count, ' ');
    text = c.flags.find('-') != std::string::npos ? text + padding : padding + text;
  }
  return text;
}

std::string FormatInteger(const Conversion& c, int64_t value) {
  // Rebuilt from checked parts only, so the format handed on is ours.
  std::string pattern = "%" + c.flags;
  if (c.width >= 0) pattern += std::to_string(c.width);
  if (c.precision >= 0) pattern += "." + std::to_string(c.precision);
  pattern += "ll";
  pattern += c.letter;
  char buffer[160];
  if (c.letter == 'd' || c.letter == 'i')
    std::snprintf(buffer, sizeof buffer, pattern.c_str(), static_cast<long long>(value));
  else
    std::snprintf(buffer, sizeof buffer, pattern.c_str(), static_cast<unsigned long long>(value));
  return buffer;
}

template <typename Accepts, typename Substitute>
std::string Format(std::string_view format, Accepts accepts, Substitute substitute) {
  std::string out;
  bool substituted = false;
  for (std::size_t i = 0; i < format.size();) {
    if (format[i] != '%') {
      out += format[i++];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      i += 2;
      continue;
    }
    const Conversion c = Parse(format.substr(i));
    if (!substituted && accepts(c.letter)) {
      out += substitute(c);
      substituted = true;
    } else {
      out.append(format.substr(i, c.length));
    }
    i += std::max<std::size_t>(c.length, 1);
  }
  return out;
}

}  // namespace

std::string FormatWithInteger(std::string_view format, int64_t value) {
  return Format(
      format, [](char letter) { return letter != 0 && std::strchr("diuxXo", letter) != nullptr; },
      [value](const Conversion& c) { return FormatInteger(c, value); });
}

std::string FormatWithString(std::string_view format, std::string_view value) {
  return Format(
      format, [](char letter) { return letter == 's'; },
      [value](const Conversion& c) { return FormatString(c, value); });
}

}  // namespace settings
