// Display names of keys in the current language.
#pragma once

#include <cstddef>
#include <string>

#include "model/key_codes.h"

namespace model {

// Callers hand KeyName a buffer of this many bytes.
inline constexpr std::size_t kKeyNameCapacity = 260;

// The key's name in the current language; for a code without a name (or with
// an empty one) the "UNKNOWN_KEY" text formatted with the code. Written to
// `buffer` and terminated, cut to at most capacity - 1 bytes without
// splitting a UTF-8 sequence; nothing is written when capacity is 0.
void KeyName(KeyCode code, char* buffer, std::size_t capacity);
std::string KeyName(KeyCode code);

// The language text of the first row with that list position; "" when no
// row has it or the row has no name.
std::string ListPosName(KeyListPos pos);

}  // namespace model
