// The request/dispatch core of the library: standing requests, the device
// snapshot they are matched against, and the library thread that drives a
// DeviceBackend and hands its events to callbacks. Knows nothing about which
// backend it drives.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "service/corvial_abi.h"
#include "service/device_backend.h"

namespace corvial {

// Request ids are unique within the process, across Init/End cycles.
uint32_t NewRequestId();

class ServiceCore : public std::enable_shared_from_this<ServiceCore> {
 public:
  explicit ServiceCore(std::unique_ptr<DeviceBackend> backend);
  ~ServiceCore();
  ServiceCore(const ServiceCore&) = delete;
  ServiceCore& operator=(const ServiceCore&) = delete;

  // Starts the backend (first discovery included) and the library thread.
  bool Start();
  // After Stop returns no callback runs any more, unless it was called from a
  // callback (the thread then finishes on its own once that returns) or
  // `waitLimit` ran out (the thread is left to finish on its own).
  void Stop(std::optional<std::chrono::milliseconds> waitLimit);

  int DeviceCount(const DeviceUnit& unit);
  // Sends length / reportSize reports to the unit's interface of the first
  // matching device; returns bytes sent. Runs on the caller's thread.
  std::size_t Write(const DeviceUnit& unit, const unsigned char* data, std::size_t length,
                    std::size_t reportSize);
  int GetFeature(const DeviceUnit& unit, unsigned char* buffer, std::size_t capacity);
  int SetFeature(const DeviceUnit& unit, const unsigned char* data, std::size_t length);

  // Returns the new request's id, or 0 once stopping.
  uint32_t AddStandingRead(const DeviceUnit& unit, DeviceCallback cb, uint32_t tag);
  // True when the request existed. Waits for a running callback of it to
  // return, unless called on the library thread.
  bool DeleteRequest(uint32_t id);

 private:
  struct StandingRead {
    DeviceUnit unit;
    DeviceCallback cb;
    uint32_t tag;
    uint32_t lastCount;  // the device count this request was last told
  };
  struct QueuedEvent;
  class EventQueue;

  void Run();
  void Wake();
  void Dispatch(std::vector<QueuedEvent>& events);
  // Calls the request's callback with no lock held, if it still exists.
  void Invoke(uint32_t requestId, uint32_t kind, uint32_t value, const unsigned char* bytes,
              std::size_t length);
  uint32_t CountLocked(const DeviceUnit& unit) const;
  // The first matching device and the unit's interface on it.
  std::optional<std::pair<uint64_t, std::size_t>> TargetLocked(const DeviceUnit& unit) const;

  const std::unique_ptr<DeviceBackend> backend_;
  int wakeFd_ = -1;
  std::thread thread_;

  std::mutex mutex_;
  std::condition_variable callbackDone_;
  std::condition_variable threadExited_;
  bool stopRequested_ = false;
  bool exited_ = false;
  std::thread::id loopThreadId_;
  uint32_t inCallback_ = 0;                 // id of the request whose callback is running
  std::vector<DeviceInfo> devices_;         // as of the last event dispatched
  std::map<uint32_t, StandingRead> reads_;  // by id: delivery in request order

  std::vector<unsigned char> scratch_;  // library thread only
};

}  // namespace corvial
