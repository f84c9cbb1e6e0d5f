#include "tests/support/loopback_service.h"

#include <algorithm>
#include <atomic>

#include "service/corvial_abi.h"
#include "sim/sim_keyboard.h"

namespace testsupport {
namespace {

std::atomic<LoopbackService*> current{nullptr};

constexpr uint16_t kConfigUsagePage = 0xFF1C;  // count changes go to the control channel

}  // namespace

LoopbackService::LoopbackService() {
  current.store(this);
  thread_ = std::thread([this] { Run(); });
}

LoopbackService::~LoopbackService() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  thread_.join();
  current.store(nullptr);
}

device::DeviceServiceApi LoopbackService::Api() const {
  device::DeviceServiceApi api;
  api.Debug = &Debug;
  api.Init = &Init;
  api.End = &End;
  api.RequestGetDeviceCount = &GetDeviceCount;
  api.DeleteRequestFromUnitId = &DeleteFromUnitId;
  api.DeleteRequestFromHandle = &DeleteFromHandle;
  api.RequestWrite = &Write;
  api.RequestWriteOne = &WriteOne;
  api.RequestStatusWrite = &StatusWrite;
  api.RequestStatusGet = &StatusGet;
  api.RequestAsyncRead = &AsyncRead;
  api.RequestStatusSetFeature = &Write;
  return api;
}

void LoopbackService::SetResponder(Responder responder) {
  std::lock_guard lock(mutex_);
  responder_ = std::move(responder);
}

void LoopbackService::UseKeyboard(sim::SimKeyboard* keyboard) {
  auto keyboardMutex = std::make_shared<std::mutex>();
  SetResponder([this, keyboard, keyboardMutex](const Bytes& report) -> std::vector<Outgoing> {
    sim::ConfigResponse response;
    {
      std::lock_guard lock(*keyboardMutex);
      response = keyboard->HandleConfigReport(report.data(), report.size());
    }
    if (response.unplug || response.bootMode) SetDeviceCount(0);
    if (response.reply.empty()) return {};
    return {Outgoing{response.reply, std::chrono::microseconds(response.delayUs)}};
  });
}

void LoopbackService::SetDeviceCount(int count) {
  {
    std::lock_guard lock(mutex_);
    if (deviceCount_ == count) return;
    deviceCount_ = count;
  }
  Enqueue(Pending{std::chrono::steady_clock::now(), 0, true, count, {}});
}

void LoopbackService::InjectReport(const Bytes& report, std::chrono::microseconds delay) {
  Enqueue(Pending{std::chrono::steady_clock::now() + delay, 0, false, 0, report});
}

void LoopbackService::InjectConsumerReport(const Bytes& report) {
  Pending pending{std::chrono::steady_clock::now(), 0, false, 0, report};
  pending.usagePage = 0x000C;
  Enqueue(std::move(pending));
}

std::vector<Bytes> LoopbackService::StatusWrites() const {
  std::lock_guard lock(mutex_);
  return statusWrites_;
}

void LoopbackService::SetWriteResult(int result) {
  std::lock_guard lock(mutex_);
  writeResult_ = result;
}

std::vector<Bytes> LoopbackService::Sent() const {
  std::lock_guard lock(mutex_);
  return sent_;
}

void LoopbackService::ClearSent() {
  std::lock_guard lock(mutex_);
  sent_.clear();
}

int LoopbackService::ChecksumFailures() const {
  std::lock_guard lock(mutex_);
  return checksumFailures_;
}

int LoopbackService::StandingRequests() const {
  std::lock_guard lock(mutex_);
  return static_cast<int>(standing_.size());
}

bool LoopbackService::WaitIdle() {
  std::unique_lock lock(mutex_);
  return wake_.wait_for(lock, std::chrono::seconds(10),
                        [this] { return queue_.empty() && !delivering_; });
}

void LoopbackService::Enqueue(Pending pending) {
  {
    std::lock_guard lock(mutex_);
    pending.order = order_++;
    queue_.push_back(std::move(pending));
  }
  wake_.notify_all();
}

void LoopbackService::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (stopping_) return;
    if (queue_.empty()) {
      wake_.wait(lock);
      continue;
    }
    auto next = std::min_element(queue_.begin(), queue_.end(), [](const auto& a, const auto& b) {
      return a.due != b.due ? a.due < b.due : a.order < b.order;
    });
    if (next->due > std::chrono::steady_clock::now()) {
      wake_.wait_until(lock, next->due);
      continue;
    }
    Pending item = std::move(*next);
    queue_.erase(next);
    delivering_ = true;
    std::vector<Standing> targets;
    for (const auto& [id, request] : standing_) {
      if (item.countChange ? request.usagePage == kConfigUsagePage
                           : request.usagePage == item.usagePage)
        targets.push_back(request);
    }
    lock.unlock();
    {
      std::lock_guard callbacks(callbackMutex_);
      for (const Standing& target : targets) {
        unsigned char reportRecord[kReportRecordSize] = {};
        unsigned char record[kRequestRecordSize] = {};
        corvial::WriteU32(record + 0, target.tag);
        if (item.countChange) {
          corvial::WriteU32(record + 4, static_cast<uint32_t>(item.count));
        } else {
          corvial::WriteU32(record + 4, static_cast<uint32_t>(item.bytes.size()));
          corvial::WritePointer(record + 8, item.bytes.data());
          corvial::WritePointer(reportRecord + 28, item.bytes.data());
          corvial::WritePointer(record + 16, reportRecord);
        }
        DeviceEvent event{};
        corvial::WriteU32(event.bytes + 0,
                          item.countChange ? kDeviceEventCountChanged : kDeviceEventInputReport);
        corvial::WritePointer(event.bytes + 8, record);
        target.callback(&event);
      }
    }
    lock.lock();
    delivering_ = false;
    wake_.notify_all();
  }
}

bool LoopbackService::CheckSum(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                               const unsigned char* payload, uint32_t length, uint32_t sum) {
  if (unit != nullptr && corvial::RequestChecksum(*unit, cb, tag, payload, length) == sum)
    return true;
  std::lock_guard lock(mutex_);
  ++checksumFailures_;
  return false;
}

int LoopbackService::Debug(int) {
  return 0;
}
int LoopbackService::Init(int) {
  return 1;
}
int LoopbackService::End() {
  return 1;
}
int LoopbackService::DeleteFromHandle(void*) {
  return 0;
}
int LoopbackService::StatusGet(const DeviceUnit*, DeviceCallback, uint32_t, unsigned char*,
                               uint32_t, uint32_t, uint32_t*) {
  return 0;
}

int LoopbackService::GetDeviceCount(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                                    uint32_t sum, uint32_t*) {
  LoopbackService* self = current.load();
  if (self == nullptr || !self->CheckSum(unit, cb, tag, nullptr, 0, sum)) return 0;
  std::lock_guard lock(self->mutex_);
  return self->deviceCount_;
}

int LoopbackService::DeleteFromUnitId(uint32_t id) {
  LoopbackService* self = current.load();
  if (self == nullptr || id == 0) return 0;
  const bool onDeliveryThread = std::this_thread::get_id() == self->thread_.get_id();
  std::unique_lock<std::mutex> callbacks;
  if (!onDeliveryThread) callbacks = std::unique_lock(self->callbackMutex_);
  std::lock_guard lock(self->mutex_);
  return self->standing_.erase(id) > 0 ? 1 : 0;
}

int LoopbackService::Write(const DeviceUnit*, DeviceCallback, uint32_t, const unsigned char*,
                           uint32_t, uint32_t, uint32_t*) {
  return 0;
}

int LoopbackService::WriteOne(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                              const unsigned char* data, uint32_t length, uint32_t sum, uint32_t*) {
  LoopbackService* self = current.load();
  if (self == nullptr || data == nullptr || !self->CheckSum(unit, cb, tag, data, length, sum))
    return 0;
  Responder responder;
  const Bytes report(data, data + length);
  {
    std::lock_guard lock(self->mutex_);
    if (self->writeResult_ <= 0) return self->writeResult_;
    if (self->deviceCount_ == 0) return 0;
    self->sent_.push_back(report);
    responder = self->responder_;
  }
  if (responder) {
    for (Outgoing& out : responder(report)) self->InjectReport(out.bytes, out.delay);
  }
  std::lock_guard lock(self->mutex_);
  return self->writeResult_;
}

int LoopbackService::StatusWrite(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                                 const unsigned char* data, uint32_t length, uint32_t sum,
                                 uint32_t* outId) {
  LoopbackService* self = current.load();
  if (self == nullptr || !self->CheckSum(unit, cb, tag, data, length, sum)) return 0;
  std::lock_guard lock(self->mutex_);
  if (outId != nullptr) *outId = self->nextId_++;
  if (self->deviceCount_ == 0 || data == nullptr) return 0;
  self->statusWrites_.emplace_back(data, data + length);
  return 1;
}

int LoopbackService::AsyncRead(const DeviceUnit* unit, DeviceCallback cb, uint32_t tag,
                               uint32_t sum, uint32_t* outId) {
  LoopbackService* self = current.load();
  if (self == nullptr || cb == nullptr || !self->CheckSum(unit, cb, tag, nullptr, 0, sum)) return 0;
  std::lock_guard lock(self->mutex_);
  const uint32_t id = self->nextId_++;
  self->standing_[id] = Standing{cb, tag, corvial::UnitUsagePage(*unit)};
  if (outId != nullptr) *outId = id;
  return 1;
}

}  // namespace testsupport
