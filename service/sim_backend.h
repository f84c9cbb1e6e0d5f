// Backend for simulated keyboards: folders in a watched directory, each
// presenting its HID interfaces as SOCK_SEQPACKET sockets (see
// sim_endpoint_layout.h).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "service/device_backend.h"
#include "service/sim_device.h"

namespace corvial {

class SimBackend final : public DeviceBackend {
 public:
  explicit SimBackend(std::string watchDir);
  ~SimBackend() override;

  bool Start(std::vector<DeviceInfo>& devices) override;
  void Stop() override;
  int CollectPollFds(std::vector<pollfd>& fds) override;
  void HandleReady(std::span<const pollfd> fds, BackendEvents& events) override;
  std::size_t Send(uint64_t deviceId, std::size_t interfaceIndex, const unsigned char* data,
                   std::size_t length, std::size_t reportSize) override;
  // Simulated keyboards have no feature reports.
  int GetFeature(uint64_t, std::size_t, unsigned char*, std::size_t) override { return -1; }
  int SetFeature(uint64_t, std::size_t, const unsigned char*, std::size_t) override { return -1; }

 private:
  // A folder whose keyboard hung up: it isn't connected again until it is
  // replaced, or a simulator that merely dropped us would reappear at once.
  struct DeadFolder {
    std::string name;
    dev_t device;
    ino_t inode;
  };

  void AddWatch();
  // Drains inotify; true when the folder's contents may have changed.
  bool ReadWatchEvents();
  // False when the connection is gone.
  bool ReadReports(const SimDevice& keyboard, std::size_t interfaceIndex, BackendEvents& events);
  // Brings the keyboard list in line with the folder; true when it changed.
  bool Rescan();
  void RemoveKeyboardAt(std::size_t index);
  std::vector<DeviceInfo> Snapshot() const;

  const std::string watchDir_;
  int inotifyFd_ = -1;
  int watch_ = -1;
  bool watchLost_ = false;
  bool retryPending_ = false;
  std::chrono::steady_clock::time_point lastTimedScan_{};

  // Written only by the library thread, under mutex_; Send reads it from
  // any thread under mutex_, the library thread reads it freely.
  mutable std::mutex mutex_;
  std::vector<SimDevice> keyboards_;  // sorted by name

  std::vector<DeadFolder> deadFolders_;
  // What each descriptor after the inotify one in the last CollectPollFds is.
  std::vector<std::pair<uint64_t, std::size_t>> pollTargets_;
  bool pollIncludesInotify_ = false;
};

}  // namespace corvial
