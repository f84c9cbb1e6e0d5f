#include "model/key_description.h"

#include "model/key_name.h"
#include "model/key_table.h"
#include "platform/ini_file.h"
#include "platform/utf16.h"
#include "settings/language_table.h"

namespace model {
namespace {

constexpr std::size_t kNameCharacters = 259;

std::string Cut(const std::string& text) {
  return platform::CutToCharacters(text, kNameCharacters);
}

}  // namespace

std::string DescribeKey(KeyCode code, int gKeyNumber, const KeyAction& action,
                        const MacroList& macros) {
  std::string text = gKeyNumber > 0 ? "G" + std::to_string(gKeyNumber) : Cut(KeyName(code));
  if (action.type == kActionDefault) return text;
  text += settings::Text("KEY_PROMPT_SET");
  switch (action.type) {
    case kActionKey:
      text += settings::Text("KEY_PROMPT_SINGLE") +
              Cut(KeyName(static_cast<KeyCode>(action.value))) + ")";
      break;
    case kActionMacro: {
      text += settings::Text("KEY_PROMPT_MACRO");
      for (const MacroRecord& macro : macros) {
        if (macro.Id() == action.value) {
          text += Cut(platform::Utf16ToUtf8(macro.Name()));
          break;
        }
      }
      text += ")";
      break;
    }
    case kActionMedia:
      text += settings::Text("KEY_PROMPT_MEDIA");
      if (action.value < static_cast<uint32_t>(kMediaCount))
        text += Cut(KeyName(MediaTable()[action.value].code));
      text += ")";
      break;
    case kActionFunction:
      text += settings::Text("KEY_PROMPT_FUNCTION") +
              Cut(settings::Text("FUNC_KEY_DESC" + std::to_string(action.value + 1))) + ")";
      break;
    default:
      break;
  }
  return text;
}

}  // namespace model
