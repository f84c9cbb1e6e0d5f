// Arbitrary bytes as an INI file: parsing, lookups and an edit must never go
// wrong, and a value written must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  platform::IniDocument document = platform::IniDocument::Parse(text);
  (void)document.Find("TEXT", "UNKNOWN_KEY");
  (void)document.Keys("MODE");
  (void)platform::CutToCharacters(text, size % 300);

  // The last bytes choose what to write.
  const std::size_t split = size / 2;
  const std::string key(text.substr(split, std::min<std::size_t>(8, size - split)));
  const std::string value(text.substr(0, std::min<std::size_t>(split, 40)));
  if (document.Set("Section", key, value)) {
    // The key just written is found again, whatever the rest of the file holds.
    if (!platform::IniDocument::Parse(document.Text()).Find("Section", key)) std::abort();
  }
  return 0;
}
