#include "device/device_service.h"

#include <dlfcn.h>

#include <cstdlib>

namespace device {
bool LoadDeviceService(const std::string& folder, DeviceServiceApi* api) {
  const std::string path = folder + "/" + kDeviceServiceFile;
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return false;
  DeviceServiceApi loaded;
  const bool all = corvial::ResolveExports(
      [library](const char* name) { return dlsym(library, name); }, [](const char*) {}, &loaded);
  if (!all || loaded.Init(0) <= 0) return false;
  *api = loaded;
  return true;
}

void EndSilently() {
  std::_Exit(0);
}

}  // namespace device
