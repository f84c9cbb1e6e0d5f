// The custom effect (20): keys painted with two brushes, ten named colour
// layouts per profile in the user lighting files, every change written to
// the keyboard at once. The on-screen keyboard and the lighting panel bind to
// this class; it is also the hook the lighting operations call when they
// reach the custom effect.
//
// Device results: 1 when every command succeeded, otherwise the first
// failing command's code. File writes that fail do not stop an operation;
// LastFileWritesOk tells whether the last one saved everything.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "device/device_link.h"
#include "lighting/key_colour_table.h"
#include "lighting/key_marks.h"
#include "lighting/key_view.h"
#include "lighting/lighting_control.h"
#include "lighting/lighting_state.h"
#include "lighting/user_lighting_file.h"

namespace lighting {

inline constexpr int kColourBrush = 0;
inline constexpr int kBaseColourBrush = 1;

struct CustomColourState {
  int tool = kColourBrush;
  Colour baseColour = 0;   // laid by the base-colour brush, "jcolor"
  Colour brushColour = 0;  // laid by the colour brush, "color"
  Colour loadedBaseColour = 0;
  Colour loadedBrushColour = 0;
  int layout = 0;  // the edited profile's layout in use, 0..9
};

// What the custom-effect controls of the panel show.
struct CustomEffectControls {
  int layout = 0;  // selected entry of the layout list (1198)
  Colour baseColour = 0;
  Colour brushColour = 0;
  const char* colourBrushPicture = "";  // on 1164
  const char* baseBrushPicture = "";    // on 1165
};

class CustomColours : public CustomColourHooks {
 public:
  // `state` gives the edited profile and the selected effect.
  CustomColours(device::DeviceLink& link, const LightingState& state,
                const UserLightingFiles& files, KeyView& view);

  const KeyColourTable& table() const { return table_; }
  const KeyMarks& marks() const { return marks_; }
  const CustomColourState& custom() const { return custom_; }
  bool LastFileWritesOk() const { return filesOk_; }

  // A key click in lighting mode. Nothing happens (nullopt) unless effect 20
  // is selected, the button has a key colour and is not a G key (those are
  // painted only through the base colour), and the tool is 0 or 1.
  // Otherwise the key gets the tool's colour and mark, on the view, the
  // keyboard and in the user lighting file; the device result is returned.
  std::optional<int> PaintKey(int controlId);
  // What the colour brush does with `colour`, without changing the layout's
  // brush colour or tool.
  std::optional<int> PaintKeyWithBrush(int controlId, Colour colour);

  // The edited profile's 378 table bytes in seven 54-byte packets.
  int WriteAllKeyColours();
  // Reads the edited profile's layout in use into the table, the marks and
  // the custom state, then writes all key colours.
  int LoadLayout();
  // The state the custom-effect controls show; the base and brush colours
  // go back to the ones last loaded.
  CustomEffectControls ShowCustomControls();
  // What the controls show now, changing nothing.
  CustomEffectControls Controls() const;
  // For all three profiles: a button is marked exactly when its table colour
  // equals the loaded base colour.
  void RecomputeMarks();
  // The ten layout names of the edited profile, for the layout list.
  std::array<std::string, kUserLayouts> LayoutNames() const;

  // Control handlers: 1164, 1165 (choose the tool), 1160 (brush colour),
  // 1162 (base colour: recolours the marked keys), 1198 (choose a layout,
  // nullopt for one outside 0..9; rename the layout in use).
  void ChooseTool(int tool);
  void SetBrushColour(Colour colour);
  int SetBaseColour(Colour colour);
  std::optional<int> ChooseLayout(int layout);
  void RenameLayout(const std::string& name);

  // CustomColourHooks.
  void ClearKeyPainting() override;
  void PaintKeysFromTable(int slot) override;
  void ReloadUserLayout(int slot) override;

 private:
  int slot() const { return state_.editedSlot; }
  std::optional<int> Paint(int controlId, Colour colour, bool marked);
  int LoadLayoutAt(int layout);
  void SaveTools();
  void Note(bool written) { filesOk_ = filesOk_ && written; }

  device::DeviceLink& link_;
  const LightingState& state_;
  const UserLightingFiles& files_;
  KeyView& view_;
  KeyColourTable table_;
  KeyMarks marks_;
  CustomColourState custom_;
  bool filesOk_ = true;
};

}  // namespace lighting
