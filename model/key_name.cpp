#include "model/key_name.h"

#include <cstring>
#include <string_view>

#include "model/key_table.h"
#include "settings/language_table.h"
#include "settings/safe_format.h"

namespace model {
namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The bytes of the sequence a lead byte starts; 1 for ASCII and for bytes
// that start no valid sequence.
std::size_t SequenceLength(char lead) {
  const auto b = static_cast<unsigned char>(lead);
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 1;
}

// The longest prefix of at most `limit` bytes that ends on a character
// boundary. Text that is not UTF-8 there is cut at the limit.
std::size_t CutPoint(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return text.size();
  if (!IsContinuationByte(text[limit])) return limit;
  std::size_t lead = limit;
  while (lead > 0 && limit - lead < 3 && IsContinuationByte(text[lead])) --lead;
  if (IsContinuationByte(text[lead])) return limit;
  return lead + SequenceLength(text[lead]) > limit ? lead : limit;
}

std::string NameOf(KeyCode code) {
  const int language = settings::LanguageIndex();
  if (const char* key = KeyRowOfCode(code).languageKey; key != nullptr) {
    std::string name = settings::LookupText(key, language);
    if (!name.empty()) return name;
  }
  return settings::FormatWithInteger(settings::LookupText("UNKNOWN_KEY", language), code);
}

}  // namespace

void KeyName(KeyCode code, char* buffer, std::size_t capacity) {
  if (buffer == nullptr || capacity == 0) return;
  const std::string name = NameOf(code);
  const std::size_t length = CutPoint(name, capacity - 1);
  std::memcpy(buffer, name.data(), length);
  buffer[length] = '\0';
}

std::string KeyName(KeyCode code) {
  char buffer[kKeyNameCapacity];
  KeyName(code, buffer, sizeof buffer);
  return buffer;
}

std::string ListPosName(KeyListPos pos) {
  const KeyCode code = CodeOfListPos(pos);
  if (code == kNoKey) return {};
  const char* key = KeyRowOfCode(code).languageKey;
  if (key == nullptr) return {};
  return settings::LookupText(key, settings::LanguageIndex());
}

}  // namespace model
