#include "sim/trace_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "sim/hex.h"

namespace sim {

TraceLog::~TraceLog() {
  if (fd_ >= 0) ::close(fd_);
}

bool TraceLog::Open(const std::string& path, std::string* error) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) {
    *error = "cannot open trace " + path + ": " + std::strerror(errno);
    return false;
  }
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
  return true;
}

void TraceLog::Write(char direction, const char* interface, std::span<const uint8_t> report) {
  if (fd_ < 0) return;
  std::string line;
  line += direction;
  line += ' ';
  line += interface;
  line += ' ';
  line += ToHex(report);
  line += '\n';
  // O_APPEND writes of this size to a regular file are not split.
  while (::write(fd_, line.data(), line.size()) < 0 && errno == EINTR) {
  }
}

}  // namespace sim
