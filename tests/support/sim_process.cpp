#include "tests/support/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

namespace testsupport {
namespace {

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return text;
}

}  // namespace

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string ProgramPath(const std::string& name) {
  return std::string(QUORVANE_PROGRAM_DIR) + "/" + name;
}

bool WaitUntil(const std::function<bool()>& condition, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(static_cast<int>(seconds * 1000));
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return condition();
}

SimProcess::SimProcess(const std::string& watchedFolder, const std::string& name,
                       const std::string& stateFile,
                       const std::vector<std::string>& extraArguments) {
  controlPath_ = watchedFolder + "/." + name + ".control";
  keyboardFolder_ = watchedFolder + "/" + name;
  std::vector<std::string> arguments = {ProgramPath("quorvane-simkbd"),
                                        "--dir",
                                        watchedFolder,
                                        "--name",
                                        name,
                                        "--state",
                                        stateFile,
                                        "--control",
                                        controlPath_};
  arguments.insert(arguments.end(), extraArguments.begin(), extraArguments.end());
  pid_ = fork();
  if (pid_ == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, STDOUT_FILENO);
    std::vector<char*> argv = Pointers(arguments);
    execv(argv[0], argv.data());
    _exit(127);
  }
  const std::string deviceFile = keyboardFolder_ + "/device";
  WaitUntil([&] {
    struct stat info;
    return stat(deviceFile.c_str(), &info) == 0 && stat(controlPath_.c_str(), &info) == 0;
  });
}

SimProcess::~SimProcess() {
  Stop();
}

bool SimProcess::Stop() {
  if (pid_ <= 0) return false;
  kill(pid_, SIGTERM);
  int status = 0;
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string SimProcess::Control(const std::string& command) const {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return "error socket";
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, controlPath_.c_str(), sizeof address.sun_path - 1);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    close(fd);
    return "error connect";
  }
  const std::string line = command + "\n";
  if (write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size())) {
    close(fd);
    return "error write";
  }
  std::string reply;
  char c = 0;
  pollfd waiting{fd, POLLIN, 0};
  while (poll(&waiting, 1, 10000) > 0 && read(fd, &c, 1) == 1 && c != '\n') reply += c;
  close(fd);
  if (reply == "ok") return "";
  if (reply.rfind("ok ", 0) == 0) return reply.substr(3);
  return reply.empty() ? "error no reply" : reply;
}

RunResult RunProgram(const std::vector<std::string>& arguments,
                     const std::vector<std::string>& environment) {
  RunResult result;
  int out[2];
  int err[2];
  if (pipe(out) != 0 || pipe(err) != 0) return result;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    dup2(err[1], STDERR_FILENO);
    close(out[0]);
    close(err[0]);
    for (const std::string& entry : environment) putenv(const_cast<char*>(entry.c_str()));
    std::vector<std::string> copy = arguments;
    std::vector<char*> argv = Pointers(copy);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  // Drain stderr on a thread so a chatty child can't block on a full pipe.
  std::thread errors([&] { result.err = ReadAll(err[0]); });
  result.out = ReadAll(out[0]);
  errors.join();
  close(out[0]);
  close(err[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace testsupport
