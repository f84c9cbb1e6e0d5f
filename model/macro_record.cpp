#include "model/macro_record.h"

#include <algorithm>

#include "platform/byte_order.h"

namespace model {
namespace {

constexpr std::size_t kFirstAction = 512;
constexpr std::size_t kActionSize = 8;

}  // namespace

MacroRecord MacroRecord::FromBytes(std::span<const uint8_t, kMacroRecordSize> bytes) {
  MacroRecord record;
  std::copy(bytes.begin(), bytes.end(), record.bytes_.begin());
  return record;
}

uint16_t MacroRecord::Read16(std::size_t offset) const {
  return platform::ReadU16(bytes_.data() + offset);
}

void MacroRecord::Write16(std::size_t offset, uint16_t value) {
  platform::WriteU16(bytes_.data() + offset, value);
}

std::u16string MacroRecord::Name() const {
  std::u16string name;
  for (std::size_t i = 0; i < kMacroNameMaxLength; ++i) {
    const char16_t unit = Read16(i * 2);
    if (unit == 0) break;
    name += unit;
  }
  return name;
}

void MacroRecord::SetName(std::u16string_view name) {
  std::fill_n(bytes_.begin(), kMacroNameUnits * 2, uint8_t{0});
  const std::size_t length = std::min(name.size(), kMacroNameMaxLength);
  for (std::size_t i = 0; i < length; ++i) Write16(i * 2, name[i]);
}

int MacroRecord::ActionCount() const {
  return std::min<int>(StoredActionCount(), kMaxMacroActions);
}

void MacroRecord::SetActionCount(int count) {
  Write16(508, static_cast<uint16_t>(std::clamp(count, 0, kMaxMacroActions)));
}

MacroAction MacroRecord::Action(int index) const {
  if (index < 0 || index >= kMaxMacroActions) return {};
  const uint8_t* p = bytes_.data() + kFirstAction + static_cast<std::size_t>(index) * kActionSize;
  return MacroAction{platform::ReadU32(p), platform::ReadU16(p + 4), platform::ReadU16(p + 6)};
}

void MacroRecord::SetAction(int index, const MacroAction& action) {
  if (index < 0 || index >= kMaxMacroActions) return;
  uint8_t* p = bytes_.data() + kFirstAction + static_cast<std::size_t>(index) * kActionSize;
  platform::WriteU32(p, action.delay);
  platform::WriteU16(p + 4, action.code);
  platform::WriteU16(p + 6, action.release);
}

void MacroRecord::SetActions(const std::vector<MacroAction>& actions) {
  const int count = std::min<int>(static_cast<int>(actions.size()), kMaxMacroActions);
  std::fill(bytes_.begin() + kFirstAction, bytes_.end(), uint8_t{0});
  for (int i = 0; i < count; ++i) SetAction(i, actions[static_cast<std::size_t>(i)]);
  SetActionCount(count);
}

std::vector<MacroAction> MacroRecord::Actions() const {
  std::vector<MacroAction> actions;
  for (int i = 0; i < ActionCount(); ++i) actions.push_back(Action(i));
  return actions;
}

}  // namespace model
