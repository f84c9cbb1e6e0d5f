// One simulated keyboard as the backend holds it: its folder identity, what
// its `device` file says, and one connection per interface.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace corvial {

// A connected SOCK_SEQPACKET socket. Shared so that a sender on another
// thread keeps the descriptor open (and its number unreused) while the
// library thread drops the keyboard.
class SimConnection {
 public:
  explicit SimConnection(int fd) : fd_(fd) {}
  ~SimConnection();
  SimConnection(const SimConnection&) = delete;
  SimConnection& operator=(const SimConnection&) = delete;

  int fd() const { return fd_; }
  // Wakes any sender blocked on this connection; the descriptor stays open.
  void ShutDown();
  // Sends length / reportSize messages in order, holding this connection's
  // send lock so concurrent callers don't interleave. Returns bytes sent.
  std::size_t SendReports(const unsigned char* data, std::size_t length, std::size_t reportSize);

 private:
  bool SendOne(const unsigned char* data, std::size_t length);

  const int fd_;
  std::mutex sendMutex_;
};

struct SimInterface {
  uint16_t usagePage = 0;
  uint16_t usage = 0;
  std::shared_ptr<SimConnection> connection;
};

struct SimDevice {
  uint64_t id = 0;
  std::string name;
  // The folder's identity: a new folder under the same name is a new keyboard.
  dev_t folderDevice = 0;
  ino_t folderInode = 0;
  uint16_t vendor = 0;
  uint16_t product = 0;
  std::vector<SimInterface> interfaces;
};

enum class SimOpenResult {
  kOpened,
  kNotKeyboard,  // no or invalid device file, or a socket refused: not a keyboard
  kRetryLater,   // a listener's queue was full: try again shortly
};

// Reads <watchDir>/<name>/device and connects to every interface socket.
// `watchDirFd` is an open descriptor of watchDir. On failure `reason` says
// why, for the debug log.
SimOpenResult OpenSimDevice(int watchDirFd, const std::string& watchDir, const std::string& name,
                            SimDevice& keyboard, std::string& reason);

}  // namespace corvial
