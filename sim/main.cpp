// quorvane-simkbd: the simulated keyboard as a process.
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sim/command_line.h"
#include "sim/control_client.h"
#include "sim/sim_server.h"
#include "sim/state_file.h"

namespace {

void PrintWarnings(const std::string& warnings) {
  size_t start = 0;
  while (start < warnings.size()) {
    size_t end = warnings.find('\n', start);
    if (end == std::string::npos) end = warnings.size();
    std::fprintf(stderr, "quorvane-simkbd: warning: %s\n",
                 warnings.substr(start, end - start).c_str());
    start = end + 1;
  }
}

int Dump(const std::string& path) {
  std::string content;
  std::string error;
  sim::ReadStatus status = sim::ReadWholeFile(path, &content, &error);
  if (status == sim::ReadStatus::kMissing) error = "no state file " + path;
  if (status != sim::ReadStatus::kOk) {
    std::fprintf(stderr, "quorvane-simkbd: %s\n", error.c_str());
    return 1;
  }
  std::string warnings;
  auto keyboard = sim::SimKeyboard::LoadText(content, &warnings);
  PrintWarnings(warnings);
  if (!keyboard) {
    std::fprintf(stderr, "quorvane-simkbd: %s holds no keyboard state\n", path.c_str());
    return 1;
  }
  std::printf("%s\n", keyboard->DumpJson().c_str());
  return 0;
}

int Serve(const sim::CommandLine& line) {
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGTERM);
  sigaddset(&stopSignals, SIGINT);
  sigprocmask(SIG_BLOCK, &stopSignals, nullptr);
  int signalFd = signalfd(-1, &stopSignals, SFD_CLOEXEC | SFD_NONBLOCK);
  signal(SIGPIPE, SIG_IGN);
  if (signalFd < 0) {
    std::perror("quorvane-simkbd: signalfd");
    return 1;
  }

  std::string warnings;
  std::string error;
  auto keyboard = sim::OpenStateFile(line.statePath, line.overrides, &warnings, &error);
  PrintWarnings(warnings);
  if (!keyboard) {
    std::fprintf(stderr, "quorvane-simkbd: %s\n", error.c_str());
    return 1;
  }

  sim::ServerConfig config;
  config.dir = line.dir;
  config.name = line.name.empty() ? "keyboard-" + std::to_string(getpid()) : line.name;
  config.statePath = line.statePath;
  config.tracePath = line.tracePath;
  config.controlPath = line.controlPath;
  config.onPlugged = [](const std::string& folder) {
    std::printf("plugged %s\n", folder.c_str());
    std::fflush(stdout);
  };
  sim::SimServer server(std::move(config), std::move(*keyboard));
  if (!server.Start(&error)) {
    std::fprintf(stderr, "quorvane-simkbd: %s\n", error.c_str());
    return 1;
  }
  server.Run(signalFd);
  close(signalFd);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  std::string error;
  auto line = sim::ParseCommandLine(arguments, &error);
  if (!line) {
    std::fprintf(stderr, "quorvane-simkbd: %s\n%s", error.c_str(), sim::kUsage);
    return 2;
  }
  switch (line->mode) {
    case sim::CommandLine::Mode::kHelp:
      std::fputs(sim::kUsage, stdout);
      return 0;
    case sim::CommandLine::Mode::kDump:
      return Dump(line->statePath);
    case sim::CommandLine::Mode::kSend:
      return sim::SendControlCommand(line->controlPath, line->send);
    case sim::CommandLine::Mode::kServe:
      return Serve(*line);
  }
  return 2;
}
