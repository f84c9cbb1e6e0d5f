// `quorvane-simkbd --control PATH --send COMMAND`: one command to a running
// simulator.
#pragma once

#include <string>

namespace sim {

// Prints the reply's payload to stdout and returns 0, or prints the error to
// stderr and returns 1.
int SendControlCommand(const std::string& path, const std::string& command);

}  // namespace sim
