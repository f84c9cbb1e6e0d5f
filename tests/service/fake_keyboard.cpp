#include "tests/service/fake_keyboard.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace servicetest {
namespace {

// Generous: only guards against hanging when the library misbehaves.
constexpr int kWaitMs = 10000;

int ListenAt(const std::string& path) {
  const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, 8) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

std::vector<FakeInterface> StandardInterfaces() {
  return {{"cfg", 0xFF1C, 0x0092}, {"cons", 0x000C, 0x0001}, {"led", 0x0008, 0x0089}};
}

FakeKeyboard::FakeKeyboard(std::string watchDir, std::string name, uint16_t product,
                           std::vector<FakeInterface> interfaces)
    : watchDir_(std::move(watchDir)),
      name_(std::move(name)),
      path_(watchDir_ + "/" + name_),
      product_(product),
      interfaces_(std::move(interfaces)) {}

FakeKeyboard::~FakeKeyboard() {
  if (plugged_) Unplug();
  CloseAll();
}

void FakeKeyboard::Prepare(bool listen) {
  const std::string staging = watchDir_ + "/." + name_ + ".prep";
  std::filesystem::create_directories(staging);
  {
    std::ofstream device(staging + "/device");
    if (deviceText_) {
      device << *deviceText_;
    } else {
      char line[64];
      std::snprintf(line, sizeof line, "vendor 0c45\nproduct %04x\n", product_);
      device << line;
      for (const FakeInterface& interface : interfaces_) {
        std::snprintf(line, sizeof line, "interface %s %04x %04x\n", interface.file.c_str(),
                      interface.usagePage, interface.usage);
        device << line;
      }
    }
  }
  for (const FakeInterface& interface : interfaces_) {
    const int fd = ListenAt(staging + "/" + interface.file);
    if (listen) {
      listeners_[interface.file] = fd;
    } else if (fd >= 0) {
      ::close(fd);  // the socket file stays behind, refusing connections
    }
  }
  std::filesystem::rename(staging, path_);
  plugged_ = true;
}

void FakeKeyboard::Plug() {
  Prepare(true);
}

void FakeKeyboard::PlugStale() {
  Prepare(false);
}

void FakeKeyboard::Unplug() {
  // No throwing: this also runs from the destructor, after a test may have
  // moved the whole watched folder away.
  const std::string away = watchDir_ + "/." + name_ + ".gone";
  std::error_code ignored;
  std::filesystem::rename(path_, away, ignored);
  CloseAll();
  std::filesystem::remove_all(away, ignored);
  plugged_ = false;
}

void FakeKeyboard::HangUp() {
  for (const FakeInterface& interface : interfaces_) AcceptPending(interface.file);
  for (auto& [file, fds] : clients_) {
    for (int fd : fds) ::close(fd);
    fds.clear();
  }
}

void FakeKeyboard::CloseAll() {
  for (auto& [file, fds] : clients_) {
    for (int fd : fds) ::close(fd);
  }
  clients_.clear();
  for (auto& [file, fd] : listeners_) {
    if (fd >= 0) ::close(fd);
  }
  listeners_.clear();
}

void FakeKeyboard::AcceptPending(const std::string& file) {
  const auto listener = listeners_.find(file);
  if (listener == listeners_.end() || listener->second < 0) return;
  while (true) {
    pollfd ready{listener->second, POLLIN, 0};
    if (::poll(&ready, 1, 0) <= 0) return;
    const int client = ::accept4(listener->second, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0) return;
    clients_[file].push_back(client);
  }
}

bool FakeKeyboard::WaitForClient(const std::string& file) {
  const auto listener = listeners_.find(file);
  if (listener == listeners_.end() || listener->second < 0) return false;
  AcceptPending(file);
  if (!clients_[file].empty()) return true;
  pollfd ready{listener->second, POLLIN, 0};
  if (::poll(&ready, 1, kWaitMs) <= 0) return false;
  AcceptPending(file);
  return !clients_[file].empty();
}

bool FakeKeyboard::SendInput(const std::string& file, const std::vector<unsigned char>& report) {
  if (!WaitForClient(file)) return false;
  // Clients that went away (an earlier Init's connection) are dropped, as a
  // hidraw node forgets closed files.
  std::vector<int>& fds = clients_[file];
  bool delivered = false;
  for (auto it = fds.begin(); it != fds.end();) {
    if (::send(*it, report.data(), report.size(), MSG_NOSIGNAL) ==
        static_cast<ssize_t>(report.size())) {
      delivered = true;
      ++it;
    } else {
      ::close(*it);
      it = fds.erase(it);
    }
  }
  return delivered;
}

std::optional<std::vector<unsigned char>> FakeKeyboard::ReadOutput(const std::string& file) {
  if (!WaitForClient(file)) return std::nullopt;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
  while (std::chrono::steady_clock::now() < deadline) {
    AcceptPending(file);
    std::vector<pollfd> ready;
    for (int fd : clients_[file]) ready.push_back({fd, POLLIN, 0});
    if (::poll(ready.data(), ready.size(), 100) < 0) return std::nullopt;
    for (const pollfd& p : ready) {
      if (!(p.revents & POLLIN)) continue;
      unsigned char buffer[512];
      const ssize_t n = ::recv(p.fd, buffer, sizeof buffer, MSG_DONTWAIT);
      if (n > 0) return std::vector<unsigned char>(buffer, buffer + n);
    }
  }
  return std::nullopt;
}

}  // namespace servicetest
