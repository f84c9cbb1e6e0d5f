// The description of a key button: its name alone while the key keeps its
// default function, otherwise the name followed by what the key does now, as
// the main window shows it in the button's tooltip.
#pragma once

#include <string>

#include "model/config_store.h"
#include "model/key_codes.h"

namespace model {

// `gKeyNumber` 1..9 names a G button ("G1"); 0 means the key `code`.
// `macros` names the macro of a macro key.
std::string DescribeKey(KeyCode code, int gKeyNumber, const KeyAction& action,
                        const MacroList& macros);

// Whether the button is drawn pressed-in: every action but the default.
inline bool ShowsPressed(const KeyAction& action) {
  return action.type != kActionDefault;
}

}  // namespace model
