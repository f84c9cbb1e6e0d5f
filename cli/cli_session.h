// What every keyboard command of quorvanectl starts with: the device service
// loaded from the program folder, the language of the user's settings, the
// link to the keyboard and the same configuration store and profile transfer
// the tray program runs.
#pragma once

#include <memory>
#include <optional>

#include "cli/cli_window.h"
#include "device/device_link.h"
#include "model/config_store.h"
#include "model/key_map.h"
#include "platform/registry.h"
#include "profiles/profile_transfer.h"
#include "settings/language_table.h"

namespace cli {

class CliSession {
 public:
  // Loads the service exactly as the tray program does: a missing library or
  // export, or a failing Init, ends the process silently with exit code 0.
  static std::unique_ptr<CliSession> Open();
  ~CliSession();

  device::DeviceLink& link() { return *link_; }
  model::ConfigStore& store() { return store_; }
  profiles::ProfileTransfer& transfer() { return *transfer_; }
  CliWindow& window() { return window_; }

  // False, with a message on stderr, when no keyboard is attached.
  bool RequireKeyboard() const;
  // What the tray program does when the keyboard arrives: the keyboard's
  // default map and macro capacity, then everything read into the working
  // file and the store. False, with a message, without a keyboard.
  bool LoadFromKeyboard();

 private:
  explicit CliSession(const device::DeviceServiceApi& api);

  std::optional<platform::RegistryKey> settingsKey_;
  std::unique_ptr<settings::LanguageTable> languages_;
  std::unique_ptr<device::DeviceLink> link_;
  model::ConfigStore store_;
  model::DefaultMatrix defaultMatrix_;
  CliWindow window_;
  std::unique_ptr<profiles::ProfileTransfer> transfer_;
};

// "quorvanectl: <message>" on stderr; returns the exit status 1.
int Fail(const std::string& message);

// Parses a profile slot argument (0..2 shown to users as 0..2); -1 when it is
// not a number.
int ParseSlot(const char* text);

}  // namespace cli
