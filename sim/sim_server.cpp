#include "sim/sim_server.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "sim/state_file.h"
#include "sim/unix_socket.h"

namespace sim {
namespace {

// A control line longer than this is not a command of ours.
constexpr size_t kMaxControlLine = 4096;
// Room to notice an oversized report: it is handed on at this size.
constexpr size_t kReceiveBuffer = 512;

void SleepMicroseconds(int us) {
  timespec wait{us / 1000000, static_cast<long>(us % 1000000) * 1000};
  while (::nanosleep(&wait, &wait) != 0 && errno == EINTR) {
  }
}

bool SendAll(int fd, std::string_view text) {
  while (!text.empty()) {
    ssize_t n = ::send(fd, text.data(), text.size(), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool IsLive(const std::string& path, int type) {
  std::string ignored;
  int fd = ConnectUnix(path, type, &ignored);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool ValidName(const std::string& name) {
  return !name.empty() && name.front() != '.' && name.find('/') == std::string::npos;
}

}  // namespace

SimServer::SimServer(ServerConfig config, SimKeyboard keyboard)
    : config_(std::move(config)), keyboard_(std::move(keyboard)) {
  paths_ = KeyboardFolderPaths(config_.dir, config_.name);
  controlPath_ = config_.controlPath.empty()
                     ? KeyboardFolderPaths(config_.dir, "." + config_.name + ".control").folder
                     : config_.controlPath;
  wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

SimServer::~SimServer() {
  Shutdown();
  CloseFd(wakeFd_);
}

bool SimServer::Start(std::string* error) {
  if (!ValidName(config_.name)) {
    *error = "bad keyboard name '" + config_.name + "'";
    return false;
  }
  if (wakeFd_ < 0) {
    *error = std::string("cannot create an eventfd: ") + std::strerror(errno);
    return false;
  }
  if (!EnsureDirectory(config_.dir, error)) return false;
  // A folder or control socket nobody answers on was left by a killed run.
  if (IsLive(controlPath_, SOCK_STREAM) ||
      IsLive(paths_.folder + "/" + Interface(kConfigIndex).file, SOCK_SEQPACKET)) {
    *error = "another simulator is serving " + paths_.folder;
    return false;
  }
  if (!RemoveTree(paths_.folder, error) || !RemoveTree(paths_.preparing, error) ||
      !RemoveTree(paths_.leaving, error)) {
    return false;
  }
  struct stat info;
  if (::lstat(controlPath_.c_str(), &info) == 0) {
    if (!S_ISSOCK(info.st_mode)) {
      *error = controlPath_ + " exists and is not a socket";
      return false;
    }
    ::unlink(controlPath_.c_str());
  }
  controlListener_ = ListenUnix(controlPath_, SOCK_STREAM, error, 0600);
  if (controlListener_ < 0) return false;
  ownsControlPath_ = true;
  if (!config_.tracePath.empty() && !trace_.Open(config_.tracePath, error)) return false;
  return Plug(error);
}

void SimServer::Stop() {
  uint64_t one = 1;
  if (::write(wakeFd_, &one, sizeof one) < 0) {
    // Already signalled: the counter is far from overflowing otherwise.
  }
}

void SimServer::Run(int stopFd) {
  std::vector<pollfd> fds;
  std::vector<Source> sources;
  auto add = [&](int fd, Source source) {
    fds.push_back({fd, POLLIN | POLLRDHUP, 0});
    sources.push_back(source);
  };
  while (!quit_) {
    fds.clear();
    sources.clear();
    add(wakeFd_, {SourceKind::kWake});
    if (stopFd >= 0) add(stopFd, {SourceKind::kStop});
    if (controlListener_ >= 0) add(controlListener_, {SourceKind::kControlListener});
    for (size_t i = 0; i < controlClients_.size(); ++i) {
      add(controlClients_[i].fd, {SourceKind::kControl, 0, i});
    }
    if (plugged_) {
      for (int interface = 0; interface < kInterfaceCount; ++interface) {
        add(listeners_[interface], {SourceKind::kListener, interface});
        for (size_t i = 0; i < clients_[interface].size(); ++i) {
          add(clients_[interface][i].fd, {SourceKind::kClient, interface, i});
        }
      }
    }
    if (::poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      std::fprintf(stderr, "quorvane-simkbd: poll: %s\n", std::strerror(errno));
      break;
    }
    topologyChanged_ = false;
    for (size_t i = 0; i < fds.size() && !quit_ && !topologyChanged_; ++i) {
      if (fds[i].revents != 0) Dispatch(sources[i], fds[i].revents);
    }
  }
  Shutdown();
}

void SimServer::Dispatch(const Source& source, short events) {
  switch (source.kind) {
    case SourceKind::kWake:
    case SourceKind::kStop:
      quit_ = true;
      return;
    case SourceKind::kControlListener:
      AcceptClients(controlListener_, &controlClients_, true);
      return;
    case SourceKind::kControl:
      ReadControl(source.index);
      return;
    case SourceKind::kListener:
      AcceptClients(listeners_[source.interface], &clients_[source.interface], false);
      return;
    case SourceKind::kClient:
      ReadInterface(source.interface, source.index, events);
      return;
  }
}

void SimServer::AcceptClients(int listener, std::vector<Client>* clients, bool control) {
  for (;;) {
    // Control clients block on send (with a time-out) so a long dump goes out
    // whole; report clients never block the keyboard.
    int fd = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC | (control ? 0 : SOCK_NONBLOCK));
    if (fd < 0) break;
    if (control) {
      timeval timeout{5, 0};
      ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    }
    clients->push_back({fd, {}});
    topologyChanged_ = true;
  }
}

void SimServer::CloseClient(std::vector<Client>* clients, size_t index) {
  CloseFd((*clients)[index].fd);
  clients->erase(clients->begin() + static_cast<std::ptrdiff_t>(index));
  topologyChanged_ = true;
}

void SimServer::ReadInterface(int interface, size_t index, short events) {
  auto& clients = clients_[interface];
  uint8_t buffer[kReceiveBuffer];
  ssize_t n = -1;
  if (events & POLLIN) {
    n = ::recv(clients[index].fd, buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
  }
  bool hungUp = (events & (POLLHUP | POLLRDHUP | POLLERR)) != 0;
  // A zero-length read is a hang-up only when poll says so; otherwise it
  // was an empty report.
  if (n < 0 || (n == 0 && hungUp)) {
    CloseClient(&clients, index);
    return;
  }
  std::span<const uint8_t> report(buffer, std::min(static_cast<size_t>(n), sizeof buffer));
  if (interface == kConfigIndex) {
    HandleConfigReport(report);
  } else if (interface == kIndicatorIndex) {
    HandleIndicatorReport(report);
  }
  // The consumer interface only sends; anything written to it is dropped.
}

void SimServer::HandleConfigReport(std::span<const uint8_t> report) {
  ++received_;
  trace_.ToKeyboard(Interface(kConfigIndex).file, report);
  ConfigResponse response = keyboard_.HandleConfigReport(report.data(), report.size());
  if (response.changed) SaveState();
  if (!response.reply.empty()) {
    if (response.delayUs > 0) SleepMicroseconds(response.delayUs);
    // Logged first, so that whoever has the reply also finds it in the trace.
    trace_.FromKeyboard(Interface(kConfigIndex).file, response.reply);
    Broadcast(kConfigIndex, response.reply);
    ++replied_;
  }
  if (response.unplug || response.bootMode) Unplug();
}

void SimServer::HandleIndicatorReport(std::span<const uint8_t> report) {
  trace_.ToKeyboard(Interface(kIndicatorIndex).file, report);
  std::vector<uint8_t> before = keyboard_.Indicator();
  keyboard_.HandleIndicatorReport(report.data(), report.size());
  if (keyboard_.Indicator() != before) SaveState();
}

void SimServer::Broadcast(int interface, std::span<const uint8_t> report) {
  auto& clients = clients_[interface];
  // A client whose connect() has returned is connected, as an opened hidraw
  // file is: take it in before the report goes out.
  AcceptClients(listeners_[interface], &clients, false);
  for (size_t i = clients.size(); i-- > 0;) {
    ssize_t n = ::send(clients[i].fd, report.data(), report.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    // A client that stopped reading loses reports, as with a full hidraw
    // queue; one that went away is dropped.
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) CloseClient(&clients, i);
  }
}

void SimServer::ReadControl(size_t index) {
  Client& client = controlClients_[index];
  char buffer[1024];
  ssize_t n = ::recv(client.fd, buffer, sizeof buffer, MSG_DONTWAIT);
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
  if (n <= 0) {
    CloseClient(&controlClients_, index);
    return;
  }
  client.input.append(buffer, static_cast<size_t>(n));
  size_t end;
  std::vector<std::string> lines;
  while ((end = client.input.find('\n')) != std::string::npos) {
    lines.push_back(client.input.substr(0, end));
    client.input.erase(0, end + 1);
  }
  bool tooLong = client.input.size() > kMaxControlLine;
  int fd = client.fd;
  bool ok = true;
  for (const auto& line : lines) {
    ok = SendAll(fd, ExecuteControl(line) + "\n") && ok;
    if (quit_) break;
  }
  if (tooLong) {
    SendAll(fd, "error line too long\n");
    ok = false;
  }
  // A command may have unplugged and so changed the set; find the client again.
  if (!ok) {
    for (size_t i = 0; i < controlClients_.size(); ++i) {
      if (controlClients_[i].fd == fd) CloseClient(&controlClients_, i);
    }
  }
  topologyChanged_ = true;
}

std::string SimServer::ExecuteControl(std::string_view line) {
  using Kind = ControlCommand::Kind;
  std::string error;
  auto command = ParseControlCommand(line, &error);
  if (!command) return "error " + error;
  Faults& faults = keyboard_.faults();
  switch (command->kind) {
    case Kind::kPlug:
      if (!Plug(&error)) return "error " + error;
      return "ok";
    case Kind::kUnplug:
      Unplug();
      return "ok";
    case Kind::kEvent: {
      if (!plugged_) return "error the keyboard is unplugged";
      auto report = SimKeyboard::ConsumerReport(command->code);
      trace_.FromKeyboard(Interface(kConsumerIndex).file, report);
      Broadcast(kConsumerIndex, report);
      return "ok";
    }
    case Kind::kDrop:
      faults.dropReplies = command->count;
      return "ok";
    case Kind::kWrong:
      faults.wrongCommandReplies = command->count;
      return "ok";
    case Kind::kErrorStatus:
      faults.errorStatus = command->status;
      faults.errorStatusReplies = command->count;
      return "ok";
    case Kind::kLatency:
      faults.latencyUs = command->latencyUs;
      return "ok";
    case Kind::kUnplugAfter:
      faults.unplugAfterReports = command->count > 0 ? command->count : -1;
      return "ok";
    case Kind::kClearFaults:
      faults = Faults{};
      return "ok";
    case Kind::kDump:
      return "ok " + keyboard_.DumpJson();
    case Kind::kStats:
      return "ok received=" + std::to_string(received_) + " replied=" + std::to_string(replied_);
    case Kind::kConfig:
      return keyboard_.ConfigOpen() ? "ok open" : "ok closed";
    case Kind::kQuit:
      quit_ = true;
      return "ok";
  }
  return "error unknown command";
}

bool SimServer::Plug(std::string* error) {
  if (plugged_) return true;
  if (!PlugFolder(paths_, &listeners_, error)) return false;
  plugged_ = true;
  topologyChanged_ = true;
  keyboard_.LeaveBootMode();
  if (config_.onPlugged) config_.onPlugged(paths_.folder);
  return true;
}

void SimServer::Unplug() {
  if (!plugged_) return;
  std::string error;
  // Away from the watched name first, so the library sees it go at once.
  bool renamed = RemoveTree(paths_.leaving, &error) &&
                 ::rename(paths_.folder.c_str(), paths_.leaving.c_str()) == 0;
  for (int& fd : listeners_) CloseFd(fd);
  for (auto& clients : clients_) {
    for (auto& client : clients) CloseFd(client.fd);
    clients.clear();
  }
  if (!RemoveTree(renamed ? paths_.leaving : paths_.folder, &error)) {
    std::fprintf(stderr, "quorvane-simkbd: %s\n", error.c_str());
  }
  plugged_ = false;
  topologyChanged_ = true;
}

void SimServer::Shutdown() {
  Unplug();
  for (auto& client : controlClients_) CloseFd(client.fd);
  controlClients_.clear();
  CloseFd(controlListener_);
  if (ownsControlPath_) ::unlink(controlPath_.c_str());
  ownsControlPath_ = false;
}

void SimServer::SaveState() {
  if (config_.statePath.empty()) return;
  std::string error;
  if (!WriteFileAtomically(config_.statePath, keyboard_.SaveText(), &error)) {
    std::fprintf(stderr, "quorvane-simkbd: warning: state not saved: %s\n", error.c_str());
  }
}

}  // namespace sim
