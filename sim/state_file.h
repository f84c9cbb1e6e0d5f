// The keyboard's state on disk: reading, atomic replacement, and the start-up
// rule (factory content for a missing file, command-line overrides on top).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/sim_keyboard.h"

namespace sim {

enum class ReadStatus { kOk, kMissing, kFailed };

ReadStatus ReadWholeFile(const std::string& path, std::string* content, std::string* error);

// Writes a temporary file beside `path` and renames it over `path`, so a
// reader sees either the old or the new content, never a mix.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string* error);

// Options given explicitly on the command line.
struct OptionOverrides {
  std::optional<uint16_t> firmware;
  std::optional<uint8_t> macroUnits;
  std::optional<std::vector<uint8_t>> effects;
  bool Any() const { return firmware || macroUnits || effects; }
};

// The state in `path`: factory content when the file is missing, the valid
// part of a damaged file (its problems in `warnings`), with `overrides`
// applied. The file is (re)written when it was missing or overridden.
// nullopt with `error` when the file can't be read or written.
std::optional<SimKeyboard> OpenStateFile(const std::string& path, const OptionOverrides& overrides,
                                         std::string* warnings, std::string* error);

}  // namespace sim
