// The lighting operations the panel's controls call: reading the state from
// the keyboard, selecting an effect, each parameter change and the defaults.
// Every change is written at once in its own ConfigBegin … ConfigEnd
// bracket. The state is updated as if every write succeeded (the panel
// keeps showing the user's choice); the result is still returned so that
// callers that report to the user can tell a failed write.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "device/device_link.h"
#include "lighting/lighting_state.h"

namespace lighting {

class UserLightingFiles;

// What the per-key colour code does when the lighting operations reach the
// custom effect. The default implementations do nothing, for callers that
// have no key buttons.
class CustomColourHooks {
 public:
  virtual ~CustomColourHooks() = default;
  // Every effect selection first clears the custom painting of the keys.
  virtual void ClearKeyPainting() {}
  // After effect 20 was written: repaint the keys from the key colour table
  // of `slot`, without writing to the keyboard.
  virtual void PaintKeysFromTable(int /*slot*/) {}
  // Restoring the defaults, after the user lighting file of `slot` has been
  // restored from the factory file: rebuild the layout list and load the
  // layout in use (which writes the key colours).
  virtual void ReloadUserLayout(int /*slot*/) {}
};

inline constexpr const char* kLightingModeSection = "KEYCOLOR";
inline constexpr const char* kLightingModeKey = "DengCheck";

class LightingControl {
 public:
  // `settingsFile`: the per-user settings file holding the lighting-mode
  // flag (empty: the flag reads off and is not stored). `userFiles` may be
  // null: restoring the defaults then leaves the user lighting files alone.
  LightingControl(device::DeviceLink& link, LightingState& state, std::string settingsFile,
                  CustomColourHooks& hooks, const UserLightingFiles* userFiles = nullptr);

  LightingState& state() { return state_; }
  const LightingState& state() const { return state_; }

  // Which profile is edited; the next Read decodes that record.
  void SetEditedSlot(int slot);

  // Refreshes the effect list, the three records and the decoded fields of
  // the edited profile. 0 on success, -1 when the settings block cannot be
  // read (the effect list is then empty, the rest keeps its values).
  int Read();
  // False when a piece of the last successful read was not answered: its
  // bytes then repeat the previous piece (zeros for the first).
  bool LastReadComplete() const { return lastReadComplete_; }

  // Result codes below: 1 when every command succeeded (or nothing had to
  // be sent), otherwise the first failing command's code. Positions and
  // indices outside their range are clamped to it; a list position that
  // names no effect selects nothing and gives 0.
  int SelectEffect(int position);
  int SetBrightness(int position);
  int SetSpeed(int position);
  int SetDirection(bool first);
  int SetMainColour(Colour colour);
  int ToggleMultiColour();
  int SetColourChoice(int choice);
  int SetReportRate(int index);
  int WriteDefaultRecord();
  // The lighting part of the default button: effect 1 selected, the fields
  // set to the default record's, the user colour layout restored when the
  // custom effect is supported, then the default record written.
  int RestoreDefaults();

  bool StoreLightingMode(bool on);

 private:
  struct Piece {
    std::size_t recordOffset;
    std::span<const uint8_t> bytes;
  };
  int WriteSequence(std::span<const Piece> pieces);
  int WriteByte(std::size_t recordOffset, uint8_t value);

  device::DeviceLink& link_;
  LightingState& state_;
  std::string settingsFile_;
  CustomColourHooks& hooks_;
  const UserLightingFiles* userFiles_;
  bool lastReadComplete_ = false;
};

}  // namespace lighting
