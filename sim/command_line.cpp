#include "sim/command_line.h"

#include <charconv>

namespace sim {
namespace {

// Decimal, or hexadecimal with 0x.
std::optional<unsigned> ParseUnsigned(std::string_view text, bool hexDefault) {
  int base = hexDefault ? 16 : 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  unsigned value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::vector<uint8_t>> ParseEffects(std::string_view text) {
  std::vector<uint8_t> effects;
  while (!text.empty()) {
    size_t comma = text.find(',');
    auto id = ParseUnsigned(text.substr(0, comma), false);
    if (!id || *id == 0 || *id > 255) return std::nullopt;
    effects.push_back(static_cast<uint8_t>(*id));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
    if (text.empty()) return std::nullopt;
  }
  if (effects.empty() || effects.size() > kEffectListSize) return std::nullopt;
  return effects;
}

}  // namespace

const char* const kUsage =
    "usage: quorvane-simkbd --dir DIR --state FILE [--name NAME] [--firmware 0xVVVV]\n"
    "                       [--macro-units N] [--effects ID,ID,...] [--trace FILE]\n"
    "                       [--control PATH]\n"
    "       quorvane-simkbd --state FILE --dump\n"
    "       quorvane-simkbd --control PATH --send COMMAND\n"
    "\n"
    "Simulates the keyboard as DIR/NAME (default keyboard-<pid>) until SIGTERM or\n"
    "SIGINT, keeping its state in FILE.\n"
    "  --firmware     firmware version, hexadecimal (0x0108)\n"
    "  --macro-units  macro capacity in units of 128 bytes, 1..255 (32)\n"
    "  --effects      up to 32 effect ids 1..255 (1..18,20)\n"
    "  --trace        append every report to FILE\n"
    "  --control      control socket (DIR/.NAME.control)\n"
    "  --dump         print FILE's state as one JSON object\n"
    "  --send         send one control command, print the reply\n";

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments,
                                            std::string* error) {
  CommandLine line;
  bool dump = false;
  bool help = false;
  bool sendGiven = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (option == "--help" || option == "-h") {
      help = true;
      continue;
    }
    if (option == "--dump") {
      dump = true;
      continue;
    }
    if (i + 1 >= arguments.size()) {
      *error = option.rfind("--", 0) == 0 ? option + " needs a value" : "unexpected " + option;
      return std::nullopt;
    }
    const std::string& value = arguments[++i];
    if (option == "--dir") {
      line.dir = value;
    } else if (option == "--state") {
      line.statePath = value;
    } else if (option == "--name") {
      line.name = value;
    } else if (option == "--trace") {
      line.tracePath = value;
    } else if (option == "--control") {
      line.controlPath = value;
    } else if (option == "--send") {
      line.send = value;
      sendGiven = true;
    } else if (option == "--firmware") {
      auto firmware = ParseUnsigned(value, true);
      if (!firmware || *firmware > 0xFFFF) {
        *error = "bad --firmware '" + value + "'";
        return std::nullopt;
      }
      line.overrides.firmware = static_cast<uint16_t>(*firmware);
    } else if (option == "--macro-units") {
      auto units = ParseUnsigned(value, false);
      if (!units || *units < 1 || *units > 255) {
        *error = "bad --macro-units '" + value + "' (1..255)";
        return std::nullopt;
      }
      line.overrides.macroUnits = static_cast<uint8_t>(*units);
    } else if (option == "--effects") {
      auto effects = ParseEffects(value);
      if (!effects) {
        *error = "bad --effects '" + value + "' (1 to 32 ids 1..255, comma separated)";
        return std::nullopt;
      }
      line.overrides.effects = std::move(*effects);
    } else {
      *error = "unknown option " + option;
      return std::nullopt;
    }
  }

  if (help) {
    line.mode = CommandLine::Mode::kHelp;
  } else if (sendGiven) {
    line.mode = CommandLine::Mode::kSend;
    if (line.controlPath.empty()) *error = "--send needs --control";
  } else if (dump) {
    line.mode = CommandLine::Mode::kDump;
    if (line.statePath.empty()) *error = "--dump needs --state";
  } else {
    line.mode = CommandLine::Mode::kServe;
    if (line.dir.empty() || line.statePath.empty()) *error = "--dir and --state are required";
    if (!line.name.empty() &&
        (line.name.front() == '.' || line.name.find('/') != std::string::npos)) {
      *error = "bad --name '" + line.name + "': no '/' and no leading '.'";
    }
  }
  if (!error->empty()) return std::nullopt;
  return line;
}

}  // namespace sim
