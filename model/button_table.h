// The buttons of the on-screen keyboard: for each of the 105 key buttons its
// control id, the KeyCode it stands for and its KeyIndex (its position in the
// keyboard's per-key colour order, which differs from the key-map order).
// The table's order is the order in which the program walks over all keys.
#pragma once

#include <array>
#include <optional>

#include "model/key_codes.h"

namespace model {

struct KeyButton {
  int controlId;
  KeyCode code;
  int keyIndex;
};

inline constexpr int kKeyButtonCount = 105;
const std::array<KeyButton, kKeyButtonCount>& KeyButtons();

// G1..G5 are controls 1000..1004, G6..G9 are 1140..1143; all nine share
// KeyIndex 125.
inline constexpr std::array<int, 9> kGKeyButtonIds = {1000, 1001, 1002, 1003, 1004,
                                                      1140, 1141, 1142, 1143};
inline constexpr int kGKeyIndex = 125;
inline constexpr int kFnButtonId = 1174;
inline constexpr int kFnKeyIndex = 110;
// D1..D6: no KeyIndex.
inline constexpr int kFirstDKeyButtonId = 1016;
inline constexpr int kLastDKeyButtonId = 1021;
inline constexpr int kKeyColourCount = 126;

// The row of a key button, if the id is one.
std::optional<KeyButton> KeyButtonOfControl(int controlId);
// G key number 1..9 of a control, 0 when it is not a G key.
int GKeyNumberOfControl(int controlId);
// The KeyIndex of any button that has one (key, G and Fn buttons), -1 otherwise.
int KeyIndexOfControl(int controlId);

}  // namespace model
