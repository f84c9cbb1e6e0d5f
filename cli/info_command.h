#pragma once

namespace cli {

// quorvanectl info [--json]: firmware version, active profile, macro
// capacity and the effect list from the keyboard's settings block.
int RunInfo(int argc, char** argv);

}  // namespace cli
