#include "sim/unix_socket.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sim {
namespace {

bool MakeAddress(const std::string& path, sockaddr_un* address, std::string* error) {
  std::memset(address, 0, sizeof *address);
  address->sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address->sun_path) {
    *error = "socket path too long (at most " + std::to_string(sizeof address->sun_path - 1) +
             " bytes): " + path;
    return false;
  }
  std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
  return true;
}

std::string Failure(const char* what, const std::string& path) {
  return std::string(what) + " " + path + ": " + std::strerror(errno);
}

}  // namespace

int ListenUnix(const std::string& path, int type, std::string* error, int mode) {
  sockaddr_un address;
  if (!MakeAddress(path, &address, error)) return -1;
  int fd = ::socket(AF_UNIX, type | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) {
    *error = Failure("cannot create socket for", path);
    return -1;
  }
  // Linux gives the bound file the socket's own mode (less the umask).
  if (mode >= 0 && ::fchmod(fd, static_cast<mode_t>(mode)) != 0) {
    *error = Failure("cannot set the mode of", path);
    ::close(fd);
    return -1;
  }
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    *error = Failure("cannot bind", path);
    ::close(fd);
    return -1;
  }
  if (::listen(fd, 16) != 0) {
    *error = Failure("cannot listen on", path);
    ::close(fd);
    return -1;
  }
  return fd;
}

int ConnectUnix(const std::string& path, int type, std::string* error) {
  sockaddr_un address;
  if (!MakeAddress(path, &address, error)) return -1;
  int fd = ::socket(AF_UNIX, type | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    *error = Failure("cannot create socket for", path);
    return -1;
  }
  if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    *error = Failure("cannot connect to", path);
    ::close(fd);
    return -1;
  }
  return fd;
}

void CloseFd(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace sim
