// The twelve C exports of libCorvial.so. Each one checks its arguments and
// checksum, then hands over to the ServiceCore; nothing escapes as an
// exception.
#include <cxxabi.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>

#include "service/corvial_abi.h"
#include "service/debug_log.h"
#include "service/service_core.h"
#include "service/sim_backend.h"
#include "service/sim_watch_dir.h"

#define CORVIAL_EXPORT extern "C" __attribute__((visibility("default")))

extern "C" void* __dso_handle;  // this library's handle, from the C runtime

namespace {

using corvial::DebugLog;
using corvial::ServiceCore;

// How long a process that exits without End waits for a callback that is
// still running before leaving the thread to die with the process.
constexpr std::chrono::milliseconds kExitStopLimit{2000};
constexpr uint32_t kReportSize = 64;

std::mutex gMutex;
std::shared_ptr<ServiceCore> gService;
bool gExitHandlerRegistered = false;

std::shared_ptr<ServiceCore> CurrentService() {
  std::lock_guard lock(gMutex);
  return gService;
}

int StopService(std::optional<std::chrono::milliseconds> waitLimit) {
  std::shared_ptr<ServiceCore> service;
  {
    std::lock_guard lock(gMutex);
    service.swap(gService);
  }
  if (service) {
    service->Stop(waitLimit);
    DebugLog(1, "stopped");
  }
  return 1;
}

// Registered against this library's own DSO handle, so it runs at dlclose as
// well as at exit (plain atexit may be wrapped, e.g. by sanitizers, to run
// at exit only, after the code is gone). Registered at the first Init, it
// runs before the globals above, registered at load, are destroyed.
void StopAtExit(void*) {
  try {
    StopService(kExitStopLimit);
  } catch (...) {
  }
}

bool Verified(const char* call, const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
              const unsigned char* payload, uint32_t length, uint32_t sum) {
  if (!unit || (length > 0 && !payload)) {
    DebugLog(1, "%s refused: null argument", call);
    return false;
  }
  if (corvial::RequestChecksum(*unit, cb, tag, payload, length) != sum) {
    DebugLog(1, "%s refused: bad checksum (tag %08x)", call, tag);
    return false;
  }
  return true;
}

bool IsReportLength(uint32_t length) {
  return length >= 1 && length <= kReportSize;
}

}  // namespace

CORVIAL_EXPORT int Debug(int level) {
  return corvial::SetDebugLevel(level);
}

CORVIAL_EXPORT int Init(int flags) {
  try {
    std::lock_guard lock(gMutex);
    if (gService) return 1;
    if (const char* level = std::getenv("CORVIAL_DEBUG"); level && *level) {
      corvial::SetDebugLevel(static_cast<int>(std::strtol(level, nullptr, 10)));
    }
    auto service = std::make_shared<ServiceCore>(
        std::make_unique<corvial::SimBackend>(corvial::ResolveSimWatchDir()));
    if (!service->Start()) return 0;
    if (!gExitHandlerRegistered) {
      gExitHandlerRegistered = abi::__cxa_atexit(StopAtExit, nullptr, &__dso_handle) == 0;
    }
    gService = std::move(service);
    DebugLog(1, "started (flags %d)", flags);
    return 1;
  } catch (...) {
    return 0;
  }
}

CORVIAL_EXPORT int End(void) {
  try {
    return StopService(std::nullopt);
  } catch (...) {
    return 0;
  }
}

CORVIAL_EXPORT int RequestGetDeviceCount(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                                         uint32_t sum, uint32_t* /*outId*/) {
  try {
    if (!Verified("count", unit, cb, tag, nullptr, 0, sum)) return 0;
    const std::shared_ptr<ServiceCore> service = CurrentService();
    const int count = service ? service->DeviceCount(*unit) : 0;
    DebugLog(1, "count (tag %08x): %d", tag, count);
    return count;
  } catch (...) {
    return 0;
  }
}

CORVIAL_EXPORT int DeleteRequestFromUnitId(uint32_t id) {
  try {
    const std::shared_ptr<ServiceCore> service = CurrentService();
    const bool deleted = service && service->DeleteRequest(id);
    DebugLog(1, "delete request %u: %s", id, deleted ? "done" : "no such request");
    return deleted ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

CORVIAL_EXPORT int DeleteRequestFromHandle(void* /*handle*/) {
  return 0;
}

CORVIAL_EXPORT int RequestWrite(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                                const unsigned char* data, uint32_t length, uint32_t sum,
                                uint32_t* /*outId*/) {
  try {
    if (!Verified("write", unit, cb, tag, data, length, sum)) return 0;
    if (length == 0 || length % kReportSize != 0 || length > INT_MAX) return 0;
    const std::shared_ptr<ServiceCore> service = CurrentService();
    const std::size_t sent = service ? service->Write(*unit, data, length, kReportSize) : 0;
    DebugLog(1, "write (tag %08x) %u bytes: %zu sent", tag, length, sent);
    return static_cast<int>(sent);
  } catch (...) {
    return 0;
  }
}

CORVIAL_EXPORT int RequestWriteOne(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                                   const unsigned char* data, uint32_t length, uint32_t sum,
                                   uint32_t* /*outId*/) {
  try {
    if (!Verified("write-one", unit, cb, tag, data, length, sum)) return 0;
    if (!IsReportLength(length)) return 0;
    const std::shared_ptr<ServiceCore> service = CurrentService();
    const std::size_t sent = service ? service->Write(*unit, data, length, length) : 0;
    if (corvial::DebugLevel() > 0) {
      char hex[80];
      corvial::FormatHexPrefix(data, length, hex, sizeof hex);
      DebugLog(1, "write-one (tag %08x) %u bytes [%s]: %zu sent", tag, length, hex, sent);
    }
    // 1 when the report went out whole, as callers test for exactly 1.
    return sent == length ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

CORVIAL_EXPORT int RequestStatusWrite(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                                      const unsigned char* data, uint32_t length, uint32_t sum,
                                      uint32_t* outId) {
  try {
    if (!Verified("status-write", unit, cb, tag, data, length, sum)) return 0;
    if (!IsReportLength(length)) return 0;
    const std::shared_ptr<ServiceCore> service = CurrentService();
    const bool sent = service && service->Write(*unit, data, length, length) == length;
    DebugLog(1, "status-write (tag %08x) %u bytes: %s", tag, length, sent ? "sent" : "failed");
    if (!sent) return 0;
    // Completes at once; the id only lets the caller delete it harmlessly.
    if (outId) *outId = corvial::NewRequestId();
    return 1;
  } catch (...) {
    return 0;
  }
}

CORVIAL_EXPORT int RequestStatusGet(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                                    unsigned char* buffer, uint32_t capacity, uint32_t sum,
                                    uint32_t* /*outId*/) {
  try {
    if (!Verified("status-get", unit, cb, tag, nullptr, 0, sum)) return 0;
    if (!buffer || capacity == 0) return 0;
    const std::shared_ptr<ServiceCore> service = CurrentService();
    const int received = service ? service->GetFeature(*unit, buffer, capacity) : -1;
    return received > 0 ? received : 0;
  } catch (...) {
    return 0;
  }
}

CORVIAL_EXPORT int RequestAsyncRead(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                                    uint32_t sum, uint32_t* outId) {
  try {
    if (!Verified("async-read", unit, cb, tag, nullptr, 0, sum)) return 0;
    // A standing request without a callback could never deliver anything.
    if (!cb) return 0;
    const std::shared_ptr<ServiceCore> service = CurrentService();
    const uint32_t id = service ? service->AddStandingRead(*unit, cb, tag) : 0;
    DebugLog(1, "async-read (tag %08x): request %u", tag, id);
    if (id == 0) return 0;
    if (outId) *outId = id;
    return 1;
  } catch (...) {
    return 0;
  }
}

CORVIAL_EXPORT int RequestStatusSetFeature(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                                           const unsigned char* data, uint32_t length, uint32_t sum,
                                           uint32_t* /*outId*/) {
  try {
    if (!Verified("set-feature", unit, cb, tag, data, length, sum)) return 0;
    if (length == 0) return 0;
    const std::shared_ptr<ServiceCore> service = CurrentService();
    const int sent = service ? service->SetFeature(*unit, data, length) : -1;
    return sent > 0 ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
