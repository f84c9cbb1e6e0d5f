#include "tests/service/corvial_library.h"

#include <dlfcn.h>

namespace servicetest {
uint32_t Sum(const DeviceUnit& unit, DeviceCallback cb, uint32_t tag, const Bytes& payload) {
  return corvial::RequestChecksum(unit, cb, tag, payload.data(), payload.size());
}

CorvialLibrary::CorvialLibrary(const std::string& path) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* error = dlerror();
    missing_.push_back(error ? error : "dlopen failed");
    return;
  }
  corvial::ResolveExports([this](const char* name) { return dlsym(handle_, name); },
                          [this](const char* name) { missing_.push_back(name); }, &fn_);
}

CorvialLibrary::~CorvialLibrary() = default;

int CorvialLibrary::Count(const DeviceUnit& unit, uint32_t tag) const {
  return fn_.RequestGetDeviceCount(&unit, nullptr, tag, Sum(unit, nullptr, tag), nullptr);
}

int CorvialLibrary::WriteOne(const DeviceUnit& unit, const Bytes& data, uint32_t tag,
                             DeviceCallback cb) const {
  return fn_.RequestWriteOne(&unit, cb, tag, data.data(), static_cast<uint32_t>(data.size()),
                             Sum(unit, cb, tag, data), nullptr);
}

int CorvialLibrary::Write(const DeviceUnit& unit, const Bytes& data, uint32_t tag) const {
  return fn_.RequestWrite(&unit, nullptr, tag, data.data(), static_cast<uint32_t>(data.size()),
                          Sum(unit, nullptr, tag, data), nullptr);
}

int CorvialLibrary::StatusWrite(const DeviceUnit& unit, const Bytes& data, uint32_t* outId) const {
  return fn_.RequestStatusWrite(&unit, nullptr, 0, data.data(), static_cast<uint32_t>(data.size()),
                                Sum(unit, nullptr, 0, data), outId);
}

uint32_t CorvialLibrary::AsyncRead(const DeviceUnit& unit, DeviceCallback cb, uint32_t tag) const {
  uint32_t id = 0;
  if (fn_.RequestAsyncRead(&unit, cb, tag, Sum(unit, cb, tag), &id) != 1) return 0;
  return id;
}

}  // namespace servicetest
