// The program folder: where the binaries, libCorvial.so and the data files
// (skins, help, language tables) sit side by side.
#pragma once

#include <string>

namespace platform {

// The folder of the running executable, without a trailing slash; empty when
// it cannot be determined.
std::string ProgramFolder();

}  // namespace platform
