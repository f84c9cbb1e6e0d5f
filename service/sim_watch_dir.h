// Where simulated keyboards appear, and making sure that folder exists.
#pragma once

#include <string>

namespace corvial {

// $CORVIAL_SIM_DIR, else $XDG_RUNTIME_DIR/corvial, else /tmp/corvial-<uid>.
// Empty values count as unset.
std::string ResolveSimWatchDir();

// mkdir -p with mode 0700 for every folder it creates. True when `path` is a
// directory afterwards.
bool MakeWatchDir(const std::string& path);

}  // namespace corvial
