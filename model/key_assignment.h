// What the key assignment dialog's Apply writes, shared by every front end:
// the key's new action with the preserved words kept and its text slot
// freed, the rules of the macro list (ids, repeat counts, typed delays) and
// the installing of an edited list.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/config_store.h"
#include "model/key_codes.h"
#include "model/macro_record.h"
#include "platform/window_interface.h"

namespace model {

inline constexpr uint32_t kMaxTypedDelay = 40000;
inline constexpr int kKeyboardFunctionCount = 11;

// One assignment as a page of the dialog chooses it.
struct Assignment {
  uint16_t type = kActionDefault;
  uint32_t value = 0;
  // The repeat count of a macro assignment; ignored for other types.
  uint8_t repeat = 1;
};

// Writes the assignment to entry `slot` of `area` under the store's lock:
// extra is the G id for G entries (the repeat count for a macro), the key's
// text slot is freed, and the words at offsets 8 and 12 stay as they were.
// A key given itself, or no key, gets its default function instead.
void WriteAssignment(ConfigStore& store, int area, int slot, const Assignment& assignment);

// The smallest id 1..100 that no macro of the list has; 0 when the list is
// full (100 macros).
uint16_t NextFreeMacroId(const MacroList& macros);

// A new, empty macro as Add creates it: the name cut to 249 units, repeat
// count 1, new flag set, play mode 0, the next free id. None when the list
// already holds 100 macros.
std::optional<MacroRecord> NewMacro(const MacroList& macros, std::u16string_view name);

// A typed repeat count: at most 0 gives 1, 256 and above give 255.
uint8_t ClampRepeatCount(int64_t typed);

// A typed pause: rounded down to a multiple of 10 ms; above 40000 (negative
// counts as above) it becomes 40000 and `tooLong` tells the caller to say so.
struct TypedDelay {
  uint32_t milliseconds = 0;
  bool tooLong = false;
};
TypedDelay RoundTypedDelay(int64_t typed);

// Installs an edited macro list as Apply does: keys whose macro is gone (or
// whose id now names a new macro) revert to their default, then the list
// replaces the store's with its new flags cleared. Under the store's lock.
void InstallEditedMacroList(ConfigStore& store, const MacroList& edited,
                            platform::WindowInterface& window);

}  // namespace model
