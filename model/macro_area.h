// MacroArea: the keyboard's storage of every macro, in list order (a macro's
// MacroSlot is its position in the list). Little-endian:
//
//   0     u16        marker 0x55AA
//   2     u16        total size of the area in bytes
//   4     u16        macro count m, at most 100
//   6     u16        1 when names are stored, 0 when not
//   8     8 bytes    reserved: written as zero, never read
//   16    2m bytes   offset of each macro's record from the start of the area
//   16+2m ...        the records, packed in slot order
//
// Record: u16 action count n, u8 repeat count, u8 name length L in UTF-16
// units (0 without names), n four-byte actions, then the L name units
// without terminator.
//
// Action: u16 w, then two payload bytes. w bits 0..11 are the delay in 10 ms
// units (at most 4000), bits 12..14 the kind, bit 15 set for a press. Kind
// and payload form a key-map entry: 2 01 bit modifier, 2 02 usage key,
// 1 01 01/02/04 mouse button, 1 05 01/FF wheel, 4 lo hi system control,
// 0 00 00 anything else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "model/macro_record.h"

namespace model {

inline constexpr std::size_t kMacroAreaHeaderSize = 16;
inline constexpr uint16_t kMacroAreaMarker = 0x55AA;
// Sizes and offsets in the area are 16-bit.
inline constexpr std::size_t kMaxMacroAreaSize = 0xFFFF;
// The longest pause the keyboard holds, in 10 ms units.
inline constexpr uint16_t kMaxMacroDelayUnits = 4000;

struct MacroAreaSize {
  std::size_t withNames;
  std::size_t withoutNames;
};

// The true sizes, even for lists no area can hold (more than 100 macros, or
// beyond 65535 bytes); actions count up to 2000 per macro, names up to 249
// units.
MacroAreaSize MacroAreaSizes(const MacroList& macros);

// Fills `buffer`, whose size must be the computed size for `withNames`.
// Returns false, with `buffer` cleared, when that size does not match, when
// the list has more than 100 macros or when the area would exceed 65535
// bytes: such an area cannot be addressed, and a wrapped one would be read
// back as other macros.
bool BuildMacroArea(const MacroList& macros, std::span<uint8_t> buffer, bool withNames);

// Turns an area read from the keyboard (`area` is exactly the bytes read)
// into records: MacroId = slot + 1, new flag and play mode 0, delays in
// whole 10 ms. A macro without a readable name is named
// `generatedNamePrefix` + (slot + 1).
//
// Damaged areas yield what can be read safely. Fewer than 16 bytes or a
// wrong marker give no macros. At most the first 100 slots are read, since
// the program holds no more. The header's size field is ignored: the bytes
// read bound everything. A slot whose offset entry or 4-byte record header
// lies outside the area is skipped; the others keep their slot's id, which
// key maps refer to. Actions are kept up to the first 2000 and up to the end
// of the area; the name is cut at the end of the area, at a zero unit and at
// 249 units.
MacroList DecodeMacroArea(std::span<const uint8_t> area, std::u16string_view generatedNamePrefix);

}  // namespace model
