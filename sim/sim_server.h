// Runs a SimKeyboard behind the endpoints the device service library looks
// for: the keyboard folder with its three interface sockets, plugging and
// unplugging, the control socket, the trace and the state file. A single
// thread runs everything from one poll() loop; the server can run on a
// test's thread as well as in the simulator's main.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "sim/control_command.h"
#include "sim/keyboard_folder.h"
#include "sim/sim_keyboard.h"
#include "sim/trace_log.h"

namespace sim {

struct ServerConfig {
  std::string dir;          // the folder the library watches
  std::string name;         // the keyboard's folder name in it
  std::string statePath;    // empty: the state is not persisted
  std::string tracePath;    // empty: no trace
  std::string controlPath;  // empty: DIR/.NAME.control
  // Called after every plug-in with DIR/NAME.
  std::function<void(const std::string& folder)> onPlugged;
};

class SimServer {
 public:
  SimServer(ServerConfig config, SimKeyboard keyboard);
  ~SimServer();
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;

  // Creates the folder, clears what a killed earlier run left, opens the
  // control socket and the trace, and plugs the keyboard in.
  bool Start(std::string* error);
  // Serves until Stop(), a `quit` command or `stopFd` (e.g. a signalfd)
  // becoming readable; then unplugs and closes the control socket.
  void Run(int stopFd = -1);
  // Safe from any thread.
  void Stop();

  const std::string& FolderPath() const { return paths_.folder; }
  const std::string& ControlPath() const { return controlPath_; }

 private:
  struct Client {
    int fd = -1;
    std::string input;  // control clients: bytes of an unfinished line
  };
  enum class SourceKind { kWake, kStop, kControlListener, kControl, kListener, kClient };
  struct Source {
    SourceKind kind;
    int interface = 0;
    size_t index = 0;
  };

  bool Plug(std::string* error);
  void Unplug();
  void Shutdown();
  void Dispatch(const Source& source, short events);
  void AcceptClients(int listener, std::vector<Client>* clients, bool control);
  void ReadInterface(int interface, size_t index, short events);
  void HandleConfigReport(std::span<const uint8_t> report);
  void HandleIndicatorReport(std::span<const uint8_t> report);
  void ReadControl(size_t index);
  std::string ExecuteControl(std::string_view line);
  void Broadcast(int interface, std::span<const uint8_t> report);
  void CloseClient(std::vector<Client>* clients, size_t index);
  void SaveState();

  ServerConfig config_;
  SimKeyboard keyboard_;
  FolderPaths paths_;
  std::string controlPath_;
  TraceLog trace_;
  int wakeFd_ = -1;
  int controlListener_ = -1;
  bool ownsControlPath_ = false;
  std::vector<Client> controlClients_;
  bool plugged_ = false;
  std::array<int, kInterfaceCount> listeners_{-1, -1, -1};
  std::array<std::vector<Client>, kInterfaceCount> clients_;
  // Set whenever a descriptor is opened or closed: the poll set is stale.
  bool topologyChanged_ = false;
  bool quit_ = false;
  long received_ = 0;
  long replied_ = 0;
};

}  // namespace sim
