#include "service/sim_device.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>

#include "service/sim_device_file.h"
#include "service/sim_endpoint_layout.h"

namespace corvial {
namespace {

// How long one report may wait for room when the keyboard stops reading, so
// a wedged simulator can't hang the program's sending thread forever.
constexpr std::chrono::milliseconds kSendTimeout{2000};

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

std::optional<std::string> ReadDeviceFile(int folderFd, std::string& reason) {
  // O_NONBLOCK so a FIFO planted as `device` can't stall the library thread.
  FileDescriptor file(
      ::openat(folderFd, simlayout::kDeviceFile, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (file.get() < 0) {
    reason = std::string("no device file: ") + std::strerror(errno);
    return std::nullopt;
  }
  struct stat info;
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    reason = "device is not a regular file";
    return std::nullopt;
  }
  std::string text;
  char buffer[4096];
  while (text.size() <= kMaxSimDeviceFileSize) {
    const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      reason = std::string("device file unreadable: ") + std::strerror(errno);
      return std::nullopt;
    }
    if (n == 0) return text;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  reason = "device file too large";
  return std::nullopt;
}

bool FillAddress(const std::string& path, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return true;
}

// Connects to <folder>/<file>. A path too long for sockaddr_un goes through
// the folder's descriptor in /proc instead.
SimOpenResult ConnectInterface(int folderFd, const std::string& folderPath, const std::string& file,
                               int& fdOut, std::string& reason) {
  sockaddr_un address;
  if (!FillAddress(folderPath + "/" + file, address) &&
      !FillAddress("/proc/self/fd/" + std::to_string(folderFd) + "/" + file, address)) {
    reason = "socket path too long: " + file;
    return SimOpenResult::kNotKeyboard;
  }
  FileDescriptor socketFd(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (socketFd.get() < 0) {
    reason = std::string("socket: ") + std::strerror(errno);
    return SimOpenResult::kRetryLater;
  }
  int result;
  do {
    result = ::connect(socketFd.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    const int error = errno;
    reason = "connect " + file + ": " + std::strerror(error);
    // A Unix listener with a full queue answers EAGAIN; anything else
    // (refused, missing, not a socket) means nobody serves this folder.
    return error == EAGAIN || error == EINPROGRESS ? SimOpenResult::kRetryLater
                                                   : SimOpenResult::kNotKeyboard;
  }
  fdOut = socketFd.release();
  return SimOpenResult::kOpened;
}

}  // namespace

SimConnection::~SimConnection() {
  ::close(fd_);
}

void SimConnection::ShutDown() {
  ::shutdown(fd_, SHUT_RDWR);
}

std::size_t SimConnection::SendReports(const unsigned char* data, std::size_t length,
                                       std::size_t reportSize) {
  if (reportSize == 0) return 0;
  std::lock_guard lock(sendMutex_);
  std::size_t sent = 0;
  while (length - sent >= reportSize && SendOne(data + sent, reportSize)) sent += reportSize;
  return sent;
}

bool SimConnection::SendOne(const unsigned char* data, std::size_t length) {
  const auto deadline = std::chrono::steady_clock::now() + kSendTimeout;
  while (true) {
    const ssize_t n = ::send(fd_, data, length, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n >= 0) return static_cast<std::size_t>(n) == length;
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd waitFor{fd_, POLLOUT, 0};
    if (::poll(&waitFor, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) return false;
  }
}

SimOpenResult OpenSimDevice(int watchDirFd, const std::string& watchDir, const std::string& name,
                            SimDevice& keyboard, std::string& reason) {
  FileDescriptor folder(::openat(watchDirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() < 0) {
    reason = std::string("cannot open folder: ") + std::strerror(errno);
    return SimOpenResult::kNotKeyboard;
  }
  struct stat info;
  if (::fstat(folder.get(), &info) != 0) {
    reason = std::string("stat: ") + std::strerror(errno);
    return SimOpenResult::kNotKeyboard;
  }
  const std::optional<std::string> text = ReadDeviceFile(folder.get(), reason);
  if (!text) return SimOpenResult::kNotKeyboard;
  const std::optional<SimDeviceDescription> description = ParseSimDeviceFile(*text);
  if (!description) {
    reason = "invalid device file";
    return SimOpenResult::kNotKeyboard;
  }

  SimDevice opened;
  opened.name = name;
  opened.folderDevice = info.st_dev;
  opened.folderInode = info.st_ino;
  opened.vendor = description->vendor;
  opened.product = description->product;
  const std::string folderPath = watchDir + "/" + name;
  for (const SimInterfaceEntry& entry : description->interfaces) {
    int fd = -1;
    const SimOpenResult result = ConnectInterface(folder.get(), folderPath, entry.file, fd, reason);
    // Connections made so far close as `opened` goes out of scope.
    if (result != SimOpenResult::kOpened) return result;
    opened.interfaces.push_back(
        {entry.usagePage, entry.usage, std::make_shared<SimConnection>(fd)});
  }
  keyboard = std::move(opened);
  return SimOpenResult::kOpened;
}

}  // namespace corvial
