// Fixed tables of the on-screen effect preview: the colour wheel, the level
// curves, the key grid and the key orders the effects walk. Keys are named by
// their KeyIndex (the keyboard's per-key colour order, model/button_table.h).
#pragma once

#include <array>
#include <cstdint>

namespace lighting {

// 24-bit colour, R in the low byte.
using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int r, int g, int b) {
  return static_cast<Rgb>(r) | (static_cast<Rgb>(g) << 8) | (static_cast<Rgb>(b) << 16);
}

// KeyIndex of every key the preview tables name.
namespace key {
enum : std::uint8_t {
  kEsc = 0,
  kF1,
  kF2,
  kF3,
  kF4,
  kF5,
  kF6,
  kF7,
  kF8,
  kF9,
  kF10,
  kF11,
  kF12,
  kPrint = 14,
  kScroll,
  kPause,
  kTilde = 21,
  k1,
  k2,
  k3,
  k4,
  k5,
  k6,
  k7,
  k8,
  k9,
  k0,
  kMinus,
  kEquals,
  kBackspace,
  kInsert,
  kHome,
  kPageUp,
  kNum,
  kKpSlash,
  kKpStar,
  kKpMinus,
  kTab,
  kQ,
  kW,
  kE,
  kR,
  kT,
  kY,
  kU,
  kI,
  kO,
  kP,
  kLBracket,
  kRBracket,
  kBackslash,
  kDelete,
  kEnd,
  kPageDown,
  kKp7,
  kKp8,
  kKp9,
  kKpPlus,
  kCaps,
  kA,
  kS,
  kD,
  kF,
  kG,
  kH,
  kJ,
  kK,
  kL,
  kSemicolon,
  kQuote,
  kEnter = 76,
  kKp4 = 80,
  kKp5,
  kKp6,
  kLShift = 84,
  kK45,
  kZ,
  kX,
  kC,
  kV,
  kB,
  kN,
  kM,
  kComma,
  kPeriod,
  kSlash,
  kRShift = 97,
  kUp = 99,
  kKp1 = 101,
  kKp2,
  kKp3,
  kKpEnter,
  kLCtrl,
  kLWin,
  kLAlt,
  kSpace,
  kRAlt,
  kFn,
  kApp,
  kRCtrl = 113,
  kRWin = 116,
  kLeft = 119,
  kDown,
  kRight,
  kKp0 = 123,
  kKpDot,
};
}  // namespace key

inline constexpr int kKeyIndexCount = 126;
inline constexpr int kNoKeyHere = -1;

inline constexpr int kWheelSize = 192;
inline constexpr int kBreathSize = 96;
inline constexpr int kPulseSize = 129;
inline constexpr int kLevelSize = 128;

inline constexpr int kGridColumns = 23;
inline constexpr int kGridRows = 6;
inline constexpr int kSnakeSize = 105;
inline constexpr int kRingCount = 12;
inline constexpr int kSparkleSize = 105;

const std::array<Rgb, kWheelSize>& ColourWheel();
const std::array<std::uint8_t, kBreathSize>& BreathCurve();
const std::array<std::uint8_t, kPulseSize>& PulseCurve();
const std::array<std::uint8_t, kLevelSize>& LevelCurve();

// KeyIndex in a grid cell, kNoKeyHere for an empty cell.
int GridKey(int column, int row);

// The 105 keys in snake order, by KeyIndex.
const std::array<std::uint8_t, kSnakeSize>& SnakeOrder();

// Ring r of keys around I (ring 11 is empty).
struct Ring {
  std::array<std::uint8_t, 12> keys;
  int count;
};
const std::array<Ring, kRingCount>& Rings();

// Snake positions in the order the sparkle effect lights them.
const std::array<std::uint8_t, kSparkleSize>& SparkleOrder();

// Each channel c becomes floor(c * level / 255).
constexpr Rgb Scale(Rgb colour, int level) {
  const auto channel = [&](int shift) {
    return static_cast<Rgb>((((colour >> shift) & 0xFFu) * static_cast<Rgb>(level)) / 255u)
           << shift;
  };
  return channel(0) | channel(8) | channel(16);
}

// Advances p by s within 0..m-1, wrapping once. A p left out of range by the
// other colour mode of the same effect (which counts in a different range) is
// brought into range first.
constexpr int AdvanceForward(int p, int s, int m) {
  p %= m;
  if (p < 0) p += m;
  p += s;
  return p >= m ? p - m : p;
}
constexpr int AdvanceBackward(int p, int s, int m) {
  p %= m;
  if (p < 0) p += m;
  p -= s;
  return p < 0 ? p + m : p;
}

// The level after one fade step: (big) from 128, (medium) from 64, then 10,
// 5 and 1 as the level gets smaller.
constexpr int Fade(int level, int big, int medium) {
  int drop = 0;
  if (level >= 128) {
    drop = big;
  } else if (level >= 64) {
    drop = medium;
  } else if (level >= 32) {
    drop = 10;
  } else if (level > 16) {
    drop = 5;
  } else if (level > 0) {
    drop = 1;
  }
  return level - drop < 0 ? 0 : level - drop;
}
constexpr int FadeA(int level) {
  return Fade(level, 20, 16);
}

}  // namespace lighting
