// quorvanectl lighting [show|set|defaults]: a profile's lighting record, read
// and changed through the same operations as the lighting panel's controls;
// every change is written at once.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "cli/cli_session.h"
#include "cli/commands.h"
#include "lighting/custom_colours.h"
#include "lighting/lighting_control.h"
#include "lighting/lighting_effects.h"
#include "lighting/user_lighting_file.h"
#include "platform/program_folder.h"
#include "settings/language_table.h"

namespace cli {
namespace {

constexpr const char* kShowUsage =
    "usage: quorvanectl lighting [--profile N] [--json]\n"
    "       quorvanectl lighting set [--profile N] [OPTIONS]\n"
    "       quorvanectl lighting defaults [--profile N]\n"
    "Shows the lighting of profile N (default: the active profile): effect,\n"
    "brightness 0-5, speed 0-5 (5 is fastest), direction, main colour,\n"
    "multicolour, colour choice and report rate 0-3. See 'lighting set --help'.\n";

constexpr const char* kSetUsage =
    "usage: quorvanectl lighting set [--profile N] [--effect ID] [--brightness 0-5]\n"
    "           [--speed 0-5] [--direction first|second] [--colour RRGGBB]\n"
    "           [--multicolour on|off] [--colour-choice red|yellow|green|blue]\n"
    "           [--report-rate 0-3]\n"
    "Changes the lighting of profile N (default: the active profile), in the\n"
    "order above, each change written to the keyboard at once. The effect must\n"
    "be one the keyboard lists ('quorvanectl info'); speed 5 is the fastest; a\n"
    "colour turns multicolour off unless --multicolour on follows.\n";

constexpr const char* kDefaultsUsage =
    "usage: quorvanectl lighting defaults [--profile N]\n"
    "Restores the default lighting of profile N (default: the active profile):\n"
    "effect 1, brightness 5, speed 2, multicolour white, report rate 0; when the\n"
    "keyboard has the custom effect, also the profile's user colour layouts,\n"
    "the layout in use written to the keyboard.\n";

constexpr const char* kColourChoices[] = {"red", "yellow", "green", "blue"};

// A label of the lighting panel in the current language, or `fallback`.
std::string Label(const char* key, const char* fallback) {
  std::string text = settings::LookupLight(key, settings::LanguageIndex());
  if (text.empty() || text == settings::kMissingText) return fallback;
  return text;
}

std::string ColourHex(lighting::Colour colour) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", lighting::Red(colour), lighting::Green(colour),
                lighting::Blue(colour));
  return text;
}

// A whole decimal number in [low, high]; none otherwise.
std::optional<int> Number(const char* text, int low, int high) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < low || value > high) return std::nullopt;
  return static_cast<int>(value);
}

std::optional<lighting::Colour> ParseColour(const char* text) {
  if (std::strlen(text) != 6) return std::nullopt;
  lighting::Colour rgb = 0;
  for (int i = 0; i < 6; ++i) {
    const char c = text[i];
    int digit = 0;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return std::nullopt;
    rgb = (rgb << 4) | static_cast<lighting::Colour>(digit);
  }
  return lighting::MakeColour(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                              static_cast<uint8_t>(rgb));
}

struct Changes {
  int profile = -1;
  bool json = false;
  std::optional<int> effect, brightness, speed, colourChoice, reportRate;
  std::optional<bool> firstDirection, multiColour;
  std::optional<lighting::Colour> colour;
};

// Parses the options a subcommand allows; an exit status on a usage error.
std::optional<int> ParseOptions(int argc, char** argv, const char* usage, bool allowJson,
                                bool allowChanges, Changes& out) {
  for (int i = 0; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--json" && allowJson) {
      out.json = true;
      continue;
    }
    if (i + 1 >= argc) {
      const bool known = option == "--profile" || (allowChanges && option.rfind("--", 0) == 0 &&
                                                   std::strstr(kSetUsage, option.c_str()));
      return UsageError(
          (known ? option + " needs a value" : "unknown option '" + option + "'").c_str(), usage);
    }
    const char* value = argv[++i];
    auto bad = [&](const char* expected) {
      return UsageError((option + " must be " + expected).c_str(), usage);
    };
    if (option == "--profile") {
      out.profile = ParseSlot(value);
      if (out.profile < 0 || out.profile > 2) return bad("0, 1 or 2");
    } else if (!allowChanges) {
      return UsageError(("unknown option '" + option + "'").c_str(), usage);
    } else if (option == "--effect") {
      if (!(out.effect = Number(value, 1, 255))) return bad("an effect number");
    } else if (option == "--brightness") {
      if (!(out.brightness = Number(value, 0, lighting::kMaxLevel))) return bad("0 to 5");
    } else if (option == "--speed") {
      if (!(out.speed = Number(value, 0, lighting::kMaxLevel))) return bad("0 to 5");
    } else if (option == "--report-rate") {
      if (!(out.reportRate = Number(value, 0, lighting::kMaxReportRate))) return bad("0 to 3");
    } else if (option == "--direction") {
      if (std::strcmp(value, "first") != 0 && std::strcmp(value, "second") != 0)
        return bad("first or second");
      out.firstDirection = std::strcmp(value, "first") == 0;
    } else if (option == "--multicolour") {
      if (std::strcmp(value, "on") != 0 && std::strcmp(value, "off") != 0) return bad("on or off");
      out.multiColour = std::strcmp(value, "on") == 0;
    } else if (option == "--colour") {
      if (!(out.colour = ParseColour(value))) return bad("six hex digits RRGGBB");
    } else if (option == "--colour-choice") {
      for (int k = 0; k <= lighting::kMaxColourChoice; ++k)
        if (std::strcmp(value, kColourChoices[k]) == 0) out.colourChoice = k;
      if (!out.colourChoice) return bad("red, yellow, green or blue");
    } else {
      return UsageError(("unknown option '" + option + "'").c_str(), usage);
    }
  }
  return std::nullopt;
}

void Show(const lighting::LightingState& state, bool json) {
  const auto& f = state.fields;
  const int choice = f.colourChoice >= 0 && f.colourChoice <= 3 ? f.colourChoice : 0;
  const bool first = lighting::IsFirstDirection(f.direction);
  if (json) {
    std::printf(
        "{\"effect\":%d,\"brightness\":%d,\"speed\":%d,"
        "\"direction\":\"%s\",\"colour\":\"%s\",\"multicolour\":%s,\"colour_choice\":\"%s\","
        "\"report_rate\":%d}\n",
        f.effect, f.brightness, state.SpeedPosition(), first ? "first" : "second",
        ColourHex(f.mainColour).c_str(), f.multiColour ? "true" : "false", kColourChoices[choice],
        f.reportRate);
    return;
  }
  std::printf("Profile %d\n", state.editedSlot);
  std::printf("Effect: %d %s\n", f.effect,
              lighting::EffectName(f.effect, settings::LanguageIndex()).c_str());
  std::printf("%s: %d\n", Label("Light", "Brightness").c_str(), f.brightness);
  std::printf("%s: %d\n", Label("Speed", "Speed").c_str(), state.SpeedPosition());
  std::printf("%s: %s\n", Label("FX", "Direction").c_str(), first ? "first" : "second");
  std::printf("%s: %s\n", Label("Color", "Colour").c_str(), ColourHex(f.mainColour).c_str());
  std::printf("%s: %s\n", Label("DC", "Multicolour").c_str(), f.multiColour ? "on" : "off");
  std::printf("Colour choice: %s\n", kColourChoices[choice]);
  std::printf("%s: %d\n", Label("Usb", "Report rate").c_str(), f.reportRate);
}

}  // namespace

int RunLighting(int argc, char** argv) {
  enum class Mode { kShow, kSet, kDefaults } mode = Mode::kShow;
  const char* usage = kShowUsage;
  if (argc > 0 && std::strcmp(argv[0], "set") == 0) {
    mode = Mode::kSet;
    usage = kSetUsage;
  } else if (argc > 0 && std::strcmp(argv[0], "defaults") == 0) {
    mode = Mode::kDefaults;
    usage = kDefaultsUsage;
  } else if (argc > 0 && std::strcmp(argv[0], "show") == 0) {
    --argc, ++argv;
  }
  if (mode != Mode::kShow) --argc, ++argv;
  if (WantsHelp(argc, argv, usage)) return 0;
  Changes changes;
  if (auto status =
          ParseOptions(argc, argv, usage, mode == Mode::kShow, mode == Mode::kSet, changes))
    return *status;

  auto session = CliSession::Open();
  if (!session->RequireKeyboard()) return 1;
  int profile = changes.profile;
  if (profile < 0) profile = session->transfer().GetActiveSlot();
  if (profile < 0) return Fail("cannot read the keyboard's active profile");

  const std::string profileFolder = session->transfer().profileFolder();
  lighting::LightingState state;
  const lighting::UserLightingFiles userFiles(profileFolder, platform::ProgramFolder());
  // No key buttons here; restoring the defaults still reloads the user
  // colour layout into the keyboard.
  lighting::KeyView view;
  lighting::CustomColours colours(session->link(), state, userFiles, view);
  lighting::LightingControl control(session->link(), state, profileFolder + "/wskb.ini", colours,
                                    &userFiles);
  control.SetEditedSlot(profile);
  if (control.Read() != 0 || !control.LastReadComplete())
    return Fail("cannot read the keyboard's lighting");

  if (mode == Mode::kShow) {
    Show(state, changes.json);
    return 0;
  }
  int result = 1;
  auto keep = [&result](int code) {
    if (result == 1 && code != 1) result = code;
  };
  if (mode == Mode::kDefaults) {
    session->transfer().EnsureProfileFolder();
    keep(control.RestoreDefaults());
  } else {
    // Refused before anything is written, so a bad effect changes nothing.
    int position = -1;
    if (changes.effect) {
      position = state.index.PositionOf(*changes.effect);
      if (position < 0)
        return Fail("effect " + std::to_string(*changes.effect) +
                    " is not in the keyboard's effect list (see 'quorvanectl info')");
    }
    if (changes.effect) keep(control.SelectEffect(position));
    if (changes.brightness) keep(control.SetBrightness(*changes.brightness));
    if (changes.speed) keep(control.SetSpeed(*changes.speed));
    if (changes.firstDirection) keep(control.SetDirection(*changes.firstDirection));
    if (changes.colour) keep(control.SetMainColour(*changes.colour));
    if (changes.multiColour && *changes.multiColour != state.fields.multiColour)
      keep(control.ToggleMultiColour());
    if (changes.colourChoice) keep(control.SetColourChoice(*changes.colourChoice));
    if (changes.reportRate) keep(control.SetReportRate(*changes.reportRate));
  }
  if (result != 1) return Fail("the keyboard did not take the lighting change");
  return 0;
}

}  // namespace cli
