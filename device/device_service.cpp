#include "device/device_service.h"

#include <dlfcn.h>

#include <cstdlib>

namespace device {
namespace {

template <typename Fn>
bool Resolve(void* library, const char* name, Fn* out) {
  void* symbol = dlsym(library, name);
  if (symbol == nullptr) return false;
  *out = reinterpret_cast<Fn>(symbol);
  return true;
}

}  // namespace

bool LoadDeviceService(const std::string& folder, DeviceServiceApi* api) {
  const std::string path = folder + "/" + kDeviceServiceFile;
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) return false;
  DeviceServiceApi loaded;
  const char* const* names = kCorvialExportNames;
  const bool all = Resolve(library, names[0], &loaded.Debug) &&
                   Resolve(library, names[1], &loaded.Init) &&
                   Resolve(library, names[2], &loaded.End) &&
                   Resolve(library, names[3], &loaded.RequestGetDeviceCount) &&
                   Resolve(library, names[4], &loaded.DeleteRequestFromUnitId) &&
                   Resolve(library, names[5], &loaded.DeleteRequestFromHandle) &&
                   Resolve(library, names[6], &loaded.RequestWrite) &&
                   Resolve(library, names[7], &loaded.RequestWriteOne) &&
                   Resolve(library, names[8], &loaded.RequestStatusWrite) &&
                   Resolve(library, names[9], &loaded.RequestStatusGet) &&
                   Resolve(library, names[10], &loaded.RequestAsyncRead) &&
                   Resolve(library, names[11], &loaded.RequestStatusSetFeature);
  if (!all || loaded.Init(0) <= 0) return false;
  *api = loaded;
  return true;
}

void EndSilently() {
  std::_Exit(0);
}

}  // namespace device
