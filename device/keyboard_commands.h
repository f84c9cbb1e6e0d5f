// The keyboard's configuration commands. Each is one or more report
// transactions; the result is the transaction's code when that is not 1,
// otherwise -102 / -103 for the reply's error statuses, else 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/device_link.h"

namespace device {

inline constexpr uint8_t kCommandConfigBegin = 0x01;
inline constexpr uint8_t kCommandConfigEnd = 0x02;
inline constexpr uint8_t kCommandReadSettingsBlock = 0x03;
inline constexpr uint8_t kCommandWriteSettingsBlock = 0x04;
inline constexpr uint8_t kCommandReadLightingArea = 0x05;
inline constexpr uint8_t kCommandWriteLightingArea = 0x06;
inline constexpr uint8_t kCommandReadKeyMap = 0x07;
inline constexpr uint8_t kCommandWriteKeyMap = 0x08;
inline constexpr uint8_t kCommandReadMacroArea = 0x09;
inline constexpr uint8_t kCommandWriteMacroArea = 0x0A;
inline constexpr uint8_t kCommandTest = 0x0D;
inline constexpr uint8_t kCommandReadDefaultMatrix = 0x0F;
inline constexpr uint8_t kCommandWriteKeyColours = 0x11;
inline constexpr uint8_t kCommandEnterBootMode = 0xEE;

inline constexpr std::size_t kSettingsBlockSize = 44;
inline constexpr std::size_t kKeyMapBlockSize = 378;
inline constexpr std::size_t kLightingRecordSize = 42;
inline constexpr std::size_t kKeyColourSlotStride = 512;
inline constexpr int kProfileSlots = 3;
inline constexpr int kKeyColourKeys = 126;

// Opens and closes a configuration bracket.
int ConfigBegin(DeviceLink& link);
int ConfigEnd(DeviceLink& link);

int ReadSettingsBlock(DeviceLink& link, std::span<uint8_t, kSettingsBlockSize> destination);
int WriteSettingsBlock(DeviceLink& link, std::span<const uint8_t, kSettingsBlockSize> source);

// Copies the reply's 56 data bytes, whatever the length asked for.
int ReadLightingArea(DeviceLink& link, std::span<uint8_t, 56> destination, uint8_t length,
                     uint16_t offset);
// At most 56 bytes at an area offset (slot × 42 + field).
int WriteLightingArea(DeviceLink& link, std::span<const uint8_t> data, uint16_t offset);

// One profile's key map, in seven packets; -201 for a slot outside 0..2.
int ReadKeyMap(DeviceLink& link, std::span<uint8_t, kKeyMapBlockSize> destination, int slot);
int WriteKeyMap(DeviceLink& link, std::span<const uint8_t, kKeyMapBlockSize> source, int slot);
int ReadDefaultMatrix(DeviceLink& link, std::span<uint8_t, kKeyMapBlockSize> destination);

// The first `count` bytes of the macro area, in 56-byte packets; a count of
// 0 sends nothing and succeeds.
int ReadMacroArea(DeviceLink& link, std::span<uint8_t> destination);
int WriteMacroArea(DeviceLink& link, std::span<const uint8_t> source);

int TestCommand(DeviceLink& link);

// Colours of consecutive keys starting at `firstKey` (3 bytes each, at most
// 56 bytes) in one packet; -201 for a slot outside 0..2 or a key outside
// 0..125.
int WriteKeyColours(DeviceLink& link, std::span<const uint8_t> data, int slot, int firstKey);

// Switches the keyboard into its boot loader. Sent once, unanswered; the
// service's result (1 when sent).
int EnterBootMode(DeviceLink& link);

}  // namespace device
