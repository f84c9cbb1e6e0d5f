// Running the real quorvane-simkbd and talking to it the way the device
// service library does.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace simtest {

// Generous: only there so a broken simulator fails instead of hanging.
inline constexpr std::chrono::seconds kPatience{20};

std::string ProgramPath();

// A fresh folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// A running child with its stdout on a pipe and its stderr in a file.
class Child {
 public:
  Child(const std::vector<std::string>& arguments, const std::string& stderrPath);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  // The next stdout line starting with `prefix`, or nullopt on time-out or
  // end of output.
  std::optional<std::string> WaitForLine(const std::string& prefix);
  // The exit status after `signal` (0 = none), or -1 when it didn't exit.
  int Stop(int signal);
  bool Running() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string buffered_;
};

struct Finished {
  int status = -1;
  std::string out;
};
// Runs the program to its end.
Finished RunProgram(const std::vector<std::string>& arguments);

bool WaitUntil(const std::function<bool()>& condition);
bool Exists(const std::string& path);
std::string ReadFile(const std::string& path);

// SOCK_SEQPACKET connection to an interface socket.
int ConnectReports(const std::string& path);
bool SendReport(int fd, const std::vector<uint8_t>& report);

struct Received {
  bool hungUp = false;
  bool timedOut = false;
  std::vector<uint8_t> report;
};
Received ReceiveReport(int fd, std::chrono::milliseconds timeout = kPatience);

// One control line and its reply line (without the newline).
std::string Control(const std::string& path, const std::string& line);

}  // namespace simtest
