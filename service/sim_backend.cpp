#include "service/sim_backend.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <memory>

#include "service/debug_log.h"
#include "service/sim_watch_dir.h"

namespace corvial {
namespace {

// While the folder is missing, a listener was busy, or inotify is
// unavailable, the folder is looked at again this often.
constexpr std::chrono::milliseconds kRetryInterval{250};
// Bounds descriptors and work per rescan against a folder full of junk.
constexpr std::size_t kMaxKeyboards = 32;
// Reports taken from one connection per wake-up, so one chatty interface
// can't starve the others; the rest wait for the next poll.
constexpr int kReportsPerWake = 64;
// Larger than any report so an oversized message is noticed, not split.
constexpr std::size_t kReceiveBufferSize = 512;

std::atomic<uint64_t> gNextDeviceId{1};

struct FolderEntry {
  std::string name;
  dev_t device;
  ino_t inode;
};

struct DirCloser {
  void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

SimBackend::SimBackend(std::string watchDir) : watchDir_(std::move(watchDir)) {}

SimBackend::~SimBackend() {
  Stop();
}

bool SimBackend::Start(std::vector<DeviceInfo>& devices) {
  if (!MakeWatchDir(watchDir_)) {
    DebugLog(1, "cannot create %s (%s); no keyboards until it appears", watchDir_.c_str(),
             std::strerror(errno));
  }
  inotifyFd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (inotifyFd_ < 0) {
    DebugLog(1, "inotify unavailable (%s); rescanning periodically", std::strerror(errno));
  } else {
    AddWatch();
  }
  // Watch first, then scan: a keyboard plugged in between is seen by both,
  // never by neither.
  Rescan();
  devices = Snapshot();
  DebugLog(1, "watching %s: %zu keyboard(s)", watchDir_.c_str(), devices.size());
  return true;
}

void SimBackend::Stop() {
  if (inotifyFd_ >= 0) {
    ::close(inotifyFd_);
    inotifyFd_ = -1;
  }
  watch_ = -1;
  std::vector<SimDevice> closing;
  {
    std::lock_guard lock(mutex_);
    closing.swap(keyboards_);
  }
  for (SimDevice& keyboard : closing) {
    for (SimInterface& interface : keyboard.interfaces) interface.connection->ShutDown();
  }
  pollTargets_.clear();
}

void SimBackend::AddWatch() {
  watch_ = ::inotify_add_watch(inotifyFd_, watchDir_.c_str(),
                               IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                   IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR);
  watchLost_ = watch_ < 0;
  if (watchLost_) DebugLog(1, "cannot watch %s: %s", watchDir_.c_str(), std::strerror(errno));
}

int SimBackend::CollectPollFds(std::vector<pollfd>& fds) {
  pollIncludesInotify_ = inotifyFd_ >= 0;
  if (pollIncludesInotify_) fds.push_back({inotifyFd_, POLLIN, 0});
  pollTargets_.clear();
  for (const SimDevice& keyboard : keyboards_) {
    for (std::size_t i = 0; i < keyboard.interfaces.size(); ++i) {
      fds.push_back({keyboard.interfaces[i].connection->fd(), POLLIN, 0});
      pollTargets_.emplace_back(keyboard.id, i);
    }
  }
  const bool timedWork = watchLost_ || retryPending_ || inotifyFd_ < 0;
  return timedWork ? static_cast<int>(kRetryInterval.count()) : -1;
}

void SimBackend::HandleReady(std::span<const pollfd> fds, BackendEvents& events) {
  bool rescan = false;
  std::size_t next = 0;
  if (pollIncludesInotify_ && !fds.empty()) {
    if (fds[0].revents != 0) rescan = ReadWatchEvents();
    next = 1;
  }

  std::vector<uint64_t> gone;
  for (std::size_t t = 0; t < pollTargets_.size() && next + t < fds.size(); ++t) {
    const short revents = fds[next + t].revents;
    if (revents == 0) continue;
    const auto [id, interfaceIndex] = pollTargets_[t];
    if (std::find(gone.begin(), gone.end(), id) != gone.end()) continue;
    const auto keyboard = std::find_if(keyboards_.begin(), keyboards_.end(),
                                       [id = id](const SimDevice& k) { return k.id == id; });
    if (keyboard == keyboards_.end()) continue;
    if ((revents & POLLNVAL) || !ReadReports(*keyboard, interfaceIndex, events)) {
      gone.push_back(id);
    }
  }

  bool changed = false;
  for (uint64_t id : gone) {
    const auto keyboard = std::find_if(keyboards_.begin(), keyboards_.end(),
                                       [id](const SimDevice& k) { return k.id == id; });
    if (keyboard == keyboards_.end()) continue;
    DebugLog(1, "keyboard %s hung up", keyboard->name.c_str());
    deadFolders_.push_back({keyboard->name, keyboard->folderDevice, keyboard->folderInode});
    RemoveKeyboardAt(static_cast<std::size_t>(keyboard - keyboards_.begin()));
    changed = true;
  }

  const auto now = std::chrono::steady_clock::now();
  if ((watchLost_ || retryPending_ || inotifyFd_ < 0) && now - lastTimedScan_ >= kRetryInterval) {
    lastTimedScan_ = now;
    if (watchLost_ && inotifyFd_ >= 0) {
      AddWatch();
      // Whatever was put into the recreated folder before the watch existed.
      if (!watchLost_) rescan = true;
    }
    if (retryPending_ || inotifyFd_ < 0) rescan = true;
  }

  if (rescan && Rescan()) changed = true;
  if (changed) events.DevicesChanged(Snapshot());
}

bool SimBackend::ReadWatchEvents() {
  alignas(inotify_event) char buffer[4096];
  bool changed = false;
  while (true) {
    const ssize_t n = ::read(inotifyFd_, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    std::size_t offset = 0;
    while (offset + sizeof(inotify_event) <= static_cast<std::size_t>(n)) {
      int wd;
      uint32_t mask;
      uint32_t nameLength;
      std::memcpy(&wd, buffer + offset + offsetof(inotify_event, wd), sizeof wd);
      std::memcpy(&mask, buffer + offset + offsetof(inotify_event, mask), sizeof mask);
      std::memcpy(&nameLength, buffer + offset + offsetof(inotify_event, len), sizeof nameLength);
      const char* name = buffer + offset + sizeof(inotify_event);
      offset += sizeof(inotify_event) + nameLength;
      if (offset > static_cast<std::size_t>(n)) break;

      if (mask & IN_Q_OVERFLOW) {
        changed = true;
      } else if (wd == watch_ && (mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED))) {
        // The folder itself went away: its keyboards with it. The watch is
        // re-created once the folder exists again.
        if (!(mask & IN_IGNORED)) ::inotify_rm_watch(inotifyFd_, watch_);
        DebugLog(1, "%s was removed", watchDir_.c_str());
        watch_ = -1;
        watchLost_ = true;
        changed = true;
      } else if (wd == watch_ && (mask & IN_ISDIR) && (nameLength == 0 || name[0] != '.')) {
        changed = true;
      }
    }
  }
  return changed;
}

bool SimBackend::ReadReports(const SimDevice& keyboard, std::size_t interfaceIndex,
                             BackendEvents& events) {
  const int fd = keyboard.interfaces[interfaceIndex].connection->fd();
  unsigned char buffer[kReceiveBufferSize];
  for (int i = 0; i < kReportsPerWake; ++i) {
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n > 0) {
      events.InputReport(keyboard.id, interfaceIndex, buffer, static_cast<std::size_t>(n));
      continue;
    }
    if (n == 0) return false;  // orderly hangup
    if (errno == EINTR) continue;
    return errno == EAGAIN || errno == EWOULDBLOCK;
  }
  return true;
}

bool SimBackend::Rescan() {
  retryPending_ = false;
  std::vector<FolderEntry> present;
  std::unique_ptr<DIR, DirCloser> dir(::opendir(watchDir_.c_str()));
  if (dir) {
    const int dirFd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get())) {
      if (entry->d_name[0] == '.') continue;
      struct stat info;
      if (::fstatat(dirFd, entry->d_name, &info, 0) != 0 || !S_ISDIR(info.st_mode)) continue;
      present.push_back({entry->d_name, info.st_dev, info.st_ino});
    }
  }
  std::sort(present.begin(), present.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  const auto findPresent = [&present](const std::string& name) {
    const auto it = std::find_if(present.begin(), present.end(),
                                 [&name](const FolderEntry& e) { return e.name == name; });
    return it == present.end() ? nullptr : &*it;
  };

  bool changed = false;
  for (std::size_t i = keyboards_.size(); i-- > 0;) {
    const SimDevice& keyboard = keyboards_[i];
    const FolderEntry* entry = findPresent(keyboard.name);
    if (entry && entry->device == keyboard.folderDevice && entry->inode == keyboard.folderInode) {
      continue;
    }
    DebugLog(1, "keyboard %s removed", keyboard.name.c_str());
    RemoveKeyboardAt(i);
    changed = true;
  }
  std::erase_if(deadFolders_, [&](const DeadFolder& dead) {
    const FolderEntry* entry = findPresent(dead.name);
    return !entry || entry->device != dead.device || entry->inode != dead.inode;
  });

  for (const FolderEntry& entry : present) {
    const auto sameName = [&entry](const auto& k) { return k.name == entry.name; };
    if (std::any_of(keyboards_.begin(), keyboards_.end(), sameName)) continue;
    if (std::any_of(deadFolders_.begin(), deadFolders_.end(), sameName)) continue;
    if (keyboards_.size() >= kMaxKeyboards) {
      DebugLog(1, "more than %zu keyboards; ignoring %s", kMaxKeyboards, entry.name.c_str());
      break;
    }
    SimDevice keyboard;
    std::string reason;
    const SimOpenResult result =
        OpenSimDevice(::dirfd(dir.get()), watchDir_, entry.name, keyboard, reason);
    if (result == SimOpenResult::kOpened &&
        (keyboard.folderDevice != entry.device || keyboard.folderInode != entry.inode)) {
      reason = "folder replaced while opening";
      keyboard = SimDevice{};
      retryPending_ = true;
      continue;
    }
    if (result == SimOpenResult::kRetryLater) retryPending_ = true;
    if (result != SimOpenResult::kOpened) {
      DebugLog(1, "%s is not a keyboard: %s", entry.name.c_str(), reason.c_str());
      continue;
    }
    keyboard.id = gNextDeviceId.fetch_add(1);
    DebugLog(1, "keyboard %s attached: %04x:%04x, %zu interface(s)", keyboard.name.c_str(),
             keyboard.vendor, keyboard.product, keyboard.interfaces.size());
    const auto position =
        std::lower_bound(keyboards_.begin(), keyboards_.end(), keyboard.name,
                         [](const SimDevice& k, const std::string& name) { return k.name < name; });
    std::lock_guard lock(mutex_);
    keyboards_.insert(position, std::move(keyboard));
    changed = true;
  }
  return changed;
}

void SimBackend::RemoveKeyboardAt(std::size_t index) {
  SimDevice removed;
  {
    std::lock_guard lock(mutex_);
    removed = std::move(keyboards_[index]);
    keyboards_.erase(keyboards_.begin() + static_cast<std::ptrdiff_t>(index));
  }
  // Senders still holding a connection fail at once instead of timing out.
  for (SimInterface& interface : removed.interfaces) interface.connection->ShutDown();
}

std::vector<DeviceInfo> SimBackend::Snapshot() const {
  std::vector<DeviceInfo> devices;
  devices.reserve(keyboards_.size());
  for (const SimDevice& keyboard : keyboards_) {
    DeviceInfo device;
    device.id = keyboard.id;
    device.name = keyboard.name;
    device.vendor = keyboard.vendor;
    device.product = keyboard.product;
    for (const SimInterface& interface : keyboard.interfaces) {
      device.interfaces.push_back({interface.usagePage, interface.usage});
    }
    devices.push_back(std::move(device));
  }
  return devices;
}

std::size_t SimBackend::Send(uint64_t deviceId, std::size_t interfaceIndex,
                             const unsigned char* data, std::size_t length,
                             std::size_t reportSize) {
  std::shared_ptr<SimConnection> connection;
  {
    std::lock_guard lock(mutex_);
    for (const SimDevice& keyboard : keyboards_) {
      if (keyboard.id == deviceId && interfaceIndex < keyboard.interfaces.size()) {
        connection = keyboard.interfaces[interfaceIndex].connection;
        break;
      }
    }
  }
  return connection ? connection->SendReports(data, length, reportSize) : 0;
}

}  // namespace corvial
