// A stand-in for a simulated keyboard: a folder with a `device` file and
// listening SOCK_SEQPACKET sockets, renamed into the watched folder the way
// the simulator plugs one in.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace servicetest {

struct FakeInterface {
  std::string file;
  uint16_t usagePage;
  uint16_t usage;
};

// cfg (ff1c/0092), cons (000c/0001), led (0008/0089).
std::vector<FakeInterface> StandardInterfaces();

class FakeKeyboard {
 public:
  FakeKeyboard(std::string watchDir, std::string name, uint16_t product = 0x5004,
               std::vector<FakeInterface> interfaces = StandardInterfaces());
  ~FakeKeyboard();
  FakeKeyboard(const FakeKeyboard&) = delete;
  FakeKeyboard& operator=(const FakeKeyboard&) = delete;

  // Replaces the generated `device` file text.
  void SetDeviceText(std::string text) { deviceText_ = std::move(text); }

  // Prepares the folder under a dot name, then renames it into place.
  void Plug();
  // Like Plug, but nobody listens on the sockets: a killed simulator's folder.
  void PlugStale();
  // Renames the folder away, closes every socket and removes it.
  void Unplug();
  // Closes the library's connections only; the folder and listeners stay.
  void HangUp();

  // Waits for a client on the interface; false after a generous time-out.
  bool WaitForClient(const std::string& file);
  // Sends one input report to every client of the interface; true when at
  // least one got it.
  bool SendInput(const std::string& file, const std::vector<unsigned char>& report);
  // The next output report a client sent on the interface.
  std::optional<std::vector<unsigned char>> ReadOutput(const std::string& file);

  const std::string& path() const { return path_; }

 private:
  void Prepare(bool listen);
  void AcceptPending(const std::string& file);
  void CloseAll();

  std::string watchDir_;
  std::string name_;
  std::string path_;
  uint16_t product_;
  std::vector<FakeInterface> interfaces_;
  std::optional<std::string> deviceText_;
  bool plugged_ = false;
  std::map<std::string, int> listeners_;
  std::map<std::string, std::vector<int>> clients_;
};

}  // namespace servicetest
