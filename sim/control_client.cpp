#include "sim/control_client.h"

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "sim/unix_socket.h"

namespace sim {
namespace {

// Generous: a reply can wait behind a slow injected latency.
constexpr int kReplyTimeoutSeconds = 60;

}  // namespace

int SendControlCommand(const std::string& path, const std::string& command) {
  if (command.find('\n') != std::string::npos) {
    std::fprintf(stderr, "quorvane-simkbd: a command is one line\n");
    return 1;
  }
  std::string error;
  int fd = ConnectUnix(path, SOCK_STREAM, &error);
  if (fd < 0) {
    std::fprintf(stderr, "quorvane-simkbd: %s\n", error.c_str());
    return 1;
  }
  timeval timeout{kReplyTimeoutSeconds, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
  std::string request = command + "\n";
  std::string_view pending = request;
  while (!pending.empty()) {
    ssize_t n = ::send(fd, pending.data(), pending.size(), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      std::fprintf(stderr, "quorvane-simkbd: cannot send to %s: %s\n", path.c_str(),
                   std::strerror(errno));
      ::close(fd);
      return 1;
    }
    pending.remove_prefix(static_cast<size_t>(n));
  }
  std::string reply;
  char buffer[4096];
  while (reply.find('\n') == std::string::npos) {
    ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      std::fprintf(stderr, "quorvane-simkbd: no reply from %s\n", path.c_str());
      ::close(fd);
      return 1;
    }
    reply.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  reply.erase(reply.find('\n'));
  if (reply == "ok") return 0;
  if (reply.rfind("ok ", 0) == 0) {
    std::printf("%s\n", reply.c_str() + 3);
    return 0;
  }
  if (reply.rfind("error ", 0) == 0) reply.erase(0, 6);
  std::fprintf(stderr, "quorvane-simkbd: %s\n", reply.c_str());
  return 1;
}

}  // namespace sim
