// The program's link to the keyboard's configuration interface: the
// write-and-wait transaction with its reply slot, the write without reply,
// and the control channel through which replies and device-count changes
// arrive.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>

#include "device/auto_reset_event.h"
#include "device/device_service.h"

namespace device {

// The product's timings; tests shorten them.
struct LinkTimings {
  std::chrono::milliseconds replyTimeout{1000};
  // A caller that finds the reply slot busy waits one tick longer than a
  // reply can take before it takes the slot over.
  std::chrono::milliseconds busyWait{1001};
  std::chrono::milliseconds retryPause{10};
  // The keyboard needs a moment before it closes a configuration bracket.
  std::chrono::milliseconds configEndPause{10};
};

inline constexpr int kTransactionTries = 3;

class DeviceLink {
 public:
  explicit DeviceLink(const DeviceServiceApi& api, LinkTimings timings = {});
  ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  // Issues (or re-issues) the standing read on the configuration interface.
  // Events reach this link from then on. False when the service refused it.
  bool StartControlChannel();

  // Attached keyboards, as the service counts them.
  int DeviceCount() const;

  // Sends a request (padded to 64 bytes; the sum must already be in it) and
  // waits for the reply with the same command number: up to three sends,
  // one second each. Returns a result code of result_codes.h; on 1 the
  // reply is in `reply` (its status may still be an error status) and
  // `replyCount` holds the delivered byte count.
  int Transaction(const uint8_t* request, std::size_t length, uint8_t* reply, std::size_t capacity,
                  std::size_t* replyCount);

  // Sends a request once without waiting for anything; the service's result
  // (> 0 when sent).
  int WriteWithoutReply(const uint8_t* request, std::size_t length);

  // Device-count changes reported on the control channel, on the service's
  // thread.
  void SetDeviceCountListener(std::function<void(int count)> listener);
  // Every event that is not for the control channel, on the service's thread.
  void SetOtherEventListener(std::function<void(const DeviceEvent&)> listener);

  // Entry point for the service's callback.
  void HandleEvent(const DeviceEvent& event);

  const DeviceServiceApi& api() const { return api_; }
  const LinkTimings& timings() const { return timings_; }

 private:
  void DeliverReply(const unsigned char* bytes, std::size_t count);
  void PublishReplyBuffer(uint8_t* reply, std::size_t capacity);
  void ClearBusy();

  DeviceServiceApi api_;
  LinkTimings timings_;
  DeviceUnit configUnit_;
  uint32_t countChecksum_ = 0;
  uint32_t controlRequestId_ = 0;

  // One transaction at a time: callers on several threads queue here.
  std::mutex transactionMutex_;

  // The reply slot. The callback fills the published buffer only while the
  // busy flag is set, and it does so under the slot's lock, so a reply that
  // arrives late can never write into a buffer its transaction has already
  // given up.
  std::mutex slotMutex_;
  std::atomic<bool> busy_{false};
  uint8_t* replyBuffer_ = nullptr;
  std::size_t replyCapacity_ = 0;
  std::size_t replyDelivered_ = 0;
  AutoResetEvent replyEvent_;

  std::mutex listenerMutex_;
  std::function<void(int)> countListener_;
  std::function<void(const DeviceEvent&)> otherListener_;
};

// The program's one callback, handed to the service with every channel; it
// forwards to the link that issued the control channel last.
extern "C" int QuorvaneDeviceCallback(const DeviceEvent* event);

}  // namespace device
