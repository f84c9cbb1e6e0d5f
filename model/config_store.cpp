#include "model/config_store.h"

#include "model/button_table.h"
#include "model/key_codes.h"

namespace model {
namespace {

const TextSlot kNoText;

}  // namespace

ConfigStore::ConfigStore() : texts_(kTextSlots) {}

void ConfigStore::SetImage(std::unique_ptr<ProfileImage> image) {
  std::lock_guard lock(mutex_);
  image_ = std::move(image);
}

KeyAction ConfigStore::ActionAt(int area, int slot) const {
  std::lock_guard lock(mutex_);
  return image_ ? image_->ActionAt(area, slot) : KeyAction{};
}

void ConfigStore::SetAction(int area, int slot, uint16_t type, uint16_t extra, uint32_t value) {
  std::lock_guard lock(mutex_);
  if (image_) image_->SetTypeExtraValue(area, slot, type, extra, value);
}

const TextSlot& ConfigStore::Text(int slot) const {
  std::lock_guard lock(mutex_);
  if (slot < 0 || slot >= kTextSlots) return kNoText;
  return texts_[static_cast<std::size_t>(slot)];
}

void ConfigStore::SetText(int slot, std::u16string_view text) {
  std::lock_guard lock(mutex_);
  if (slot < 0 || slot >= kTextSlots) return;
  ClearText(slot);
  TextSlot& target = texts_[static_cast<std::size_t>(slot)];
  target.text = std::u16string(text);
  target.bytes = static_cast<uint32_t>((text.size() + 1) * 2);
  textBytes_ += static_cast<int32_t>(target.bytes);
}

void ConfigStore::ClearText(int slot) {
  std::lock_guard lock(mutex_);
  if (slot < 0 || slot >= kTextSlots) return;
  TextSlot& target = texts_[static_cast<std::size_t>(slot)];
  textBytes_ -= static_cast<int32_t>(target.bytes);
  target = TextSlot{};
}

int32_t ConfigStore::TextBytes() const {
  std::lock_guard lock(mutex_);
  return textBytes_;
}

void ConfigStore::ReplaceMacros(MacroList macros) {
  std::lock_guard lock(mutex_);
  macros_ = std::move(macros);
}

int ConfigStore::MacroSlotOfId(uint16_t id) const {
  std::lock_guard lock(mutex_);
  for (std::size_t i = 0; i < macros_.size(); ++i)
    if (macros_[i].Id() == id) return static_cast<int>(i);
  return 0;
}

uint16_t ConfigStore::MacroIdAtPosition(int position) const {
  std::lock_guard lock(mutex_);
  if (position < 0 || static_cast<std::size_t>(position) >= macros_.size()) return 0;
  return macros_[static_cast<std::size_t>(position)].Id();
}

bool ConfigStore::MacroIsReferenced(const MacroRecord& macro) const {
  if (macro.NewFlag() == 1) return false;
  std::lock_guard lock(mutex_);
  if (!image_) return false;
  for (int area = 0; area < kAreaCount; ++area) {
    for (int entry = 0; entry < kEntriesPerArea; ++entry) {
      const KeyAction action = image_->ActionAt(area, entry);
      if (action.type == kActionMacro && action.value == macro.Id()) return true;
    }
  }
  return false;
}

void ConfigStore::CheckMacroReferences(const MacroList& newList,
                                       platform::WindowInterface& window) {
  std::lock_guard lock(mutex_);
  if (!image_) return;
  for (int area = 0; area < kAreaCount; ++area) {
    for (int entry = 0; entry < kEntriesPerArea; ++entry) {
      KeyAction action = image_->ActionAt(area, entry);
      if (action.type != kActionMacro) continue;
      if (action.value != 0) {
        const MacroRecord* found = nullptr;
        for (const MacroRecord& record : newList) {
          if (record.Id() == action.value) {
            found = &record;
            break;
          }
        }
        if (found != nullptr && found->NewFlag() == 0) continue;
        // The macro is gone, or its id now names a macro made after it.
        action.type = kActionDefault;
        image_->SetAction(area, entry, action);
        window.RefreshKeyButton(area, entry);
        window.SetApplyPending(true);
      } else if (!newList.empty()) {
        action.value = newList.front().Id();
        image_->SetAction(area, entry, action);
        window.SetApplyPending(true);
      }
    }
  }
}

void ConfigStore::InstallMacroList(const MacroList& newList) {
  MacroList installed = newList;
  for (MacroRecord& record : installed) record.SetNewFlag(0);
  ReplaceMacros(std::move(installed));
}

void ConfigStore::ResetArea(int area) {
  std::lock_guard lock(mutex_);
  if (image_) image_->ResetArea(area);
}

void ConfigStore::ResetActiveProfileKeys(int activeSlot, int gKeyBank,
                                         platform::WindowInterface& window) {
  std::lock_guard lock(mutex_);
  if (!image_ || activeSlot < 0 || activeSlot > 2) return;
  for (const KeyButton& button : KeyButtons()) {
    const int entry = SlotOfCode(button.code);
    image_->ClearAction(activeSlot, entry);
    window.RefreshKeyButton(activeSlot, entry);
  }
  const int firstG = kFirstGKeyEntry + (gKeyBank != 0 ? kGKeysPerBank : 0);
  for (int g = 0; g < kGKeysPerBank; ++g) {
    image_->ClearAction(activeSlot, firstG + g);
    window.RefreshKeyButton(activeSlot, firstG + g);
  }
  window.SetApplyPending(true);
}

void ConfigStore::Empty() {
  std::lock_guard lock(mutex_);
  for (TextSlot& slot : texts_) slot = TextSlot{};
  textBytes_ = 0;
  macros_.clear();
  image_.reset();
}

}  // namespace model
