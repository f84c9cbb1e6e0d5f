#include "tests/support/real_service.h"

#include <cstdlib>

namespace testsupport {

RealService& RealService::Get() {
  // Never destroyed: the library stays loaded for the whole process.
  static RealService* service = new RealService();
  return *service;
}

RealService::RealService() {
  setenv("CORVIAL_SIM_DIR", simFolder().c_str(), 1);
  loaded_ = device::LoadDeviceService(QUORVANE_PROGRAM_DIR, &api_);
}

}  // namespace testsupport
