// Moving the whole configuration between the keyboard, the working profile
// file and the configuration store. Every read of the keyboard goes keyboard
// → working file → store; every write goes store → working file and store →
// apply snapshot → keyboard. Also the active-profile cache, profile
// switching, the profile menu and the handler of arrival and removal.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "device/device_link.h"
#include "model/config_store.h"
#include "model/key_map.h"
#include "platform/window_interface.h"

namespace profiles {

inline constexpr const char* kProfileFolderName = "M710LTX_204-Q";
inline constexpr const char* kWorkingFileFormat = "$Profile%d";
inline constexpr int kMenuDefaultCommand = 9000;
inline constexpr int kMenuFirstSlotCommand = 9001;

struct ProfileMenuItem {
  int command = 0;  // 0 for the separator
  std::string text;
};

struct ProfileMenu {
  std::vector<ProfileMenuItem> items;
  int checkedPosition = 0;
};

class ProfileTransfer {
 public:
  // `profileFolder`: where the working file and the user lighting files live;
  // `programFolder`: where the factory lighting file is.
  ProfileTransfer(device::DeviceLink& link, model::ConfigStore& store,
                  model::DefaultMatrix& defaultMatrix, platform::WindowInterface& window,
                  std::string profileFolder, std::string programFolder);

  // $XDG_DATA_HOME (default ~/.local/share) + "/M710LTX_204-Q".
  static std::string DefaultProfileFolder();

  const std::string& profileFolder() const { return profileFolder_; }
  // Creates the folder when missing and then seeds the three user lighting
  // files from the factory file. False when it cannot be created.
  bool EnsureProfileFolder();
  // One working file serves all three slots: the number is always 0.
  std::string WorkingFilePath(int slot) const;

  // The keyboard's active profile (cached), -1 when unknown and unreadable.
  int GetActiveSlot();
  // Switches the keyboard's active profile. Negative slots do nothing; the
  // keyboard has no slot 3 and above, so those are refused with a message.
  void SetActiveSlot(int slot);
  void ForgetActiveSlot() { activeSlot_ = -1; }

  // Reads all three key maps and the macro area into a profile file.
  int ReadDeviceToFile(const std::string& path);
  // Keyboard → working file → store; always 1.
  int ReloadFromDevice(bool keepApplyState);
  // Store → snapshot → keyboard; the caller holds the store's lock.
  int ApplyStoreToDevice(bool allSlots);
  // Saves the store to the working file when that file exists.
  int SaveWorkingFile(bool takeLock);
  // Makes `slot` the keyboard's active profile, settling unapplied edits.
  int SelectProfile(int slot);
  int ShowActiveProfile();
  int BuildProfileMenu(bool create);
  ProfileMenu menu() const;

  // Arrival (non-zero) or removal (0) of the keyboard. Calls must come one
  // at a time, in the order the events happened.
  int PresenceHandler(int present);
  // Set when the program starts with "/Start" or without a keyboard: the
  // window then does not open by itself.
  void SetFirstPresence() { firstPresence_ = true; }

  uint32_t macroCapacity() const { return macroCapacity_; }
  model::DefaultMatrix& defaultMatrix() { return defaultMatrix_; }

 private:
  void EmptyAndLoadWorkingFile();

  device::DeviceLink& link_;
  model::ConfigStore& store_;
  model::DefaultMatrix& defaultMatrix_;
  platform::WindowInterface& window_;
  std::string profileFolder_;
  std::string programFolder_;

  std::atomic<int> activeSlot_{-1};
  std::atomic<uint32_t> macroCapacity_{0};
  bool lastPresence_ = false;
  std::atomic<bool> firstPresence_{false};
  bool selectionGuard_ = false;
  mutable std::mutex menuMutex_;
  ProfileMenu menu_;
};

}  // namespace profiles
