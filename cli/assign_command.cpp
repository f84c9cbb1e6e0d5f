// quorvanectl assign KEY ACTION [--profile N]: gives a key another function,
// written as the key assignment dialog's Apply writes it and sent to the
// keyboard as the main window's Apply sends it.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>

#include "cli/apply_changes.h"
#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/key_identifiers.h"
#include "cli/macro_lookup.h"
#include "model/key_assignment.h"
#include "model/key_description.h"
#include "model/key_map.h"
#include "model/key_name.h"
#include "model/key_table.h"
#include "settings/language_table.h"

namespace cli {
namespace {

constexpr const char* kUsage =
    "usage: quorvanectl assign KEY ACTION [--profile N]\n"
    "       quorvanectl assign --list\n"
    "Gives KEY a new function in profile N (default: the active profile) and\n"
    "writes it to the keyboard at once. KEY is a key's identifier (A, F1, Esc,\n"
    "LeftCtrl, NumEnter, G1..G18, ...) or its name as 'quorvanectl keys' shows\n"
    "it; case does not matter. ACTION is one of:\n"
    "  key:NAME          send another key, a modifier, MouseLeft, MouseRight,\n"
    "                    MouseMiddle, WheelUp or WheelDown\n"
    "  media:NAME        a multimedia function, e.g. media:VolumeUp\n"
    "  function:N        keyboard function N (1..11)\n"
    "  macro:NAME-or-ID  play a macro (see 'quorvanectl macro list')\n"
    "  disabled          do nothing\n"
    "  default           the key's own function\n"
    "--list prints every name KEY and ACTION accept.\n";

constexpr const char* kListHint = "'quorvanectl assign --list' shows the names";

// ACTION split into its kind and its argument; the kind folded to lower case.
struct ActionText {
  std::string kind;
  std::string argument;
};

bool SplitAction(const std::string& text, ActionText* action) {
  const auto colon = text.find(':');
  action->kind = FoldCase(text.substr(0, colon));
  action->argument = colon == std::string::npos ? "" : text.substr(colon + 1);
  if (action->kind == "default" || action->kind == "disabled") return colon == std::string::npos;
  return colon != std::string::npos && !action->argument.empty() &&
         (action->kind == "key" || action->kind == "media" || action->kind == "function" ||
          action->kind == "macro");
}

// function:N takes 1..11, or the function's text in the current language.
int FunctionNumber(const std::string& argument) {
  char* end = nullptr;
  const long number = std::strtol(argument.c_str(), &end, 10);
  if (end != argument.c_str() && *end == '\0')
    return number >= 1 && number <= model::kKeyboardFunctionCount ? static_cast<int>(number) : 0;
  for (int n = 1; n <= model::kKeyboardFunctionCount; ++n)
    if (FoldCase(settings::Text("FUNC_KEY_DESC" + std::to_string(n))) == FoldCase(argument))
      return n;
  return 0;
}

bool KeyboardHasKey(const model::KeyMapBlock& factory, model::KeyCode code) {
  for (int k = 0; k < model::kMapEntries; ++k)
    if (model::CodeOfEntry(model::EntryAt(factory, k)) == code) return true;
  return false;
}

void PrintList() {
  std::printf("Keys (KEY, and key:NAME):\n");
  for (const KeyIdentifier& key : KeyIdentifiers())
    if (key.kind == KeyKind::kKey)
      std::printf("  %-14s %s\n", key.id, model::KeyName(key.code).c_str());
  std::printf("  G1 .. G18      the G keys (KEY only)\n");
  std::printf("Mouse (key:NAME):\n");
  for (const KeyIdentifier& key : KeyIdentifiers())
    if (key.kind == KeyKind::kMouse)
      std::printf("  %-14s %s\n", key.id, model::KeyName(key.code).c_str());
  std::printf("Multimedia (media:NAME):\n");
  for (const KeyIdentifier& key : KeyIdentifiers())
    if (key.kind == KeyKind::kMedia)
      std::printf("  %-14s %s\n", key.id, model::KeyName(key.code).c_str());
  std::printf("Keyboard functions (function:N):\n");
  for (int n = 1; n <= model::kKeyboardFunctionCount; ++n)
    std::printf("  %-14d %s\n", n, settings::Text("FUNC_KEY_DESC" + std::to_string(n)).c_str());
  std::printf("In macros only:\n");
  for (const KeyIdentifier& key : KeyIdentifiers())
    if (key.kind == KeyKind::kSystem)
      std::printf("  %-14s %s\n", key.id, model::KeyName(key.code).c_str());
}

}  // namespace

int RunAssign(int argc, char** argv) {
  if (WantsHelp(argc, argv, kUsage)) return 0;
  std::vector<std::string> positional;
  bool list = false;
  int profile = -1;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--profile") == 0) {
      if (i + 1 >= argc) return UsageError("--profile needs a number", kUsage);
      profile = ParseSlot(argv[++i]);
      if (profile < 0 || profile > 2) return UsageError("the profile must be 0, 1 or 2", kUsage);
    } else if (std::strcmp(argv[i], "--list") == 0) {
      list = true;
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      return UsageError((std::string("unknown option '") + argv[i] + "'").c_str(), kUsage);
    } else {
      positional.push_back(argv[i]);
    }
  }
  if (list) {
    if (!positional.empty() || profile >= 0) return UsageError("--list takes nothing else", kUsage);
    auto session = CliSession::Open();
    PrintList();
    return 0;
  }
  if (positional.size() != 2) return UsageError("assign takes a key and an action", kUsage);
  ActionText actionText;
  if (!SplitAction(positional[1], &actionText))
    return UsageError(("'" + positional[1] + "' is not an action").c_str(), kUsage);

  auto session = CliSession::Open();
  const KeyLookup key = FindKeyToAssign(positional[0]);
  if (!key.code) return Fail(UnknownNameMessage("key", positional[0], key, kListHint));
  const int slot = model::SlotOfCode(*key.code);
  const int gKey = *key.code >= model::kFirstGKey ? *key.code - model::kFirstGKey + 1 : 0;

  model::Assignment assignment;
  if (actionText.kind == "disabled") {
    assignment.type = model::kActionDisabled;
  } else if (actionText.kind == "key") {
    const KeyLookup target = FindTargetKey(actionText.argument);
    if (!target.code)
      return Fail(UnknownNameMessage("key", actionText.argument, target, kListHint));
    assignment = {model::kActionKey, *target.code, 1};
  } else if (actionText.kind == "media") {
    const KeyLookup media = FindMedia(actionText.argument);
    if (!media.code)
      return Fail(UnknownNameMessage("multimedia function", actionText.argument, media, kListHint));
    assignment = {model::kActionMedia, *media.code, 1};
  } else if (actionText.kind == "function") {
    const int number = FunctionNumber(actionText.argument);
    if (number == 0)
      return Fail("unknown keyboard function '" + actionText.argument + "'; they are 1.." +
                  std::to_string(model::kKeyboardFunctionCount) + ", see " + kListHint);
    assignment = {model::kActionFunction, static_cast<uint32_t>(number - 1), 1};
  }

  if (!session->LoadFromKeyboard()) return 1;
  const int active = session->transfer().GetActiveSlot();
  if (profile < 0) profile = active;
  if (profile < 0) return Fail("cannot read the keyboard's active profile");

  // The store has an entry for every key this program knows, but only the
  // keys of the keyboard's own map are ever written to it.
  if (!KeyboardHasKey(session->transfer().defaultMatrix().Get(), *key.code))
    return Fail("this keyboard has no key " + positional[0]);

  model::ConfigStore& store = session->store();
  std::lock_guard lock(store.mutex());
  if (actionText.kind == "macro") {
    std::string problem;
    const int position = FindMacro(store.Macros(), actionText.argument, &problem);
    if (position < 0) return Fail(problem);
    const model::MacroRecord& macro = store.Macros()[static_cast<std::size_t>(position)];
    assignment = {model::kActionMacro, macro.Id(), model::ClampRepeatCount(macro.RepeatCount())};
  }
  model::WriteAssignment(store, profile, slot, assignment);
  // A profile other than the active one is not part of the dialog's Apply,
  // which writes only the active profile: write all three then.
  if (const int status = ApplyChanges(*session, profile != active); status != 0) return status;
  std::printf(
      "%s\n",
      model::DescribeKey(*key.code, gKey, store.ActionAt(profile, slot), store.Macros()).c_str());
  return 0;
}

}  // namespace cli
