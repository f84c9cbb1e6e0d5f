#include "device/device_link.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "device/device_units.h"
#include "device/report_packet.h"
#include "device/result_codes.h"

namespace device {
namespace {

std::atomic<DeviceLink*> activeLink{nullptr};

}  // namespace

extern "C" int QuorvaneDeviceCallback(const DeviceEvent* event) {
  DeviceLink* link = activeLink.load(std::memory_order_acquire);
  if (link != nullptr && event != nullptr) link->HandleEvent(*event);
  return 1;
}

DeviceLink::DeviceLink(const DeviceServiceApi& api, LinkTimings timings)
    : api_(api), timings_(timings), configUnit_(ConfigUnit()) {
  countChecksum_ = corvial::RequestChecksum(configUnit_, nullptr, 0, nullptr, 0);
}

DeviceLink::~DeviceLink() {
  // The service calls no callback of a deleted request once the delete has
  // returned, so the link can go away safely afterwards.
  if (controlRequestId_ != 0) api_.DeleteRequestFromUnitId(controlRequestId_);
  DeviceLink* self = this;
  activeLink.compare_exchange_strong(self, nullptr);
}

bool DeviceLink::StartControlChannel() {
  activeLink.store(this, std::memory_order_release);
  api_.DeleteRequestFromUnitId(controlRequestId_);
  controlRequestId_ = 0;
  const DeviceCallback callback = &QuorvaneDeviceCallback;
  const uint32_t sum =
      corvial::RequestChecksum(configUnit_, callback, kControlChannelTag, nullptr, 0);
  uint32_t id = 0;
  const int result = api_.RequestAsyncRead(&configUnit_, callback, kControlChannelTag, sum, &id);
  controlRequestId_ = id;
  return result > 0;
}

int DeviceLink::DeviceCount() const {
  return api_.RequestGetDeviceCount(&configUnit_, nullptr, 0, countChecksum_, nullptr);
}

void DeviceLink::PublishReplyBuffer(uint8_t* reply, std::size_t capacity) {
  std::lock_guard lock(slotMutex_);
  replyBuffer_ = reply;
  replyCapacity_ = capacity;
  replyDelivered_ = 0;
  // A reply shorter than the buffer must not leave bytes of an earlier try
  // behind to be mistaken for its command number or status.
  if (reply != nullptr) std::memset(reply, 0, capacity);
  replyEvent_.Reset();
  busy_.store(true);
}

void DeviceLink::ClearBusy() {
  std::lock_guard lock(slotMutex_);
  busy_.store(false);
  replyBuffer_ = nullptr;
  replyCapacity_ = 0;
}

int DeviceLink::Transaction(const uint8_t* request, std::size_t length, uint8_t* reply,
                            std::size_t capacity, std::size_t* replyCount) {
  if (replyCount != nullptr) *replyCount = 0;
  std::lock_guard serial(transactionMutex_);
  if (DeviceCount() == 0) return kResultNoDevice;

  ReportPacket packet{};
  std::copy_n(request, std::min(length, kReportSize), packet.begin());
  const uint32_t sum =
      corvial::RequestChecksum(configUnit_, nullptr, 0, packet.data(), kReportSize);

  int tries = 0;
  for (;;) {
    if (busy_.load()) {
      std::this_thread::sleep_for(timings_.busyWait);
      ClearBusy();
    }
    PublishReplyBuffer(reply, capacity);
    if (api_.RequestWriteOne(&configUnit_, nullptr, 0, packet.data(), kReportSize, sum, nullptr) <=
        0) {
      ClearBusy();
      return kResultWriteRefused;
    }
    const bool signalled = replyEvent_.WaitFor(timings_.replyTimeout);
    std::size_t delivered = 0;
    bool matching = false;
    bool errorStatus = false;
    {
      std::lock_guard lock(slotMutex_);
      delivered = replyDelivered_;
      if (signalled && capacity > kReportCommandByte) {
        matching = reply[kReportCommandByte] == packet[kReportCommandByte];
        const uint8_t status = capacity > kReportStatusByte ? reply[kReportStatusByte] : 0;
        errorStatus = status == kStatusErrorFF || status == kStatusErrorFE;
      }
    }
    if (signalled && matching && !errorStatus) {
      if (replyCount != nullptr) *replyCount = delivered;
      ClearBusy();
      return kResultOk;
    }
    if (++tries == kTransactionTries) {
      ClearBusy();
      // Three error statuses still count as a reply; the command reports them.
      if (signalled && matching) {
        if (replyCount != nullptr) *replyCount = delivered;
        return kResultOk;
      }
      return kResultNoReply;
    }
    ClearBusy();
    std::this_thread::sleep_for(timings_.retryPause);
  }
}

int DeviceLink::WriteWithoutReply(const uint8_t* request, std::size_t length) {
  ReportPacket packet{};
  std::copy_n(request, std::min(length, kReportSize), packet.begin());
  const uint32_t sum =
      corvial::RequestChecksum(configUnit_, nullptr, 0, packet.data(), kReportSize);
  return api_.RequestWriteOne(&configUnit_, nullptr, 0, packet.data(), kReportSize, sum, nullptr);
}

void DeviceLink::DeliverReply(const unsigned char* bytes, std::size_t count) {
  std::lock_guard lock(slotMutex_);
  // Nothing waits: the report is dropped and the event stays as it is.
  if (!busy_.load() || replyBuffer_ == nullptr) return;
  const std::size_t n = std::min(count, replyCapacity_);
  if (bytes != nullptr) std::memcpy(replyBuffer_, bytes, n);
  replyDelivered_ = n;
  replyEvent_.Set();
}

void DeviceLink::SetDeviceCountListener(std::function<void(int)> listener) {
  std::lock_guard lock(listenerMutex_);
  countListener_ = std::move(listener);
}

void DeviceLink::SetOtherEventListener(std::function<void(const DeviceEvent&)> listener) {
  std::lock_guard lock(listenerMutex_);
  otherListener_ = std::move(listener);
}

void DeviceLink::HandleEvent(const DeviceEvent& event) {
  const unsigned char* record = corvial::EventRequestRecord(event);
  if (record == nullptr) return;
  const uint32_t kind = corvial::EventKind(event);
  if (corvial::RecordTag(record) == kControlChannelTag) {
    if (kind == kDeviceEventInputReport) {
      DeliverReply(corvial::RecordBytes(record), corvial::RecordCount(record));
    } else if (kind == kDeviceEventCountChanged) {
      std::function<void(int)> listener;
      {
        std::lock_guard lock(listenerMutex_);
        listener = countListener_;
      }
      if (listener) listener(static_cast<int>(corvial::RecordCount(record)));
    }
    return;
  }
  std::function<void(const DeviceEvent&)> listener;
  {
    std::lock_guard lock(listenerMutex_);
    listener = otherListener_;
  }
  if (listener) listener(event);
}

}  // namespace device
