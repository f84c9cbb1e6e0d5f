// An event that releases one waiter and then resets itself, the way the
// reply event of a transaction behaves.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace device {

class AutoResetEvent {
 public:
  void Set() {
    {
      std::lock_guard lock(mutex_);
      signalled_ = true;
    }
    condition_.notify_one();
  }
  void Reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
  }
  // True when the event was signalled within the time-out; consumes the signal.
  bool WaitFor(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    if (!condition_.wait_for(lock, timeout, [this] { return signalled_; })) return false;
    signalled_ = false;
    return true;
  }

 private:
  std::mutex mutex_;
  std::condition_variable condition_;
  bool signalled_ = false;
};

}  // namespace device
