#include "service/service_core.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "service/debug_log.h"
#include "service/device_match.h"

namespace corvial {
namespace {

std::atomic<uint32_t> gNextRequestId{1};

}  // namespace

uint32_t NewRequestId() {
  uint32_t id = gNextRequestId.fetch_add(1);
  while (id == 0) id = gNextRequestId.fetch_add(1);  // 0 means "no request"
  return id;
}

struct ServiceCore::QueuedEvent {
  bool devicesChanged = false;
  std::vector<DeviceInfo> devices;
  uint64_t deviceId = 0;
  std::size_t interfaceIndex = 0;
  std::vector<unsigned char> bytes;
};

// Collects what the backend reports during one HandleReady, so callbacks run
// only after the backend is done touching its own state.
class ServiceCore::EventQueue final : public BackendEvents {
 public:
  void DevicesChanged(std::vector<DeviceInfo> devices) override {
    QueuedEvent event;
    event.devicesChanged = true;
    event.devices = std::move(devices);
    events.push_back(std::move(event));
  }
  void InputReport(uint64_t deviceId, std::size_t interfaceIndex, const unsigned char* data,
                   std::size_t length) override {
    QueuedEvent event;
    event.deviceId = deviceId;
    event.interfaceIndex = interfaceIndex;
    event.bytes.assign(data, data + length);
    events.push_back(std::move(event));
  }

  std::vector<QueuedEvent> events;
};

ServiceCore::ServiceCore(std::unique_ptr<DeviceBackend> backend) : backend_(std::move(backend)) {}

ServiceCore::~ServiceCore() {
  // Never std::terminate over a thread that is still attached: that only
  // happens if Start failed half-way, and then it has not run.
  if (thread_.joinable()) thread_.detach();
  if (wakeFd_ >= 0) ::close(wakeFd_);
}

bool ServiceCore::Start() {
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wakeFd_ < 0) {
    DebugLog(1, "eventfd: %s", std::strerror(errno));
    return false;
  }
  std::vector<DeviceInfo> devices;
  if (!backend_->Start(devices)) return false;
  {
    std::lock_guard lock(mutex_);
    devices_ = std::move(devices);
  }
  try {
    thread_ = std::thread([self = shared_from_this()] { self->Run(); });
  } catch (...) {
    DebugLog(1, "cannot start the library thread");
    backend_->Stop();
    return false;
  }
  return true;
}

void ServiceCore::Stop(std::optional<std::chrono::milliseconds> waitLimit) {
  {
    std::lock_guard lock(mutex_);
    if (stopRequested_) return;
    stopRequested_ = true;
    reads_.clear();
  }
  Wake();
  if (!thread_.joinable()) return;
  if (std::this_thread::get_id() == thread_.get_id()) {
    // End from inside a callback: the thread exits once the callback returns.
    thread_.detach();
    return;
  }
  if (waitLimit) {
    std::unique_lock lock(mutex_);
    if (!threadExited_.wait_for(lock, *waitLimit, [this] { return exited_; })) {
      // Stuck in a callback (at process exit, typically waiting for a thread
      // that is already gone): leave it; it keeps this object alive itself.
      DebugLog(1, "library thread did not stop; leaving it");
      lock.unlock();
      thread_.detach();
      return;
    }
  }
  thread_.join();
}

void ServiceCore::Wake() {
  const uint64_t one = 1;
  // A full counter already means "wake up"; nothing to do on failure.
  [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
}

void ServiceCore::Run() {
  {
    std::lock_guard lock(mutex_);
    loopThreadId_ = std::this_thread::get_id();
  }
  std::vector<pollfd> fds;
  while (true) {
    {
      std::lock_guard lock(mutex_);
      if (stopRequested_) break;
    }
    fds.clear();
    fds.push_back({wakeFd_, POLLIN, 0});
    const int timeout = backend_->CollectPollFds(fds);
    if (::poll(fds.data(), fds.size(), timeout) < 0) {
      if (errno != EINTR) {
        DebugLog(1, "poll: %s", std::strerror(errno));
        ::poll(nullptr, 0, 50);  // don't spin on a persistent failure
      }
      continue;
    }
    if (fds[0].revents != 0) {
      uint64_t count;
      [[maybe_unused]] const ssize_t drained = ::read(wakeFd_, &count, sizeof count);
    }
    EventQueue queue;
    backend_->HandleReady(std::span<const pollfd>(fds).subspan(1), queue);
    Dispatch(queue.events);
  }
  backend_->Stop();
  {
    std::lock_guard lock(mutex_);
    exited_ = true;
  }
  threadExited_.notify_all();
}

void ServiceCore::Dispatch(std::vector<QueuedEvent>& events) {
  std::vector<std::pair<uint32_t, uint32_t>> countChanges;
  std::vector<uint32_t> targets;
  for (QueuedEvent& event : events) {
    std::unique_lock lock(mutex_);
    if (stopRequested_) return;
    if (event.devicesChanged) {
      devices_ = std::move(event.devices);
      countChanges.clear();
      for (auto& [id, read] : reads_) {
        const uint32_t count = CountLocked(read.unit);
        if (count == read.lastCount) continue;
        read.lastCount = count;
        countChanges.emplace_back(id, count);
      }
      DebugLog(1, "%zu device(s) present, %zu request(s) told", devices_.size(),
               countChanges.size());
      lock.unlock();
      for (const auto& [id, count] : countChanges) {
        Invoke(id, kDeviceEventCountChanged, count, nullptr, 0);
      }
      continue;
    }

    targets.clear();
    for (const DeviceInfo& device : devices_) {
      if (device.id != event.deviceId) continue;
      for (const auto& [id, read] : reads_) {
        if (MatchingInterface(read.unit, device) == event.interfaceIndex) targets.push_back(id);
      }
      break;
    }
    lock.unlock();
    if (DebugLevel() > 0) {
      char hex[80];
      FormatHexPrefix(event.bytes.data(), event.bytes.size(), hex, sizeof hex);
      DebugLog(1, "report on device %llu interface %zu, %zu bytes [%s] to %zu request(s)",
               static_cast<unsigned long long>(event.deviceId), event.interfaceIndex,
               event.bytes.size(), hex, targets.size());
    }
    for (uint32_t id : targets) {
      Invoke(id, kDeviceEventInputReport, static_cast<uint32_t>(event.bytes.size()),
             event.bytes.data(), event.bytes.size());
    }
  }
}

void ServiceCore::Invoke(uint32_t requestId, uint32_t kind, uint32_t value,
                         const unsigned char* bytes, std::size_t length) {
  DeviceCallback cb;
  uint32_t tag;
  {
    std::lock_guard lock(mutex_);
    if (stopRequested_) return;
    const auto it = reads_.find(requestId);
    if (it == reads_.end()) return;
    cb = it->second.cb;
    tag = it->second.tag;
    inCallback_ = requestId;
  }

  // Each callback gets its own copy, so one that scribbles on the bytes
  // can't change what the next request sees.
  const unsigned char* shown = nullptr;
  if (bytes) {
    scratch_.assign(bytes, bytes + length);
    shown = scratch_.data();
  }
  alignas(8) unsigned char report[kReportRecordSize] = {};
  alignas(8) unsigned char request[kRequestRecordSize] = {};
  DeviceEvent event{};
  WritePointer(report + 28, shown);
  WriteU32(request + 0, tag);
  WriteU32(request + 4, value);
  WritePointer(request + 8, shown);
  WritePointer(request + 16, kind == kDeviceEventInputReport ? report : nullptr);
  WriteU32(event.bytes + 0, kind);
  WritePointer(event.bytes + 8, request);

  try {
    cb(&event);
  } catch (...) {
    DebugLog(1, "callback of request %u threw", requestId);
  }

  {
    std::lock_guard lock(mutex_);
    inCallback_ = 0;
  }
  callbackDone_.notify_all();
}

uint32_t ServiceCore::CountLocked(const DeviceUnit& unit) const {
  uint32_t count = 0;
  for (const DeviceInfo& device : devices_) {
    if (MatchingInterface(unit, device)) ++count;
  }
  return count;
}

std::optional<std::pair<uint64_t, std::size_t>> ServiceCore::TargetLocked(
    const DeviceUnit& unit) const {
  for (const DeviceInfo& device : devices_) {
    if (const std::optional<std::size_t> interface = MatchingInterface(unit, device)) {
      return std::make_pair(device.id, *interface);
    }
  }
  return std::nullopt;
}

int ServiceCore::DeviceCount(const DeviceUnit& unit) {
  std::lock_guard lock(mutex_);
  return stopRequested_ ? 0 : static_cast<int>(CountLocked(unit));
}

std::size_t ServiceCore::Write(const DeviceUnit& unit, const unsigned char* data,
                               std::size_t length, std::size_t reportSize) {
  std::optional<std::pair<uint64_t, std::size_t>> target;
  {
    std::lock_guard lock(mutex_);
    if (!stopRequested_) target = TargetLocked(unit);
  }
  if (!target) return 0;
  return backend_->Send(target->first, target->second, data, length, reportSize);
}

int ServiceCore::GetFeature(const DeviceUnit& unit, unsigned char* buffer, std::size_t capacity) {
  std::optional<std::pair<uint64_t, std::size_t>> target;
  {
    std::lock_guard lock(mutex_);
    if (!stopRequested_) target = TargetLocked(unit);
  }
  return target ? backend_->GetFeature(target->first, target->second, buffer, capacity) : -1;
}

int ServiceCore::SetFeature(const DeviceUnit& unit, const unsigned char* data, std::size_t length) {
  std::optional<std::pair<uint64_t, std::size_t>> target;
  {
    std::lock_guard lock(mutex_);
    if (!stopRequested_) target = TargetLocked(unit);
  }
  return target ? backend_->SetFeature(target->first, target->second, data, length) : -1;
}

uint32_t ServiceCore::AddStandingRead(const DeviceUnit& unit, DeviceCallback cb, uint32_t tag) {
  std::lock_guard lock(mutex_);
  if (stopRequested_) return 0;
  const uint32_t id = NewRequestId();
  reads_[id] = StandingRead{unit, cb, tag, CountLocked(unit)};
  return id;
}

bool ServiceCore::DeleteRequest(uint32_t id) {
  if (id == 0) return false;
  std::unique_lock lock(mutex_);
  if (reads_.erase(id) == 0) return false;
  if (std::this_thread::get_id() != loopThreadId_) {
    callbackDone_.wait(lock, [this, id] { return inCallback_ != id; });
  }
  return true;
}

}  // namespace corvial
