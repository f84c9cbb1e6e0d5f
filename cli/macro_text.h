// The readable text form of a macro's events, one a line:
//
//   # comment            (blank lines are ignored too)
//   press LeftShift
//   wait 120             the pause after the event before it, in ms
//   release LeftShift
//
// Key names are those of `assign`. Pauses are rounded down to 10 ms and may
// be at most 40000 ms; consecutive waits add up.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/macro_record.h"

namespace cli {

struct ParsedMacro {
  std::vector<model::MacroAction> actions;
  // Empty on success; otherwise what is wrong, starting with "line N: ".
  std::string error;
};

ParsedMacro ParseMacroText(std::string_view text);

// The events of a macro in the same form, each line ending in '\n'.
std::string FormatMacroText(const std::vector<model::MacroAction>& actions);

}  // namespace cli
