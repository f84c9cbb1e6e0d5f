#include "tests/service/corvial_library.h"

#include <dlfcn.h>

namespace servicetest {
namespace {

template <typename Fn>
void Resolve(void* handle, const char* name, Fn& slot, std::vector<std::string>& missing) {
  void* symbol = dlsym(handle, name);
  if (!symbol) {
    missing.push_back(name);
    return;
  }
  slot = reinterpret_cast<Fn>(symbol);
}

}  // namespace

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
  const char* const* names = kCorvialExportNames;
  Resolve(handle_, names[0], fn_.Debug, missing_);
  Resolve(handle_, names[1], fn_.Init, missing_);
  Resolve(handle_, names[2], fn_.End, missing_);
  Resolve(handle_, names[3], fn_.RequestGetDeviceCount, missing_);
  Resolve(handle_, names[4], fn_.DeleteRequestFromUnitId, missing_);
  Resolve(handle_, names[5], fn_.DeleteRequestFromHandle, missing_);
  Resolve(handle_, names[6], fn_.RequestWrite, missing_);
  Resolve(handle_, names[7], fn_.RequestWriteOne, missing_);
  Resolve(handle_, names[8], fn_.RequestStatusWrite, missing_);
  Resolve(handle_, names[9], fn_.RequestStatusGet, missing_);
  Resolve(handle_, names[10], fn_.RequestAsyncRead, missing_);
  Resolve(handle_, names[11], fn_.RequestStatusSetFeature, missing_);
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
