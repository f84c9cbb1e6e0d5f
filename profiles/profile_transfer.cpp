#include "profiles/profile_transfer.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "device/keyboard_commands.h"
#include "device/result_codes.h"
#include "device/settings_block.h"
#include "model/key_map_writer.h"
#include "model/macro_area.h"
#include "platform/byte_order.h"
#include "platform/file_io.h"
#include "platform/utf16.h"
#include "profiles/profile_file.h"
#include "profiles/text_packing.h"
#include "settings/language_table.h"

namespace profiles {
namespace {

constexpr const char* kUserLightingPrefix = "UserDengColor_";
constexpr const char* kUserLightingSuffix = ".userd";
constexpr int kFactoryLightingNumber = 3;

bool Exists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

std::string Formatted(const char* format, int number) {
  char name[64];
  std::snprintf(name, sizeof name, format, number);
  return name;
}

}  // namespace

ProfileTransfer::ProfileTransfer(device::DeviceLink& link, model::ConfigStore& store,
                                 model::DefaultMatrix& defaultMatrix,
                                 platform::WindowInterface& window, std::string profileFolder,
                                 std::string programFolder)
    : link_(link),
      store_(store),
      defaultMatrix_(defaultMatrix),
      window_(window),
      profileFolder_(std::move(profileFolder)),
      programFolder_(std::move(programFolder)) {}

std::string ProfileTransfer::DefaultProfileFolder() {
  std::string base;
  if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
    base = data;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = std::string(home) + "/.local/share";
  } else {
    base = "/tmp";
  }
  return base + "/" + kProfileFolderName;
}

bool ProfileTransfer::EnsureProfileFolder() {
  if (Exists(profileFolder_)) return true;
  if (!platform::EnsureFolder(profileFolder_)) return false;
  // A new folder gets the factory colour layouts for each of the three slots.
  const std::string factory = programFolder_ + "/Skins/" + kUserLightingPrefix +
                              std::to_string(kFactoryLightingNumber) + kUserLightingSuffix;
  std::string content;
  if (platform::ReadWholeFile(factory, &content) == platform::ReadStatus::kOk) {
    for (int slot = 0; slot < 3; ++slot) {
      platform::ReplaceFileAtomically(
          profileFolder_ + "/" + kUserLightingPrefix + std::to_string(slot) + kUserLightingSuffix,
          content);
    }
  }
  return true;
}

std::string ProfileTransfer::WorkingFilePath(int) const {
  return profileFolder_ + "/" + Formatted(kWorkingFileFormat, 0);
}

int ProfileTransfer::GetActiveSlot() {
  const int cached = activeSlot_;
  if (cached != -1) return cached;
  device::SettingsBlock block{};
  if (device::ReadSettingsBlock(link_, block) != device::kResultOk) return -1;
  activeSlot_ = device::ActiveSlotByte(block);
  return activeSlot_;
}

void ProfileTransfer::SetActiveSlot(int slot) {
  if (slot < 0) return;
  if (slot > 2) {
    window_.ShowMessage(settings::Text("PROFILE_SLOT_INVALID"), platform::MessageButtons::kOk,
                        false);
    return;
  }
  device::SettingsBlock block{};
  if (device::ReadSettingsBlock(link_, block) != device::kResultOk) return;
  block[device::kSettingsActiveSlotByte] = static_cast<uint8_t>(slot);
  activeSlot_ = device::WriteSettingsBlock(link_, block) == device::kResultOk
                    ? block[device::kSettingsActiveSlotByte]
                    : -1;
}

int ProfileTransfer::ReadDeviceToFile(const std::string& path) {
  const int active = GetActiveSlot();
  if (static_cast<unsigned>(active) > 3) return 0;
  std::array<model::KeyMapBlock, 3> maps{};
  for (int slot = 0; slot < 3; ++slot)
    if (device::ReadKeyMap(link_, maps[static_cast<std::size_t>(slot)], slot) != device::kResultOk)
      return 0;
  std::vector<uint8_t> area(model::kMacroAreaHeaderSize);
  if (device::ReadMacroArea(link_, area) != device::kResultOk) return 0;
  model::MacroList macros;
  if (platform::ReadU16(area.data()) == model::kMacroAreaMarker) {
    area.resize(platform::ReadU16(area.data() + 2));
    if (device::ReadMacroArea(link_, area) != device::kResultOk) return 0;
    macros =
        model::DecodeMacroArea(area, platform::Utf8ToUtf16(settings::Text("MACRO_NEW_PREFIX")));
  }
  // The header counts the macros that could actually be read.
  std::unique_ptr<model::ProfileImage> image = NewEmptyImage(0);
  if (!image) return 0;
  BuildFileHeader(*image, static_cast<uint16_t>(macros.size()), 0, 0);
  const model::KeyMapBlock matrix = defaultMatrix_.Get();
  for (int slot = 0; slot < 3; ++slot)
    model::DecodeKeyMap(maps[static_cast<std::size_t>(slot)], matrix, *image, slot);
  std::string bytes(reinterpret_cast<const char*>(image->bytes().data()), image->bytes().size());
  for (const model::MacroRecord& macro : macros)
    bytes.append(reinterpret_cast<const char*>(macro.bytes().data()), macro.bytes().size());
  // Written whole or not at all: a failed write leaves the old file.
  return platform::ReplaceFileAtomically(path, bytes) ? 1 : 0;
}

void ProfileTransfer::EmptyAndLoadWorkingFile() {
  std::lock_guard lock(store_.mutex());
  store_.Empty();
  LoadProfileFile(store_, WorkingFilePath(0));
}

int ProfileTransfer::ReloadFromDevice(bool keepApplyState) {
  EnsureProfileFolder();
  const int active = GetActiveSlot();
  const bool read = active >= 0 && ReadDeviceToFile(WorkingFilePath(active)) == 1;
  {
    std::lock_guard lock(store_.mutex());
    store_.Empty();
    if (read)
      LoadProfileFile(store_, WorkingFilePath(active));
    else
      CreateEmptyImage(store_, "", 0, true);
    window_.ShowAssignments(activeSlot_);
  }
  if (!keepApplyState) window_.SetApplyPending(false);
  return 1;
}

int ProfileTransfer::ApplyStoreToDevice(bool allSlots) {
  std::lock_guard storeLock(store_.mutex());
  model::ApplySnapshot& snapshot = store_.snapshot();
  {
    std::lock_guard snapshotLock(snapshot.mutex);
    snapshot.Free();
    if (!store_.image()) return 0;
    snapshot.image = std::make_unique<model::ProfileImage>(*store_.image());
    BuildFileHeader(*snapshot.image, store_.MacroCount(), static_cast<uint32_t>(store_.TextBytes()),
                    0);
    snapshot.macros = store_.Macros();
    // The offsets go into the store's own image; the snapshot keeps its copy.
    if (!PackTexts(store_, *store_.image(), &snapshot.texts)) return 0;
  }
  const model::KeyMapWriter writer{link_,   store_,         defaultMatrix_,
                                   window_, macroCapacity_, [this] { return GetActiveSlot(); }};
  return model::WriteKeyMapsAndMacros(writer, allSlots);
}

int ProfileTransfer::SaveWorkingFile(bool takeLock) {
  const std::string path = WorkingFilePath(0);
  if (!Exists(path)) return 0;
  return SaveProfileFile(store_, takeLock, path);
}

int ProfileTransfer::SelectProfile(int slot) {
  if (slot >= 3) slot = 0;
  if (window_.IsKeyAssignmentOpen()) {
    window_.ShowMessage(settings::Text("PROFILE_SEELCT_PROMPT2"), platform::MessageButtons::kOk,
                        false);
    return 0;
  }
  if (window_.ProfileManagerHasUnappliedChanges() || window_.IsApplyPending()) {
    if (!selectionGuard_) {
      selectionGuard_ = true;
      const platform::MessageAnswer answer =
          window_.ShowMessage(settings::Text("PROFILE_SELECT_PROMPT"),
                              platform::MessageButtons::kYesNoDefaultNo, false);
      if (answer == platform::MessageAnswer::kYes) {
        window_.RunApplyCommand();
      } else {
        // The unapplied edits are dropped: back to what the working file says.
        window_.SetApplyPending(false);
        if (GetActiveSlot() >= 0) EmptyAndLoadWorkingFile();
      }
    }
    selectionGuard_ = false;
    SetActiveSlot(slot);
  } else {
    SetActiveSlot(slot);
    window_.ProfileManagerShowSlot(slot);
  }
  ShowActiveProfile();
  BuildProfileMenu(false);
  return 1;
}

int ProfileTransfer::ShowActiveProfile() {
  std::lock_guard lock(store_.mutex());
  window_.ShowAssignments(GetActiveSlot());
  return 1;
}

int ProfileTransfer::BuildProfileMenu(bool) {
  ProfileMenu built;
  built.items.push_back({kMenuDefaultCommand, settings::Text("DEFAULT_PROFILE_NAME")});
  built.items.push_back({0, ""});
  for (int slot = 0; slot < 3; ++slot) {
    // The working file's name without folder and extension.
    std::string name = WorkingFilePath(slot);
    name = name.substr(name.find_last_of('/') + 1);
    name = name.substr(0, name.find_last_of('.'));
    built.items.push_back({kMenuFirstSlotCommand + slot, name});
  }
  const int active = activeSlot_;
  built.checkedPosition = active >= 0 && active <= 2 ? active + 2 : 0;
  const std::string checked = built.items[static_cast<std::size_t>(built.checkedPosition)].text;
  window_.SetProfileButton(checked, settings::Text("PROFILE_TIP") + checked);
  std::lock_guard lock(menuMutex_);
  menu_ = std::move(built);
  return 1;
}

ProfileMenu ProfileTransfer::menu() const {
  std::lock_guard lock(menuMutex_);
  return menu_;
}

int ProfileTransfer::PresenceHandler(int present) {
  const bool arrived = present != 0;
  if (arrived == lastPresence_) return 0;
  if (arrived) {
    model::KeyMapBlock matrix{};
    if (device::ReadDefaultMatrix(link_, matrix) == device::kResultOk)
      defaultMatrix_.Set(matrix);
    else
      window_.ShowMessage(settings::Text("MAIN_DEFAULT_MATRIX_PROMPT"),
                          platform::MessageButtons::kOk, false);
    device::SettingsBlock block{};
    if (device::ReadSettingsBlock(link_, block) == device::kResultOk)
      macroCapacity_ = device::MacroCapacityBytes(block);
    window_.SendWindowMessage({platform::kMsgProfilesRead, platform::kCodeProfilesRead, 0});
  } else {
    activeSlot_ = -1;
    window_.SendWindowMessage({platform::kMsgDeviceGone, 0, 0});
    window_.HideWindow();
  }
  while (!window_.IsReady()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  window_.SetTrayIcon(0, arrived ? platform::kTrayIconPresent : platform::kTrayIconAbsent);
  lastPresence_ = arrived;
  if (!firstPresence_) {
    if (arrived) window_.PostWindowMessage({platform::kMsgOpen, platform::kCodeOpen, 0});
    firstPresence_ = true;
  }
  return 0;
}

}  // namespace profiles
