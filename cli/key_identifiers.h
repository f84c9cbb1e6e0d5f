// The names quorvanectl accepts for keys, mouse buttons and multimedia
// functions: a stable English identifier for each (the same in every
// language, for scripts), a few aliases, and the key's name in the current
// language. Matching ignores ASCII case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/key_codes.h"

namespace cli {

enum class KeyKind {
  kKey,     // a keyboard key: can be given to a key, and played in a macro
  kMouse,   // a mouse button or wheel direction: the same
  kMedia,   // a multimedia function: "media:", and played in a macro
  kSystem,  // Power, Sleep, Wake: only played in a macro
};

struct KeyIdentifier {
  model::KeyCode code;
  const char* id;
  const char* alias;  // nullptr when there is none
  KeyKind kind;
};

// Every key-table row that can be assigned or played, in table order.
const std::vector<KeyIdentifier>& KeyIdentifiers();

// The identifier of a code; "0x1AB" for a code without one.
std::string IdentifierOf(model::KeyCode code);

// What a lookup found: the code, or the names that come close.
struct KeyLookup {
  std::optional<model::KeyCode> code;
  std::vector<std::string> closeMatches;
};

// A key that can be given a function: one of the keyboard's key buttons,
// or G1..G18 (codes 0x200..0x211).
KeyLookup FindKeyToAssign(std::string_view name);
// What "key:NAME" may send: keys, modifiers, mouse buttons, the wheel.
KeyLookup FindTargetKey(std::string_view name);
// A multimedia function; the code is its MediaIndex.
KeyLookup FindMedia(std::string_view name);
// Any event of a macro: keys, mouse, multimedia and system functions, or a
// raw code written 0x000..0x1FF.
KeyLookup FindMacroKey(std::string_view name);

// "unknown key 'X'; did you mean A, B?" or with `listHint` when nothing
// comes close.
std::string UnknownNameMessage(std::string_view what, std::string_view name,
                               const KeyLookup& lookup, std::string_view listHint);

// ASCII case folding; other bytes unchanged.
std::string FoldCase(std::string_view text);

}  // namespace cli
