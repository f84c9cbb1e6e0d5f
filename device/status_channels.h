// The keyboard's status traffic besides the configuration transactions: the
// consumer channel on which it reports its own events (the G-key bank key,
// lighting changed, activity), the indicator channel through which the
// program tells it the G-key bank, and the device-count changes of the
// control channel, each of which runs the presence handler.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "device/device_link.h"
#include "platform/window_interface.h"

namespace device {

inline constexpr uint16_t kEventBankKey = 0x02FF;
inline constexpr uint16_t kEventLightingChanged = 0x0401;
inline constexpr uint16_t kEventActivityOn = 0x1811;
inline constexpr uint16_t kEventActivityOff = 0x1810;
inline constexpr uint8_t kIndicatorReportId = 0x05;
// Bit 0 is the G-key bank; the other bits are sent as they are.
inline constexpr uint8_t kInitialIndicator = 0x02;

class StatusChannels {
 public:
  StatusChannels(DeviceLink& link, platform::WindowInterface& window);
  // Stops the presence worker and closes the consumer channel.
  ~StatusChannels();
  StatusChannels(const StatusChannels&) = delete;
  StatusChannels& operator=(const StatusChannels&) = delete;

  // Start-up, in this order: the indicator byte, the consumer channel, the
  // control channel, the first device count, the first presence handling.
  // Every later device-count change is handled too, one at a time and in the
  // order they happened, on a worker thread. Returns the first count.
  int Start(std::function<void(int count)> presenceHandler);

  uint8_t indicator() const { return indicator_; }
  int gKeyBank() const { return indicator_ & 1; }

  // What a consumer report does (also the entry point for its events).
  void HandleConsumerReport(const unsigned char* bytes, std::size_t count);

 private:
  void QueuePresence(int count);
  void RunPresenceWorker();
  void ChangeBank();

  DeviceLink& link_;
  platform::WindowInterface& window_;
  std::atomic<uint8_t> indicator_{kInitialIndicator};
  uint32_t consumerRequestId_ = 0;
  uint32_t indicatorRequestId_ = 0;

  std::function<void(int)> presenceHandler_;
  std::mutex queueMutex_;
  std::condition_variable queueWake_;
  std::deque<int> presenceQueue_;
  bool stopping_ = false;
  std::thread worker_;
};

}  // namespace device
