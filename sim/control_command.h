// The simulator's control protocol: one command per line, answered by one
// line, "ok", "ok <payload>" or "error <message>".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sim {

struct ControlCommand {
  enum class Kind {
    kPlug,
    kUnplug,
    kEvent,        // code
    kDrop,         // count
    kWrong,        // count
    kErrorStatus,  // status, count
    kLatency,      // latencyUs
    kUnplugAfter,  // count
    kClearFaults,
    kDump,
    kStats,
    kConfig,  // whether the configuration bracket is open
    kQuit,
  };
  Kind kind = Kind::kPlug;
  int count = 0;
  uint8_t status = 0;
  uint16_t code = 0;
  int latencyUs = 0;
};

std::optional<ControlCommand> ParseControlCommand(std::string_view line, std::string* error);

}  // namespace sim
