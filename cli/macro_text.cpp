#include "cli/macro_text.h"

#include <cerrno>
#include <cstdlib>

#include "cli/key_identifiers.h"
#include "model/key_assignment.h"
#include "settings/language_table.h"
#include "settings/safe_format.h"

namespace cli {
namespace {

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// A decimal number that fits; none for anything else.
bool ParseNumber(std::string_view text, long long* number) {
  if (text.empty() || text.size() > 18) return false;
  const std::string digits(text);
  char* end = nullptr;
  errno = 0;
  *number = std::strtoll(digits.c_str(), &end, 10);
  return errno == 0 && *end == '\0' && digits.find_first_of(" \t+") == std::string::npos;
}

std::string DelayTooLong() {
  return settings::FormatWithInteger(settings::Text("MACRO_ACTION_ERR_DELAY_MAX"),
                                     model::kMaxTypedDelay);
}

}  // namespace

ParsedMacro ParseMacroText(std::string_view text) {
  ParsedMacro parsed;
  // The pause typed after the last event so far, before rounding.
  long long pending = 0;
  int lineNumber = 0;
  auto fail = [&parsed, &lineNumber](const std::string& problem) {
    parsed.actions.clear();
    parsed.error = "line " + std::to_string(lineNumber) + ": " + problem;
    return parsed;
  };
  auto settlePause = [&parsed, &pending] {
    if (!parsed.actions.empty())
      parsed.actions.back().delay = model::RoundTypedDelay(pending).milliseconds;
    pending = 0;
  };

  while (!text.empty()) {
    ++lineNumber;
    const auto newline = text.find('\n');
    const std::string_view line = Trim(text.substr(0, newline));
    text = newline == std::string_view::npos ? std::string_view{} : text.substr(newline + 1);
    if (line.empty() || line.front() == '#') continue;

    const auto space = line.find_first_of(" \t");
    const std::string verb = FoldCase(line.substr(0, space));
    const std::string_view argument =
        space == std::string_view::npos ? std::string_view{} : Trim(line.substr(space));
    if (verb == "wait") {
      long long milliseconds = 0;
      if (!ParseNumber(argument, &milliseconds))
        return fail("'wait' takes a number of milliseconds");
      if (parsed.actions.empty()) return fail("a wait must follow a press or a release");
      if (milliseconds < 0 || milliseconds > static_cast<long long>(model::kMaxTypedDelay) ||
          pending + milliseconds > static_cast<long long>(model::kMaxTypedDelay))
        return fail(DelayTooLong());
      pending += milliseconds;
      continue;
    }
    if (verb != "press" && verb != "release")
      return fail("expected 'press KEY', 'release KEY' or 'wait MS', not '" + std::string(line) +
                  "'");
    if (argument.empty()) return fail("'" + verb + "' needs a key");
    const KeyLookup key = FindMacroKey(argument);
    if (!key.code)
      return fail(UnknownNameMessage("key", argument, key,
                                     "'quorvanectl assign --list' shows the key names"));
    if (parsed.actions.size() >= static_cast<std::size_t>(model::kMaxMacroActions))
      return fail("a macro holds at most " + std::to_string(model::kMaxMacroActions) + " events");
    settlePause();
    parsed.actions.push_back({0, *key.code, static_cast<uint16_t>(verb == "release" ? 1 : 0)});
  }
  settlePause();
  return parsed;
}

std::string FormatMacroText(const std::vector<model::MacroAction>& actions) {
  std::string text;
  for (const model::MacroAction& action : actions) {
    text += action.release == 1 ? "release " : "press ";
    text += IdentifierOf(action.code) + "\n";
    if (action.delay != 0) text += "wait " + std::to_string(action.delay) + "\n";
  }
  return text;
}

}  // namespace cli
