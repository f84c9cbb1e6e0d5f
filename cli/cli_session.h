// What every keyboard command of quorvanectl starts with: the device service
// loaded from the program folder and the link to the keyboard.
#pragma once

#include <memory>

#include "device/device_link.h"

namespace cli {

class CliSession {
 public:
  // Loads the service exactly as the tray program does: a missing library or
  // export, or a failing Init, ends the process silently with exit code 0.
  static std::unique_ptr<CliSession> Open();

  device::DeviceLink& link() { return *link_; }
  // False, with a message on stderr, when no keyboard is attached.
  bool RequireKeyboard() const;

 private:
  explicit CliSession(const device::DeviceServiceApi& api);
  std::unique_ptr<device::DeviceLink> link_;
};

// "quorvanectl: <message>" on stderr; returns the exit status 1.
int Fail(const char* message);

}  // namespace cli
