// An in-process stand-in for libCorvial.so: the twelve exports as plain
// functions over a responder that plays the keyboard (usually the simulator's
// firmware model). Replies are delivered on a thread of its own, like the
// real service does, so the program's waiting and matching run for real.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "device/device_service.h"

namespace sim {
class SimKeyboard;
}

namespace testsupport {

using Bytes = std::vector<uint8_t>;

struct Outgoing {
  Bytes bytes;
  std::chrono::microseconds delay{0};
};

class LoopbackService {
 public:
  // What the keyboard answers to one output report on its configuration
  // interface: any number of input reports (none for a lost reply).
  using Responder = std::function<std::vector<Outgoing>(const Bytes& report)>;

  LoopbackService();
  ~LoopbackService();
  LoopbackService(const LoopbackService&) = delete;
  LoopbackService& operator=(const LoopbackService&) = delete;

  device::DeviceServiceApi Api() const;

  void SetResponder(Responder responder);
  // Plays the firmware model, honouring its latency and its faults. The
  // keyboard must outlive the service's use of it.
  void UseKeyboard(sim::SimKeyboard* keyboard);

  // Changes the number of attached keyboards and reports it to every
  // standing request, as a plug or unplug would.
  void SetDeviceCount(int count);
  // An input report on the configuration interface nobody asked for.
  void InjectReport(const Bytes& report, std::chrono::microseconds delay = {});
  // A report of the keyboard's own on its consumer interface.
  void InjectConsumerReport(const Bytes& report);
  // Every short report sent with RequestStatusWrite (the indicator).
  std::vector<Bytes> StatusWrites() const;
  // Every later RequestWriteOne returns this (0 or less: refused).
  void SetWriteResult(int result);

  // Output reports sent to the configuration interface, in order.
  std::vector<Bytes> Sent() const;
  void ClearSent();
  int ChecksumFailures() const;
  int StandingRequests() const;
  // Waits until every queued report has been delivered; false on time-out.
  bool WaitIdle();

  // The exports; public so that the function table can point at them.
  static int Debug(int level);
  static int Init(int flags);
  static int End();
  static int GetDeviceCount(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag, uint32_t sum,
                            uint32_t* outId);
  static int DeleteFromUnitId(uint32_t id);
  static int DeleteFromHandle(void* handle);
  static int Write(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                   const unsigned char* data, uint32_t length, uint32_t sum, uint32_t* outId);
  static int WriteOne(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                      const unsigned char* data, uint32_t length, uint32_t sum, uint32_t* outId);
  static int StatusWrite(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                         const unsigned char* data, uint32_t length, uint32_t sum, uint32_t* outId);
  static int StatusGet(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                       unsigned char* buffer, uint32_t capacity, uint32_t sum, uint32_t* outId);
  static int AsyncRead(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag, uint32_t sum,
                       uint32_t* outId);

 private:
  struct Standing {
    DeviceCallback callback;
    uint32_t tag;
    uint16_t usagePage;
  };
  struct Pending {
    std::chrono::steady_clock::time_point due;
    uint64_t order;
    bool countChange;
    int count;
    Bytes bytes;
    uint16_t usagePage = 0xFF1C;
  };

  void Enqueue(Pending pending);
  void Run();
  bool CheckSum(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                const unsigned char* payload, uint32_t length, uint32_t sum);

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Pending> queue_;
  uint64_t order_ = 0;
  bool stopping_ = false;
  bool delivering_ = false;
  Responder responder_;
  std::map<uint32_t, Standing> standing_;
  uint32_t nextId_ = 1;
  int deviceCount_ = 1;
  int writeResult_ = 1;
  int checksumFailures_ = 0;
  std::vector<Bytes> sent_;
  std::vector<Bytes> statusWrites_;
  std::thread thread_;
  // Serialises callbacks against deletes, as the real service does.
  std::mutex callbackMutex_;
};

}  // namespace testsupport
