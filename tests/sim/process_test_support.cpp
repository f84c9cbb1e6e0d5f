#include "tests/sim/process_test_support.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <thread>

#include "sim/keyboard_folder.h"
#include "sim/unix_socket.h"

namespace simtest {
namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

pid_t Spawn(const std::vector<std::string>& arguments, int out, int err) {
  std::vector<char*> argv;
  std::string program = ProgramPath();
  argv.push_back(program.data());
  std::vector<std::string> copies = arguments;
  for (auto& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out, STDOUT_FILENO);
    if (err >= 0) ::dup2(err, STDERR_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  return pid;
}

// The exit status, or -1 after killing a child that outlived the deadline.
int Reap(pid_t pid, Clock::time_point deadline) {
  for (;;) {
    int status = 0;
    pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (done < 0 || Clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace

std::string ProgramPath() {
  return std::string(QUORVANE_PROGRAM_DIR) + "/quorvane-simkbd";
}

TempDir::TempDir() {
  std::string pattern = "/tmp/sim_process_XXXXXX";
  if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempDir::~TempDir() {
  std::string ignored;
  if (!path_.empty()) sim::RemoveTree(path_, &ignored);
}

Child::Child(const std::vector<std::string>& arguments, const std::string& stderrPath) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return;
  int err = ::open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  pid_ = Spawn(arguments, pipeFds[1], err);
  ::close(pipeFds[1]);
  if (err >= 0) ::close(err);
  out_ = pipeFds[0];
}

Child::~Child() {
  if (pid_ > 0) Stop(SIGKILL);
  if (out_ >= 0) ::close(out_);
}

std::optional<std::string> Child::WaitForLine(const std::string& prefix) {
  auto deadline = Clock::now() + kPatience;
  for (;;) {
    size_t end;
    while ((end = buffered_.find('\n')) != std::string::npos) {
      std::string line = buffered_.substr(0, end);
      buffered_.erase(0, end + 1);
      if (line.rfind(prefix, 0) == 0) return line;
    }
    pollfd fd{out_, POLLIN, 0};
    if (::poll(&fd, 1, RemainingMs(deadline)) <= 0) return std::nullopt;
    char buffer[512];
    ssize_t n = ::read(out_, buffer, sizeof buffer);
    if (n <= 0) return std::nullopt;
    buffered_.append(buffer, static_cast<size_t>(n));
  }
}

int Child::Stop(int signal) {
  if (pid_ <= 0) return -1;
  if (signal != 0) ::kill(pid_, signal);
  int status = Reap(pid_, Clock::now() + kPatience);
  pid_ = -1;
  return status;
}

Finished RunProgram(const std::vector<std::string>& arguments) {
  Finished finished;
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return finished;
  pid_t pid = Spawn(arguments, pipeFds[1], -1);
  ::close(pipeFds[1]);
  auto deadline = Clock::now() + kPatience;
  char buffer[4096];
  for (;;) {
    pollfd fd{pipeFds[0], POLLIN, 0};
    if (::poll(&fd, 1, RemainingMs(deadline)) <= 0) break;
    ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
    if (n <= 0) break;
    finished.out.append(buffer, static_cast<size_t>(n));
  }
  ::close(pipeFds[0]);
  finished.status = Reap(pid, deadline);
  return finished;
}

bool WaitUntil(const std::function<bool()>& condition) {
  auto deadline = Clock::now() + kPatience;
  while (!condition()) {
    if (Clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

bool Exists(const std::string& path) {
  struct stat info;
  return ::lstat(path.c_str(), &info) == 0;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

int ConnectReports(const std::string& path) {
  std::string error;
  return sim::ConnectUnix(path, SOCK_SEQPACKET, &error);
}

bool SendReport(int fd, const std::vector<uint8_t>& report) {
  return ::send(fd, report.data(), report.size(), MSG_NOSIGNAL) ==
         static_cast<ssize_t>(report.size());
}

Received ReceiveReport(int fd, std::chrono::milliseconds timeout) {
  Received received;
  pollfd poller{fd, POLLIN, 0};
  if (::poll(&poller, 1, static_cast<int>(timeout.count())) <= 0) {
    received.timedOut = true;
    return received;
  }
  uint8_t buffer[256];
  ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
  if (n <= 0) {
    received.hungUp = true;
    return received;
  }
  received.report.assign(buffer, buffer + n);
  return received;
}

std::string Control(const std::string& path, const std::string& line) {
  std::string error;
  int fd = sim::ConnectUnix(path, SOCK_STREAM, &error);
  if (fd < 0) return "connect failed: " + error;
  std::string request = line + "\n";
  ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  std::string reply;
  auto deadline = Clock::now() + kPatience;
  char buffer[4096];
  while (reply.find('\n') == std::string::npos) {
    pollfd poller{fd, POLLIN, 0};
    if (::poll(&poller, 1, RemainingMs(deadline)) <= 0) break;
    ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    reply.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return reply.substr(0, reply.find('\n'));
}

}  // namespace simtest
