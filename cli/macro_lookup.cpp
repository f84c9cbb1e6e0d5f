#include "cli/macro_lookup.h"

#include <cstdlib>

#include "cli/key_identifiers.h"
#include "platform/utf16.h"

namespace cli {

std::string MacroName(const model::MacroRecord& macro) {
  return platform::Utf16ToUtf8(macro.Name());
}

int FindMacro(const model::MacroList& macros, std::string_view nameOrId, std::string* problem) {
  for (std::size_t i = 0; i < macros.size(); ++i)
    if (MacroName(macros[i]) == nameOrId) return static_cast<int>(i);
  int folded = -1;
  int foldedCount = 0;
  for (std::size_t i = 0; i < macros.size(); ++i) {
    if (FoldCase(MacroName(macros[i])) == FoldCase(nameOrId)) {
      folded = static_cast<int>(i);
      ++foldedCount;
    }
  }
  if (foldedCount == 1) return folded;
  const std::string text(nameOrId);
  char* end = nullptr;
  const long id = std::strtol(text.c_str(), &end, 10);
  if (!text.empty() && *end == '\0' && id >= 1 && id <= model::kMaxMacros) {
    for (std::size_t i = 0; i < macros.size(); ++i)
      if (macros[i].Id() == id) return static_cast<int>(i);
  }
  std::string message = "no macro is named or numbered '" + text + "'";
  if (foldedCount > 1) message = "more than one macro is named '" + text + "'; give its id";
  std::string close;
  for (const model::MacroRecord& macro : macros) {
    const std::string name = MacroName(macro);
    if (FoldCase(name).find(FoldCase(text)) != std::string::npos && !text.empty())
      close += (close.empty() ? "" : ", ") + name;
  }
  if (foldedCount <= 1 && !close.empty())
    message += "; did you mean " + close + "?";
  else if (foldedCount <= 1)
    message += "; 'quorvanectl macro list' shows them";
  if (problem != nullptr) *problem = message;
  return -1;
}

}  // namespace cli
