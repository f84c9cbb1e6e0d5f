#include "tests/service/event_log.h"

namespace servicetest {

int RecordingCallback(const DeviceEvent* event) {
  RecordedEvent recorded;
  recorded.kind = corvial::EventKind(*event);
  const unsigned char* record = corvial::EventRequestRecord(*event);
  recorded.tag = corvial::RecordTag(record);
  recorded.value = corvial::RecordCount(record);
  const unsigned char* bytes = corvial::RecordBytes(record);
  const void* report = corvial::ReadPointer(record + 16);
  recorded.pointersNull = bytes == nullptr && report == nullptr;
  if (recorded.kind == kDeviceEventInputReport) {
    if (bytes) recorded.bytes.assign(bytes, bytes + recorded.value);
    if (const unsigned char* consumer = corvial::RecordConsumerBytes(record)) {
      recorded.consumerBytes.assign(consumer, consumer + recorded.value);
    }
  }
  EventLog::Get().Record(recorded);
  return 1;
}

EventLog& EventLog::Get() {
  static EventLog* log = new EventLog;  // outlives any library thread at exit
  return *log;
}

void EventLog::Clear() {
  std::lock_guard lock(mutex_);
  events_.clear();
  actions_.clear();
}

void EventLog::SetAction(uint32_t tag, Action action) {
  std::lock_guard lock(mutex_);
  actions_[tag] = std::move(action);
}

void EventLog::Record(const RecordedEvent& event) {
  Action action;
  {
    std::lock_guard lock(mutex_);
    events_[event.tag].push_back(event);
    const auto it = actions_.find(event.tag);
    if (it != actions_.end()) action = it->second;
  }
  changed_.notify_all();
  if (action) action(event);
}

std::vector<RecordedEvent> EventLog::ForTag(uint32_t tag) {
  std::lock_guard lock(mutex_);
  return events_[tag];
}

bool EventLog::WaitFor(uint32_t tag, const Predicate& done, std::chrono::seconds timeout) {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, timeout, [&] { return done(events_[tag]); });
}

bool EventLog::WaitForCount(uint32_t tag, uint32_t count) {
  return WaitFor(tag, [count](const std::vector<RecordedEvent>& events) {
    const std::vector<uint32_t> counts = Counts(events);
    return !counts.empty() && counts.back() == count;
  });
}

bool EventLog::WaitForReports(uint32_t tag, std::size_t n) {
  return WaitFor(
      tag, [n](const std::vector<RecordedEvent>& events) { return Reports(events).size() >= n; });
}

std::vector<RecordedEvent> Reports(const std::vector<RecordedEvent>& events) {
  std::vector<RecordedEvent> reports;
  for (const RecordedEvent& e : events) {
    if (e.kind == kDeviceEventInputReport) reports.push_back(e);
  }
  return reports;
}

std::vector<uint32_t> Counts(const std::vector<RecordedEvent>& events) {
  std::vector<uint32_t> counts;
  for (const RecordedEvent& e : events) {
    if (e.kind == kDeviceEventCountChanged) counts.push_back(e.value);
  }
  return counts;
}

}  // namespace servicetest
