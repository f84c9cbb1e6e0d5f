// The real libCorvial.so, loaded once per process from the program folder
// and watching a private folder for simulated keyboards, as integration
// tests and benchmarks use it.
#pragma once

#include <string>

#include "device/device_service.h"
#include "tests/support/sim_process.h"

namespace testsupport {

class RealService {
 public:
  // The first call makes the folder, points CORVIAL_SIM_DIR at it and loads
  // the library; later calls return the same.
  static RealService& Get();

  bool loaded() const { return loaded_; }
  const device::DeviceServiceApi& api() const { return api_; }
  // A private folder for state files, traces and profiles.
  const std::string& folder() const { return folder_.path(); }
  // Where simulated keyboards plug in.
  std::string simFolder() const { return folder_.path() + "/sim"; }

 private:
  RealService();
  TempFolder folder_;
  device::DeviceServiceApi api_;
  bool loaded_ = false;
};

}  // namespace testsupport
