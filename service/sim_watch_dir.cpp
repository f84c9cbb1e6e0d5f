#include "service/sim_watch_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace corvial {
namespace {

bool IsDirectory(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string ResolveSimWatchDir() {
  const char* explicitDir = std::getenv("CORVIAL_SIM_DIR");
  if (explicitDir && *explicitDir) return explicitDir;
  const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
  if (runtimeDir && *runtimeDir) return std::string(runtimeDir) + "/corvial";
  return "/tmp/corvial-" + std::to_string(::getuid());
}

bool MakeWatchDir(const std::string& path) {
  if (path.empty()) return false;
  // Each prefix in turn; one that exists already (even without write access
  // to its parent) is fine, and so is losing a race to create it.
  std::size_t slash = path.find('/', 1);
  while (true) {
    const std::string prefix = slash == std::string::npos ? path : path.substr(0, slash);
    if (!IsDirectory(prefix) && ::mkdir(prefix.c_str(), 0700) != 0 && !IsDirectory(prefix)) {
      return false;
    }
    if (slash == std::string::npos) return true;
    slash = path.find('/', slash + 1);
  }
}

}  // namespace corvial
