#include "model/macro_area.h"

#include <algorithm>
#include <string>

#include "model/key_map.h"
#include "model/key_table.h"
#include "platform/byte_order.h"

namespace model {
namespace {

constexpr std::size_t kRecordHeaderSize = 4;
constexpr std::size_t kDeviceActionSize = 4;

constexpr uint16_t kDelayMask = 0x0FFF;
constexpr int kKindShift = 12;
constexpr uint16_t kKindMask = 0x7;
constexpr uint16_t kPressBit = 0x8000;

constexpr uint8_t kEntryMouse = 0x01;
constexpr uint8_t kEntryKeyboard = 0x02;
constexpr uint8_t kEntrySystem = 0x04;

std::size_t RecordSize(const MacroRecord& macro, bool withNames) {
  const std::size_t actions = static_cast<std::size_t>(macro.ActionCount()) * kDeviceActionSize;
  const std::size_t name = withNames ? macro.Name().size() * 2 : 0;
  return kRecordHeaderSize + actions + name;
}

// The key-map entry a macro event is played as; 00 00 00 when the keyboard
// has no event for the code.
MapEntry EntryOfCode(KeyCode code) {
  const UsageRef usage = UsageOfCode(code);
  switch (usage.kind) {
    case kUsageKindKeyboard:
      if (const uint8_t bit = ModifierBitOfCode(code); bit != 0) return {kEntryKeyboard, 0x01, bit};
      return {kEntryKeyboard, 0x02, static_cast<uint8_t>(usage.value)};
    case kUsageKindMouse:
      switch (usage.value) {
        case 0xF1:
          return {kEntryMouse, 0x01, 0x01};
        case 0xF2:
          return {kEntryMouse, 0x01, 0x02};
        case 0xF3:
          return {kEntryMouse, 0x01, 0x04};
        case 0xF4:
          return {kEntryMouse, 0x05, 0x01};
        case 0xF5:
          return {kEntryMouse, 0x05, 0xFF};
        default:
          return {};
      }
    case kUsageKindSystem:
      return {kEntrySystem, static_cast<uint8_t>(usage.value),
              static_cast<uint8_t>(usage.value >> 8)};
    default:
      return {};
  }
}

void EncodeAction(const MacroAction& action, uint8_t* p) {
  const MapEntry entry = EntryOfCode(action.code);
  const uint32_t units = std::min<uint32_t>(action.delay / 10, kMaxMacroDelayUnits);
  auto word = static_cast<uint16_t>(units | (static_cast<uint32_t>(entry.kind) << kKindShift));
  if (action.release != 1) word |= kPressBit;
  platform::WriteU16(p, word);
  p[2] = entry.b1;
  p[3] = entry.b2;
}

MacroAction DecodeAction(const uint8_t* p) {
  const uint16_t word = platform::ReadU16(p);
  const auto kind = static_cast<uint8_t>((word >> kKindShift) & kKindMask);
  MacroAction action;
  action.delay = static_cast<uint32_t>(word & kDelayMask) * 10;
  action.code = CodeOfEntry(kind, p[2], p[3]);
  action.release = (word & kPressBit) ? 0 : 1;
  return action;
}

std::u16string GeneratedName(std::u16string_view prefix, std::size_t number) {
  std::u16string name(prefix);
  for (char c : std::to_string(number)) name += static_cast<char16_t>(c);
  return name;
}

// One record at `offset`, which the caller has checked holds a full record
// header.
MacroRecord DecodeRecord(std::span<const uint8_t> area, std::size_t offset) {
  const uint8_t* header = area.data() + offset;
  const std::size_t storedCount = platform::ReadU16(header);
  const std::size_t nameLength = header[3];
  const std::size_t first = offset + kRecordHeaderSize;
  const std::size_t room = area.size() - first;

  MacroRecord record;
  record.SetRepeatCount(header[2]);
  const std::size_t count =
      std::min({storedCount, room / kDeviceActionSize, static_cast<std::size_t>(kMaxMacroActions)});
  for (std::size_t j = 0; j < count; ++j) {
    record.SetAction(static_cast<int>(j),
                     DecodeAction(area.data() + first + j * kDeviceActionSize));
  }
  record.SetActionCount(static_cast<int>(count));

  // The name follows all stored actions, kept or not.
  const std::size_t nameStart = first + storedCount * kDeviceActionSize;
  std::u16string name;
  if (nameStart < area.size()) {
    const std::size_t units =
        std::min({nameLength, (area.size() - nameStart) / 2, kMacroNameMaxLength});
    for (std::size_t u = 0; u < units; ++u) {
      const char16_t unit = platform::ReadU16(area.data() + nameStart + u * 2);
      if (unit == 0) break;
      name += unit;
    }
  }
  record.SetName(name);
  return record;
}

}  // namespace

MacroAreaSize MacroAreaSizes(const MacroList& macros) {
  MacroAreaSize size{kMacroAreaHeaderSize + 2 * macros.size(),
                     kMacroAreaHeaderSize + 2 * macros.size()};
  for (const MacroRecord& macro : macros) {
    size.withNames += RecordSize(macro, true);
    size.withoutNames += RecordSize(macro, false);
  }
  return size;
}

bool BuildMacroArea(const MacroList& macros, std::span<uint8_t> buffer, bool withNames) {
  std::fill(buffer.begin(), buffer.end(), uint8_t{0});
  const MacroAreaSize sizes = MacroAreaSizes(macros);
  const std::size_t size = withNames ? sizes.withNames : sizes.withoutNames;
  if (macros.size() > static_cast<std::size_t>(kMaxMacros) || size > kMaxMacroAreaSize ||
      buffer.size() != size) {
    return false;
  }

  uint8_t* area = buffer.data();
  platform::WriteU16(area + 0, kMacroAreaMarker);
  platform::WriteU16(area + 2, static_cast<uint16_t>(size));
  platform::WriteU16(area + 4, static_cast<uint16_t>(macros.size()));
  platform::WriteU16(area + 6, withNames ? 1 : 0);

  // Every offset below is under `size`, which fits 16 bits.
  std::size_t pos = kMacroAreaHeaderSize + 2 * macros.size();
  for (std::size_t i = 0; i < macros.size(); ++i) {
    const MacroRecord& macro = macros[i];
    const std::u16string name = withNames ? macro.Name() : std::u16string();
    const int count = macro.ActionCount();
    platform::WriteU16(area + kMacroAreaHeaderSize + 2 * i, static_cast<uint16_t>(pos));
    platform::WriteU16(area + pos, static_cast<uint16_t>(count));
    area[pos + 2] = macro.RepeatCount();
    area[pos + 3] = static_cast<uint8_t>(name.size());
    pos += kRecordHeaderSize;
    for (int j = 0; j < count; ++j) {
      EncodeAction(macro.Action(j), area + pos);
      pos += kDeviceActionSize;
    }
    for (char16_t unit : name) {
      platform::WriteU16(area + pos, unit);
      pos += 2;
    }
  }
  return true;
}

MacroList DecodeMacroArea(std::span<const uint8_t> area, std::u16string_view generatedNamePrefix) {
  MacroList macros;
  if (area.size() < kMacroAreaHeaderSize || platform::ReadU16(area.data()) != kMacroAreaMarker) {
    return macros;
  }
  // Only offset entries inside the area can name a record.
  const std::size_t slots =
      std::min({static_cast<std::size_t>(platform::ReadU16(area.data() + 4)),
                static_cast<std::size_t>(kMaxMacros), (area.size() - kMacroAreaHeaderSize) / 2});
  macros.reserve(slots);
  for (std::size_t i = 0; i < slots; ++i) {
    const std::size_t offset = platform::ReadU16(area.data() + kMacroAreaHeaderSize + 2 * i);
    if (offset + kRecordHeaderSize > area.size()) continue;

    MacroRecord record = DecodeRecord(area, offset);
    record.SetId(static_cast<uint16_t>(i + 1));
    if (record.Name().empty()) record.SetName(GeneratedName(generatedNamePrefix, i + 1));
    macros.push_back(record);
  }
  return macros;
}

}  // namespace model
