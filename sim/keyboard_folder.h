// The keyboard's presence in the watched folder, as the device service
// library expects it: DIR/NAME holding the device file and one listening
// socket per interface. It is prepared under a dot name and renamed into
// place, and renamed away again before it is torn down.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sim {

enum InterfaceIndex { kConfigIndex = 0, kConsumerIndex = 1, kIndicatorIndex = 2 };
inline constexpr int kInterfaceCount = 3;

struct InterfaceInfo {
  const char* file;
  uint16_t usagePage;
  uint16_t usage;
};
const InterfaceInfo& Interface(int index);

struct FolderPaths {
  std::string folder;     // DIR/NAME
  std::string preparing;  // DIR/.NAME.tmp
  std::string leaving;    // DIR/.NAME.gone
};
FolderPaths KeyboardFolderPaths(const std::string& dir, const std::string& name);

// Creates `dir` and any missing parent with mode 0700.
bool EnsureDirectory(const std::string& dir, std::string* error);

// Removes a file or a folder with everything in it; a missing path is fine.
// Symbolic links are removed, never followed.
bool RemoveTree(const std::string& path, std::string* error);

// Prepares the folder with its sockets (listening, non-blocking) and device
// file and renames it into place. On failure nothing is left behind.
bool PlugFolder(const FolderPaths& paths, std::array<int, kInterfaceCount>* listeners,
                std::string* error);

}  // namespace sim
