// The seam between the request/dispatch core and whatever reaches keyboards:
// simulated keyboards today, hidraw nodes later. The core only ever sees
// DeviceInfo snapshots, input reports tagged with (device id, interface
// index), and Send calls with the same pair.
#pragma once

#include <poll.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace corvial {

struct InterfaceInfo {
  uint16_t usagePage = 0;
  uint16_t usage = 0;
};

struct DeviceInfo {
  // Unique for each attachment within a process: a keyboard that is unplugged
  // and plugged again gets a new id, so a stale id can never reach it.
  uint64_t id = 0;
  // Stable order key (folder name, sysfs path); devices are listed sorted by it.
  std::string name;
  uint16_t vendor = 0;
  uint16_t product = 0;
  std::vector<InterfaceInfo> interfaces;
};

// Where a backend reports what it saw. Called only on the library thread,
// from inside DeviceBackend::HandleReady.
class BackendEvents {
 public:
  virtual ~BackendEvents() = default;
  // The complete set of present devices after a change, sorted by name.
  virtual void DevicesChanged(std::vector<DeviceInfo> devices) = 0;
  virtual void InputReport(uint64_t deviceId, std::size_t interfaceIndex, const unsigned char* data,
                           std::size_t length) = 0;
};

class DeviceBackend {
 public:
  virtual ~DeviceBackend() = default;

  // Opens whatever the backend watches and runs a first discovery. Called
  // once, before the library thread starts. Returns false only when the
  // backend cannot run at all; "no devices" is success with an empty list.
  virtual bool Start(std::vector<DeviceInfo>& devices) = 0;
  // Closes every connection. Called on the library thread as it exits; Send
  // may still race with it and must then fail cleanly.
  virtual void Stop() = 0;

  // Library thread: appends the descriptors to poll and returns the poll
  // timeout in milliseconds (-1 for none) the backend needs for retries.
  virtual int CollectPollFds(std::vector<pollfd>& fds) = 0;
  // Library thread: handles the results for exactly the descriptors the last
  // CollectPollFds appended (also called after a timeout, with no revents).
  virtual void HandleReady(std::span<const pollfd> fds, BackendEvents& events) = 0;

  // Any thread, concurrently: sends `length / reportSize` output reports of
  // `reportSize` bytes each, in order and not interleaved with other sends to
  // the same interface. Returns the number of bytes sent; stops at the first
  // failure. Must never wait for the library thread.
  virtual std::size_t Send(uint64_t deviceId, std::size_t interfaceIndex, const unsigned char* data,
                           std::size_t length, std::size_t reportSize) = 0;

  // Feature reports (any thread). Return the byte count, or -1 when the
  // device has none or the transfer failed.
  virtual int GetFeature(uint64_t deviceId, std::size_t interfaceIndex, unsigned char* buffer,
                         std::size_t capacity) = 0;
  virtual int SetFeature(uint64_t deviceId, std::size_t interfaceIndex, const unsigned char* data,
                         std::size_t length) = 0;
};

}  // namespace corvial
