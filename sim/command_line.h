// The simulator's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/state_file.h"

namespace sim {

struct CommandLine {
  enum class Mode { kServe, kDump, kSend, kHelp };
  Mode mode = Mode::kServe;
  std::string dir;
  std::string statePath;
  std::string name;  // empty: keyboard-<pid>
  std::string tracePath;
  std::string controlPath;
  std::string send;
  OptionOverrides overrides;
};

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& arguments,
                                            std::string* error);

extern const char* const kUsage;

}  // namespace sim
