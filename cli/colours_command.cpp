// quorvanectl colours paint|layout: the custom effect's per-key colours and
// the user colour layouts of a profile, through the same operations as the
// on-screen keyboard and the lighting panel; every change is written to the
// keyboard and the user lighting file at once.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "cli/json_text.h"
#include "cli/key_identifiers.h"
#include "device/result_codes.h"
#include "lighting/custom_colours.h"
#include "lighting/lighting_control.h"
#include "lighting/lighting_effects.h"
#include "lighting/user_lighting_file.h"
#include "model/button_table.h"
#include "platform/program_folder.h"

namespace cli {
namespace {

constexpr const char* kUsage =
    "usage: quorvanectl colours paint [--profile N] KEY RRGGBB [KEY RRGGBB ...]\n"
    "       quorvanectl colours layout [--profile N] [INDEX] [--name TEXT] [--json]\n"
    "The per-key colours of the custom effect (20). See 'colours paint --help'\n"
    "and 'colours layout --help'.\n";

constexpr const char* kPaintUsage =
    "usage: quorvanectl colours paint [--profile N] KEY RRGGBB [KEY RRGGBB ...]\n"
    "Paints each KEY of profile N (default: the active profile) in the colour\n"
    "RRGGBB with the colour brush: the key keeps that colour when the base\n"
    "colour changes. KEY is a key's name or identifier ('quorvanectl assign\n"
    "--list'), or Fn. The profile must run the custom effect (20); its layout in\n"
    "use is written to the keyboard first, then each key, and every key is saved\n"
    "in that layout.\n";

constexpr const char* kLayoutUsage =
    "usage: quorvanectl colours layout [--profile N] [INDEX] [--name TEXT] [--json]\n"
    "Lists the ten colour layouts of profile N (default: the active profile),\n"
    "the one in use marked with '*'. INDEX (0-9) makes that layout the one in\n"
    "use and writes its colours to the keyboard; --name renames the layout in\n"
    "use (after choosing INDEX, if given).\n";

std::optional<lighting::Colour> ParseColour(const char* text) {
  if (std::strlen(text) != 6 || std::strspn(text, "0123456789abcdefABCDEF") != 6)
    return std::nullopt;
  const auto rgb = static_cast<uint32_t>(std::strtoul(text, nullptr, 16));
  return lighting::MakeColour(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                              static_cast<uint8_t>(rgb));
}

// The button a KEY argument names, or why it names none that can be painted.
struct KeyButtonLookup {
  int controlId = 0;
  std::string problem;  // empty when found
};

KeyButtonLookup FindPaintableKey(const std::string& name) {
  if (FoldCase(name) == "fn") return {model::kFnButtonId, ""};
  const KeyLookup lookup = FindKeyToAssign(name);
  if (!lookup.code)
    return {0, UnknownNameMessage("key", name, lookup, "see 'quorvanectl assign --list'")};
  for (const model::KeyButton& button : model::KeyButtons())
    if (button.code == *lookup.code) return {button.controlId, ""};
  return {0, "'" + name + "' cannot be painted: the G keys take the base colour"};
}

// The lighting of one profile, with the custom colours as its hooks.
struct CustomLighting {
  explicit CustomLighting(CliSession& session)
      : files(session.transfer().profileFolder(), platform::ProgramFolder()),
        colours(session.link(), state, files, view),
        control(session.link(), state, session.transfer().profileFolder() + "/wskb.ini", colours,
                &files) {}

  lighting::LightingState state;
  lighting::KeyView view;  // no buttons to paint
  lighting::UserLightingFiles files;
  lighting::CustomColours colours;
  lighting::LightingControl control;
};

// Opens the session and reads the profile's lighting; an exit status when
// that fails or the keyboard has no custom effect.
std::optional<int> Open(int profile, std::unique_ptr<CliSession>& session,
                        std::unique_ptr<CustomLighting>& custom) {
  session = CliSession::Open();
  if (!session->RequireKeyboard()) return 1;
  if (profile < 0) profile = session->transfer().GetActiveSlot();
  if (profile < 0) return Fail("cannot read the keyboard's active profile");
  custom = std::make_unique<CustomLighting>(*session);
  custom->control.SetEditedSlot(profile);
  if (custom->control.Read() != 0 || !custom->control.LastReadComplete())
    return Fail("cannot read the keyboard's lighting");
  if (!custom->state.CustomEffectSupported()) return Fail("the keyboard has no custom effect (20)");
  session->transfer().EnsureProfileFolder();
  return std::nullopt;
}

std::optional<int> ParseProfile(const char* value, const char* usage, int& profile) {
  profile = ParseSlot(value);
  if (profile < 0 || profile > 2) return UsageError("--profile must be 0, 1 or 2", usage);
  return std::nullopt;
}

int RunPaint(int argc, char** argv) {
  if (WantsHelp(argc, argv, kPaintUsage)) return 0;
  int profile = -1;
  std::vector<std::pair<std::string, lighting::Colour>> keys;
  std::vector<const char*> positional;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--profile") == 0) {
      if (i + 1 >= argc) return UsageError("--profile needs a value", kPaintUsage);
      if (auto status = ParseProfile(argv[++i], kPaintUsage, profile)) return *status;
    } else if (argv[i][0] == '-' && argv[i][1] == '-') {
      return UsageError((std::string("unknown option '") + argv[i] + "'").c_str(), kPaintUsage);
    } else {
      positional.push_back(argv[i]);
    }
  }
  if (positional.empty() || positional.size() % 2 != 0)
    return UsageError("give each KEY a colour RRGGBB", kPaintUsage);
  for (std::size_t i = 0; i < positional.size(); i += 2) {
    const auto colour = ParseColour(positional[i + 1]);
    if (!colour)
      return UsageError(
          (std::string("colour '") + positional[i + 1] + "' must be six hex digits RRGGBB").c_str(),
          kPaintUsage);
    keys.emplace_back(positional[i], *colour);
  }

  std::unique_ptr<CliSession> session;
  std::unique_ptr<CustomLighting> custom;
  if (auto status = Open(profile, session, custom)) return *status;
  // Every key is looked up before anything is written.
  std::vector<std::pair<int, lighting::Colour>> buttons;
  for (const auto& [name, colour] : keys) {
    const KeyButtonLookup found = FindPaintableKey(name);
    if (!found.problem.empty()) return Fail(found.problem);
    buttons.emplace_back(found.controlId, colour);
  }
  const auto& state = custom->state;
  if (state.index.IdAt(state.SelectedPosition()) != lighting::kCustomEffect) {
    const std::string slot = std::to_string(state.editedSlot);
    return Fail("profile " + slot +
                " does not run the custom effect (20); select it with 'quorvanectl lighting set "
                "--profile " +
                slot + " --effect 20'");
  }

  int result = custom->colours.LoadLayout();
  bool saved = true;
  for (const auto& [controlId, colour] : buttons) {
    const int code = custom->colours.PaintKeyWithBrush(controlId, colour).value_or(0);
    if (result == device::kResultOk) result = code;
    saved = saved && custom->colours.LastFileWritesOk();
  }
  if (result != device::kResultOk) return Fail("the keyboard did not take the key colours");
  if (!saved)
    return Fail("cannot save the key colours in " + custom->files.UserFilePath(state.editedSlot));
  return 0;
}

void ShowLayouts(const CustomLighting& custom, int inUse, bool json) {
  const auto names = custom.colours.LayoutNames();
  if (json) {
    std::string text = "{\"profile\":" + std::to_string(custom.state.editedSlot) +
                       ",\"in_use\":" + std::to_string(inUse) + ",\"layouts\":[";
    for (std::size_t n = 0; n < names.size(); ++n)
      text += (n == 0 ? "" : ",") + JsonString(names[n]);
    std::printf("%s]}\n", text.c_str());
    return;
  }
  std::printf("Profile %d\n", custom.state.editedSlot);
  for (std::size_t n = 0; n < names.size(); ++n)
    std::printf("%c %zu %s\n", static_cast<int>(n) == inUse ? '*' : ' ', n, names[n].c_str());
}

int RunLayout(int argc, char** argv) {
  if (WantsHelp(argc, argv, kLayoutUsage)) return 0;
  int profile = -1;
  bool json = false;
  std::optional<int> index;
  std::optional<std::string> name;
  for (int i = 0; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--json") {
      json = true;
    } else if (option == "--profile" || option == "--name") {
      if (i + 1 >= argc) return UsageError((option + " needs a value").c_str(), kLayoutUsage);
      if (option == "--name") {
        name = argv[++i];
      } else if (auto status = ParseProfile(argv[++i], kLayoutUsage, profile)) {
        return *status;
      }
    } else if (option.rfind("--", 0) == 0) {
      return UsageError(("unknown option '" + option + "'").c_str(), kLayoutUsage);
    } else if (index) {
      return UsageError(("unexpected argument '" + option + "'").c_str(), kLayoutUsage);
    } else {
      char* end = nullptr;
      const long value = std::strtol(argv[i], &end, 10);
      if (end == argv[i] || *end != '\0' || value < 0 || value >= lighting::kUserLayouts)
        return UsageError("INDEX must be 0 to 9", kLayoutUsage);
      index = static_cast<int>(value);
    }
  }

  std::unique_ptr<CliSession> session;
  std::unique_ptr<CustomLighting> custom;
  if (auto status = Open(profile, session, custom)) return *status;
  const int slot = custom->state.editedSlot;
  auto& colours = custom->colours;
  bool saved = true;
  if (index) {
    const int result = colours.ChooseLayout(*index).value_or(0);
    saved = colours.LastFileWritesOk();
    if (result != device::kResultOk) return Fail("the keyboard did not take the layout's colours");
  }
  if (name) {
    if (index) {
      colours.RenameLayout(*name);
      saved = saved && colours.LastFileWritesOk();
    } else {
      // Only the name changes: the keyboard's colours stay as they are.
      saved = custom->files.WriteLayoutName(slot, custom->files.ReadLayoutInUse(slot), *name);
    }
  }
  if (!saved) return Fail("cannot write " + custom->files.UserFilePath(slot));
  ShowLayouts(*custom, index ? *index : custom->files.ReadLayoutInUse(slot), json);
  return 0;
}

}  // namespace

int RunColours(int argc, char** argv) {
  if (argc > 0 && std::strcmp(argv[0], "paint") == 0) return RunPaint(argc - 1, argv + 1);
  if (argc > 0 && std::strcmp(argv[0], "layout") == 0) return RunLayout(argc - 1, argv + 1);
  if (WantsHelp(argc, argv, kUsage)) return 0;
  return UsageError(argc == 0 ? "colours needs paint or layout"
                              : (std::string("unknown subcommand '") + argv[0] + "'").c_str(),
                    kUsage);
}

}  // namespace cli
