#include "lighting/custom_colours.h"

#include <cstdint>

#include "device/keyboard_commands.h"
#include "device/result_codes.h"
#include "lighting/lighting_effects.h"

namespace lighting {
namespace {

// Keys 0..17, 18..35, …, 108..125: 54 bytes a packet.
constexpr int kKeysPerPacket = 18;
constexpr int kPackets = model::kKeyColourCount / kKeysPerPacket;

// The first failure wins; later commands still run.
void Keep(int& result, int code) {
  if (result == device::kResultOk && code != device::kResultOk) result = code;
}

bool IsGKey(int controlId) {
  return model::GKeyNumberOfControl(controlId) != 0;
}

}  // namespace

CustomColours::CustomColours(device::DeviceLink& link, const LightingState& state,
                             const UserLightingFiles& files, KeyView& view)
    : link_(link), state_(state), files_(files), view_(view) {}

std::optional<int> CustomColours::PaintKey(int controlId) {
  switch (custom_.tool) {
    case kBaseColourBrush:
      return Paint(controlId, custom_.baseColour, true);
    case kColourBrush:
      return Paint(controlId, custom_.brushColour, false);
    default:
      return std::nullopt;
  }
}

std::optional<int> CustomColours::PaintKeyWithBrush(int controlId, Colour colour) {
  return Paint(controlId, colour & 0xFFFFFF, false);
}

std::optional<int> CustomColours::Paint(int controlId, Colour colour, bool marked) {
  filesOk_ = true;
  if (state_.index.IdAt(state_.SelectedPosition()) != kCustomEffect) return std::nullopt;
  if (table_.Bytes(slot()).empty()) return std::nullopt;
  const int key = model::KeyIndexOfControl(controlId);
  // G key clicks go to key assignment; one G button alone cannot take the
  // colour the nine share.
  if (key < 0 || IsGKey(controlId)) return std::nullopt;

  view_.ShowFrame(controlId, colour);
  marks_.Set(controlId, slot(), marked);
  const uint8_t rgb[3] = {Red(colour), Green(colour), Blue(colour)};
  int result = device::kResultOk;
  Keep(result, device::ConfigBegin(link_));
  Keep(result, device::WriteKeyColours(link_, rgb, slot(), key));
  Keep(result, device::ConfigEnd(link_));
  table_.Set(slot(), key, colour);
  Note(files_.WriteKey(slot(), custom_.layout, key, {colour, marked}));
  return result;
}

int CustomColours::WriteAllKeyColours() {
  const auto bytes = table_.Bytes(slot());
  if (bytes.size() != kKeyColourBytes) return device::kResultBadSlot;
  int result = device::kResultOk;
  Keep(result, device::ConfigBegin(link_));
  for (int i = 0; i < kPackets; ++i) {
    const auto first = static_cast<std::size_t>(i * kKeysPerPacket * 3);
    Keep(result, device::WriteKeyColours(link_, bytes.subspan(first, kKeysPerPacket * 3), slot(),
                                         i * kKeysPerPacket));
  }
  Keep(result, device::ConfigEnd(link_));
  return result;
}

int CustomColours::LoadLayout() {
  filesOk_ = true;
  return LoadLayoutAt(files_.ReadLayoutInUse(slot()));
}

int CustomColours::LoadLayoutAt(int layout) {
  custom_.layout = layout;
  const LayoutTools tools = files_.ReadTools(slot(), layout);
  custom_.tool = tools.tool;
  custom_.baseColour = custom_.loadedBaseColour = tools.baseColour;
  custom_.brushColour = custom_.loadedBrushColour = tools.brushColour;

  auto load = [&](int controlId, int key) {
    const KeyColourEntry entry = files_.ReadKey(slot(), layout, key);
    table_.Set(slot(), key, entry.colour);
    marks_.Set(controlId, slot(), entry.marked);
  };
  for (const model::KeyButton& button : model::KeyButtons())
    load(button.controlId, button.keyIndex);
  load(model::kFnButtonId, model::kFnKeyIndex);
  // The G keys' colour is saved by every base-colour change; reading it back
  // keeps it across reloads.
  const KeyColourEntry gKeys = files_.ReadKey(slot(), layout, model::kGKeyIndex);
  table_.Set(slot(), model::kGKeyIndex, gKeys.colour);
  for (int id : model::kGKeyButtonIds) marks_.Set(id, slot(), gKeys.marked);

  return WriteAllKeyColours();
}

CustomEffectControls CustomColours::ShowCustomControls() {
  custom_.baseColour = custom_.loadedBaseColour;
  custom_.brushColour = custom_.loadedBrushColour;
  return Controls();
}

CustomEffectControls CustomColours::Controls() const {
  const bool base = custom_.tool == kBaseColourBrush;
  return {custom_.layout, custom_.baseColour, custom_.brushColour,
          base ? "user1up.bmp" : "user1down.bmp", base ? "user2down.bmp" : "user2up.bmp"};
}

void CustomColours::RecomputeMarks() {
  for (int s = 0; s < device::kProfileSlots; ++s) {
    auto mark = [&](int controlId, int key) {
      marks_.Set(controlId, s, table_.At(s, key) == custom_.loadedBaseColour);
    };
    for (const model::KeyButton& button : model::KeyButtons())
      mark(button.controlId, button.keyIndex);
    for (int id : model::kGKeyButtonIds) mark(id, model::kGKeyIndex);
    mark(model::kFnButtonId, model::kFnKeyIndex);
  }
}

std::array<std::string, kUserLayouts> CustomColours::LayoutNames() const {
  std::array<std::string, kUserLayouts> names;
  for (int n = 0; n < kUserLayouts; ++n)
    names[static_cast<std::size_t>(n)] = files_.ReadLayoutName(slot(), n);
  return names;
}

void CustomColours::SaveTools() {
  Note(files_.WriteTools(slot(), custom_.layout,
                         {custom_.tool, custom_.baseColour, custom_.brushColour}));
}

void CustomColours::ChooseTool(int tool) {
  filesOk_ = true;
  custom_.tool = tool == kBaseColourBrush ? kBaseColourBrush : kColourBrush;
  SaveTools();
}

void CustomColours::SetBrushColour(Colour colour) {
  filesOk_ = true;
  // Keys already painted keep their colour: nothing is sent.
  custom_.brushColour = colour & 0xFFFFFF;
  SaveTools();
}

int CustomColours::SetBaseColour(Colour colour) {
  filesOk_ = true;
  colour &= 0xFFFFFF;
  if (colour == custom_.baseColour) return device::kResultOk;
  custom_.baseColour = colour;
  SaveTools();

  auto recolour = [&](int controlId, int key) {
    if (!marks_.Marked(controlId, slot())) return false;
    table_.Set(slot(), key, colour);
    view_.ShowFrame(controlId, colour);
    return true;
  };
  for (const model::KeyButton& button : model::KeyButtons())
    if (recolour(button.controlId, button.keyIndex))
      Note(files_.WriteKey(slot(), custom_.layout, button.keyIndex, {colour, true}));
  // The nine G buttons share one entry: saved once.
  bool gKeys = false;
  for (int id : model::kGKeyButtonIds) gKeys = recolour(id, model::kGKeyIndex) || gKeys;
  if (gKeys) Note(files_.WriteKey(slot(), custom_.layout, model::kGKeyIndex, {colour, true}));
  if (recolour(model::kFnButtonId, model::kFnKeyIndex))
    Note(files_.WriteKey(slot(), custom_.layout, model::kFnKeyIndex, {colour, true}));
  return WriteAllKeyColours();
}

std::optional<int> CustomColours::ChooseLayout(int layout) {
  filesOk_ = true;
  if (layout < 0 || layout >= kUserLayouts) return std::nullopt;
  Note(files_.WriteLayoutInUse(slot(), layout));
  // Loads the chosen layout even when it could not be stored as in use.
  const int result = LoadLayoutAt(layout);
  ShowCustomControls();
  PaintKeysFromTable(slot());
  return result;
}

void CustomColours::RenameLayout(const std::string& name) {
  filesOk_ = true;
  Note(files_.WriteLayoutName(slot(), custom_.layout, name));
}

void CustomColours::ClearKeyPainting() {
  for (int id : model::kGKeyButtonIds) view_.ClearFrame(id);
  for (const model::KeyButton& button : model::KeyButtons()) view_.ClearFrame(button.controlId);
  view_.ClearFrame(model::kFnButtonId);
}

void CustomColours::PaintKeysFromTable(int slot) {
  for (const model::KeyButton& button : model::KeyButtons())
    view_.ShowFrame(button.controlId, table_.At(slot, button.keyIndex));
  for (int id : model::kGKeyButtonIds) view_.ShowFrame(id, table_.At(slot, model::kGKeyIndex));
  view_.ShowFrame(model::kFnButtonId, table_.At(slot, model::kFnKeyIndex));
}

void CustomColours::ReloadUserLayout(int /*slot*/) {
  // The lighting operations only reload the edited profile's layout.
  filesOk_ = true;
  LoadLayout();
}

}  // namespace lighting
