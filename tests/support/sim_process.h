// A real quorvane-simkbd process in a folder of the test's own: started,
// told what to do through its control socket, and stopped.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace testsupport {

// A fresh private folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

class SimProcess {
 public:
  // Starts the simulator plugged into `watchedFolder` as keyboard `name`,
  // keeping its state in `stateFile`, and waits until it is plugged in.
  SimProcess(const std::string& watchedFolder, const std::string& name,
             const std::string& stateFile, const std::vector<std::string>& extraArguments = {});
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool running() const { return pid_ > 0; }
  // Sends one control command; the reply's payload, or "error ..." on failure.
  std::string Control(const std::string& command) const;
  // SIGTERM and wait; true when it exited with status 0.
  bool Stop();

  const std::string& controlPath() const { return controlPath_; }
  const std::string& keyboardFolder() const { return keyboardFolder_; }

 private:
  pid_t pid_ = -1;
  std::string controlPath_;
  std::string keyboardFolder_;
};

// Path of a binary in the program folder.
std::string ProgramPath(const std::string& name);

// Waits (polling, up to `seconds`) until `condition` holds.
bool WaitUntil(const std::function<bool()>& condition, double seconds = 10.0);

// Runs a program to completion; returns its exit status and what it printed.
struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};
RunResult RunProgram(const std::vector<std::string>& arguments,
                     const std::vector<std::string>& environment = {});

}  // namespace testsupport
