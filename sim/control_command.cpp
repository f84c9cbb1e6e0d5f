#include "sim/control_command.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "sim/sim_keyboard.h"

namespace sim {
namespace {

// Long enough for any test, short enough that microseconds fit an int.
constexpr double kMaxLatencyMs = 60000;
constexpr int kMaxCount = 1000000;

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

template <typename T>
std::optional<T> ParseInteger(std::string_view text, int base) {
  T value{};
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<int> ParseCount(std::string_view text) {
  auto value = ParseInteger<int>(text, 10);
  if (!value || *value < 0 || *value > kMaxCount) return std::nullopt;
  return value;
}

std::optional<uint16_t> ParseEventCode(std::string_view text) {
  if (text == "bank") return kEventBankKey;
  if (text == "lighting") return kEventLightingChanged;
  if (text == "activity-on") return kEventActivityOn;
  if (text == "activity-off") return kEventActivityOff;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.remove_prefix(2);
  if (text.size() > 4) return std::nullopt;
  return ParseInteger<uint16_t>(text, 16);
}

std::optional<int> ParseLatencyUs(std::string_view text) {
  std::string copy(text);
  char* end = nullptr;
  double ms = std::strtod(copy.c_str(), &end);
  if (copy.empty() || end != copy.c_str() + copy.size() || !std::isfinite(ms) || ms < 0 ||
      ms > kMaxLatencyMs) {
    return std::nullopt;
  }
  return static_cast<int>(std::lround(ms * 1000));
}

}  // namespace

std::optional<ControlCommand> ParseControlCommand(std::string_view line, std::string* error) {
  using Kind = ControlCommand::Kind;
  auto words = Words(line);
  if (words.empty()) {
    *error = "empty command";
    return std::nullopt;
  }
  std::string_view name = words[0];
  ControlCommand command;
  auto expect = [&](size_t arguments, std::string_view usage) {
    if (words.size() == arguments + 1) return true;
    *error = "usage: " + std::string(usage);
    return false;
  };
  auto counted = [&](Kind kind, std::string_view usage) -> std::optional<ControlCommand> {
    if (!expect(1, usage)) return std::nullopt;
    auto count = ParseCount(words[1]);
    if (!count) {
      *error = "bad count '" + std::string(words[1]) + "'";
      return std::nullopt;
    }
    command.kind = kind;
    command.count = *count;
    return command;
  };
  struct Simple {
    std::string_view name;
    Kind kind;
  };
  static constexpr Simple kSimple[] = {
      {"plug", Kind::kPlug}, {"unplug", Kind::kUnplug}, {"clear-faults", Kind::kClearFaults},
      {"dump", Kind::kDump}, {"stats", Kind::kStats},   {"config", Kind::kConfig},
      {"quit", Kind::kQuit},
  };
  for (const auto& simple : kSimple) {
    if (name != simple.name) continue;
    if (!expect(0, simple.name)) return std::nullopt;
    command.kind = simple.kind;
    return command;
  }
  if (name == "drop") return counted(Kind::kDrop, "drop N");
  if (name == "wrong") return counted(Kind::kWrong, "wrong N");
  if (name == "unplug-after") return counted(Kind::kUnplugAfter, "unplug-after N");
  if (name == "event") {
    if (!expect(1, "event bank|lighting|activity-on|activity-off|0xCODE")) return std::nullopt;
    auto code = ParseEventCode(words[1]);
    if (!code) {
      *error = "bad event '" + std::string(words[1]) + "'";
      return std::nullopt;
    }
    command.kind = Kind::kEvent;
    command.code = *code;
    return command;
  }
  if (name == "status") {
    if (!expect(2, "status ff|fe N")) return std::nullopt;
    if (words[1] != "ff" && words[1] != "fe") {
      *error = "status must be ff or fe";
      return std::nullopt;
    }
    auto count = ParseCount(words[2]);
    if (!count) {
      *error = "bad count '" + std::string(words[2]) + "'";
      return std::nullopt;
    }
    command.kind = Kind::kErrorStatus;
    command.status = words[1] == "ff" ? 0xFF : 0xFE;
    command.count = *count;
    return command;
  }
  if (name == "latency") {
    if (!expect(1, "latency MS")) return std::nullopt;
    auto us = ParseLatencyUs(words[1]);
    if (!us) {
      *error = "bad latency '" + std::string(words[1]) + "'";
      return std::nullopt;
    }
    command.kind = Kind::kLatency;
    command.latencyUs = *us;
    return command;
  }
  *error = "unknown command '" + std::string(name) + "'";
  return std::nullopt;
}

}  // namespace sim
