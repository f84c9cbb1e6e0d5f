// The per-user registry: typed values (DWORD and string) under key paths such
// as "Software\M710LTX_204-Q", kept in one human-readable text file in the
// Windows .reg format:
//
//   [HKEY_CURRENT_USER\Software\M710LTX_204-Q]
//   "dwLanguageId"=dword:00000409
//   "Title"="text with \"quotes\" and \\ backslashes"
//
// Every access reads the file again and every write replaces it atomically,
// so several processes can share it. Lines it does not understand are kept
// as they are. A file that exists but cannot be read is never overwritten.
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

enum class RegistryType { kMissing, kDword, kString, kOther };

class Registry {
 public:
  explicit Registry(std::string path);
  // $XDG_CONFIG_HOME/quorvane/registry.reg (XDG_CONFIG_HOME defaults to ~/.config).
  static std::string DefaultPath();
  const std::string& path() const { return path_; }

  RegistryType TypeOf(std::string_view keyPath, std::string_view name) const;
  std::optional<uint32_t> ReadDword(std::string_view keyPath, std::string_view name) const;
  std::optional<std::string> ReadString(std::string_view keyPath, std::string_view name) const;
  // False when the file could not be written (the old file then stays).
  bool WriteDword(std::string_view keyPath, std::string_view name, uint32_t value);
  bool WriteString(std::string_view keyPath, std::string_view name, std::string_view text);
  bool DeleteValue(std::string_view keyPath, std::string_view name);
  // Creates the key (an empty section) when missing; false when it cannot.
  bool CreateKey(std::string_view keyPath);

 private:
  bool Update(std::string_view keyPath, std::string_view name,
              const std::optional<std::string>& encodedValue);

  std::string path_;
  mutable std::mutex mutex_;
};

// An open key: a registry and a key path. Copyable; refers to the registry.
class RegistryKey {
 public:
  RegistryKey(Registry* registry, std::string keyPath)
      : registry_(registry), keyPath_(std::move(keyPath)) {}
  Registry& registry() const { return *registry_; }
  const std::string& keyPath() const { return keyPath_; }

  RegistryType TypeOf(std::string_view name) const { return registry_->TypeOf(keyPath_, name); }
  std::optional<uint32_t> ReadDword(std::string_view name) const {
    return registry_->ReadDword(keyPath_, name);
  }
  std::optional<std::string> ReadString(std::string_view name) const {
    return registry_->ReadString(keyPath_, name);
  }
  bool WriteDword(std::string_view name, uint32_t value) const {
    return registry_->WriteDword(keyPath_, name, value);
  }
  bool WriteString(std::string_view name, std::string_view text) const {
    return registry_->WriteString(keyPath_, name, text);
  }

 private:
  Registry* registry_;
  std::string keyPath_;
};

}  // namespace platform
