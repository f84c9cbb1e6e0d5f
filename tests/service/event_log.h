// Records what the library hands to callbacks, for tests to wait on.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

#include "service/corvial_abi.h"

namespace servicetest {

struct RecordedEvent {
  uint32_t kind = 0;
  uint32_t tag = 0;
  uint32_t value = 0;                        // report length or device count
  std::vector<unsigned char> bytes;          // through the pointer at 8
  std::vector<unsigned char> consumerBytes;  // through the report record at 16 -> 28
  bool pointersNull = false;                 // both pointers of the request record
};

// The callback given to the library: records the event under its tag, then
// runs the action set for that tag, if any.
int RecordingCallback(const DeviceEvent* event);

class EventLog {
 public:
  using Action = std::function<void(const RecordedEvent&)>;
  using Predicate = std::function<bool(const std::vector<RecordedEvent>&)>;

  static EventLog& Get();

  void Clear();
  void SetAction(uint32_t tag, Action action);
  std::vector<RecordedEvent> ForTag(uint32_t tag);
  // Waits (generously) until `done` holds for the tag's events.
  bool WaitFor(uint32_t tag, const Predicate& done,
               std::chrono::seconds timeout = std::chrono::seconds(10));
  // Waits until the tag's latest count event tells `count`.
  bool WaitForCount(uint32_t tag, uint32_t count);
  // Waits until the tag has at least `n` input reports.
  bool WaitForReports(uint32_t tag, std::size_t n);

  void Record(const RecordedEvent& event);

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::map<uint32_t, std::vector<RecordedEvent>> events_;
  std::map<uint32_t, Action> actions_;
};

std::vector<RecordedEvent> Reports(const std::vector<RecordedEvent>& events);
std::vector<uint32_t> Counts(const std::vector<RecordedEvent>& events);

}  // namespace servicetest
