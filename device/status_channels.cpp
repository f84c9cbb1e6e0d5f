#include "device/status_channels.h"

#include "device/device_units.h"

namespace device {

StatusChannels::StatusChannels(DeviceLink& link, platform::WindowInterface& window)
    : link_(link), window_(window) {}

StatusChannels::~StatusChannels() {
  link_.SetDeviceCountListener(nullptr);
  link_.SetOtherEventListener(nullptr);
  if (consumerRequestId_ != 0) link_.api().DeleteRequestFromUnitId(consumerRequestId_);
  {
    std::lock_guard lock(queueMutex_);
    stopping_ = true;
  }
  queueWake_.notify_all();
  if (worker_.joinable()) worker_.join();
}

int StatusChannels::Start(std::function<void(int)> presenceHandler) {
  presenceHandler_ = std::move(presenceHandler);
  indicator_ = kInitialIndicator;
  worker_ = std::thread([this] { RunPresenceWorker(); });

  link_.SetOtherEventListener([this](const DeviceEvent& event) {
    const unsigned char* record = corvial::EventRequestRecord(event);
    if (record == nullptr || corvial::RecordTag(record) != kConsumerChannelTag) return;
    if (corvial::EventKind(event) != kDeviceEventInputReport) return;
    HandleConsumerReport(corvial::RecordConsumerBytes(record), corvial::RecordCount(record));
  });
  link_.SetDeviceCountListener([this](int count) { QueuePresence(count); });

  const DeviceUnit consumer = ConsumerUnit();
  const DeviceCallback callback = &QuorvaneDeviceCallback;
  link_.api().DeleteRequestFromUnitId(consumerRequestId_);
  uint32_t id = 0;
  link_.api().RequestAsyncRead(
      &consumer, callback, kConsumerChannelTag,
      corvial::RequestChecksum(consumer, callback, kConsumerChannelTag, nullptr, 0), &id);
  consumerRequestId_ = id;

  link_.StartControlChannel();
  const int count = link_.DeviceCount();
  QueuePresence(count);
  return count;
}

void StatusChannels::QueuePresence(int count) {
  {
    std::lock_guard lock(queueMutex_);
    presenceQueue_.push_back(count);
  }
  queueWake_.notify_all();
}

void StatusChannels::RunPresenceWorker() {
  std::unique_lock lock(queueMutex_);
  for (;;) {
    queueWake_.wait(lock, [this] { return stopping_ || !presenceQueue_.empty(); });
    if (stopping_) return;
    const int count = presenceQueue_.front();
    presenceQueue_.pop_front();
    lock.unlock();
    if (presenceHandler_) presenceHandler_(count);
    lock.lock();
  }
}

void StatusChannels::HandleConsumerReport(const unsigned char* bytes, std::size_t count) {
  if (bytes == nullptr || count < 2) return;
  const auto code = static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
  switch (code) {
    case kEventBankKey:
      ChangeBank();
      break;
    case kEventLightingChanged:
      window_.StartTimer(platform::kLightingTimer, 0);
      break;
    case kEventActivityOn:
      window_.SetTrayActivity(true);
      break;
    case kEventActivityOff:
      window_.SetTrayActivity(false);
      break;
    default:
      break;
  }
}

void StatusChannels::ChangeBank() {
  indicator_ = static_cast<uint8_t>(indicator_ ^ 1);
  const unsigned char report[2] = {kIndicatorReportId, indicator_};
  const DeviceUnit unit = IndicatorUnit();
  const DeviceCallback callback = &QuorvaneDeviceCallback;
  const uint32_t sum = corvial::RequestChecksum(unit, callback, kIndicatorChannelTag, report, 2);
  link_.api().DeleteRequestFromUnitId(indicatorRequestId_);
  uint32_t id = 0;
  link_.api().RequestStatusWrite(&unit, callback, kIndicatorChannelTag, report, 2, sum, &id);
  indicatorRequestId_ = id;
  window_.SendWindowMessage({platform::kMsgIndicator, platform::kCodeIndicator, 0});
  window_.ShowGKeyBank(indicator_ & 1);
}

}  // namespace device
