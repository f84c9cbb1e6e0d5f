#include "lighting/preview_tables.h"

#include <cstddef>

namespace lighting {
namespace {

using namespace key;

constexpr std::array<std::uint8_t, 32> kRampUp = {
    1,  3,  5,  7,   10,  14,  18,  22,  26,  32,  38,  44,  50,  57,  65,  73,
    81, 89, 99, 109, 119, 129, 140, 152, 164, 176, 188, 200, 213, 227, 241, 255};
constexpr std::array<std::uint8_t, 32> kRampDown = {
    248, 234, 220, 206, 194, 182, 170, 158, 146, 134, 124, 114, 104, 94, 85, 77,
    69,  61,  53,  47,  41,  35,  29,  24,  20,  16,  12,  8,   6,   4,  2,  0};
// The shared middle part of the three level curves.
constexpr std::array<std::uint8_t, 48> kRise = {
    22,  24,  27,  30,  33,  36,  39,  42,  45,  49,  53,  57,  61,  65,  69,  73,
    77,  81,  85,  89,  94,  99,  104, 109, 114, 119, 124, 129, 134, 140, 146, 152,
    158, 164, 170, 176, 182, 188, 194, 200, 206, 213, 220, 227, 234, 241, 248, 255};

constexpr std::array<Rgb, kWheelSize> BuildWheel() {
  std::array<Rgb, kWheelSize> wheel{};
  for (int i = 0; i < 64; ++i) {
    const int r = i < 32 ? 255 : kRampDown[static_cast<std::size_t>(i - 32)];
    const int g = i < 32 ? kRampUp[static_cast<std::size_t>(i)] : 255;
    const int b = 0;
    // Red-to-green, then the same with the channels rotated twice.
    wheel[static_cast<std::size_t>(i)] = MakeRgb(r, g, b);
    wheel[static_cast<std::size_t>(i + 64)] = MakeRgb(b, r, g);
    wheel[static_cast<std::size_t>(i + 128)] = MakeRgb(g, b, r);
  }
  return wheel;
}

constexpr std::array<std::uint8_t, kBreathSize> BuildBreath() {
  std::array<std::uint8_t, kBreathSize> curve{};
  for (std::size_t i = 0; i < kRise.size(); ++i) {
    curve[i] = kRise[i];
    curve[kBreathSize - 1 - i] = kRise[i];
  }
  return curve;
}

constexpr std::array<std::uint8_t, kPulseSize> BuildPulse() {
  constexpr std::array<std::uint8_t, 17> head = {0,  4,   8,   14,  22,  33,  45,  61, 77,
                                                 94, 114, 134, 158, 182, 206, 234, 255};
  constexpr std::array<std::uint8_t, 16> tail = {20, 18, 16, 14, 12, 10, 9, 8,
                                                 7,  6,  5,  4,  3,  2,  2, 1};
  std::array<std::uint8_t, kPulseSize> curve{};  // ends in zeros
  std::size_t n = 0;
  for (std::uint8_t v : head) curve[n++] = v;
  for (std::size_t i = kRise.size() - 1; i-- > 0;) curve[n++] = kRise[i];
  for (std::uint8_t v : tail) curve[n++] = v;
  return curve;
}

constexpr std::array<std::uint8_t, kLevelSize> BuildLevel() {
  constexpr std::array<std::uint8_t, 16> head = {3,  3,  4,  5,  6,  7,  8,  9,
                                                 10, 11, 12, 13, 14, 16, 18, 20};
  std::array<std::uint8_t, kLevelSize> curve{};
  std::size_t n = 0;
  for (std::uint8_t v : head) curve[n++] = v;
  for (std::uint8_t v : kRise) curve[n++] = v;
  for (std::size_t i = kRise.size(); i-- > 0;) curve[n++] = kRise[i];
  for (std::size_t i = head.size(); i-- > 0;) curve[n++] = head[i];
  return curve;
}

constexpr std::array<Rgb, kWheelSize> kWheel = BuildWheel();
constexpr std::array<std::uint8_t, kBreathSize> kBreath = BuildBreath();
constexpr std::array<std::uint8_t, kPulseSize> kPulse = BuildPulse();
constexpr std::array<std::uint8_t, kLevelSize> kLevel = BuildLevel();

constexpr int kNo = kNoKeyHere;
// Column by column, rows from the function-key row down to the bottom row.
constexpr int kGrid[kGridColumns][kGridRows] = {
    {kNo, kNo, kNo, kNo, kLShift, kLCtrl},
    {kNo, kTilde, kTab, kCaps, kK45, kLWin},
    {kEsc, k1, kQ, kA, kZ, kLAlt},
    {kF1, k2, kW, kS, kX, kNo},
    {kF2, k3, kE, kD, kC, kNo},
    {kF3, k4, kR, kF, kV, kNo},
    {kF4, k5, kT, kG, kB, kSpace},
    {kNo, k6, kY, kH, kN, kNo},
    {kF5, k7, kU, kJ, kM, kNo},
    {kF6, k8, kI, kK, kComma, kRAlt},
    {kF7, k9, kO, kL, kPeriod, kRAlt},
    {kF8, k0, kP, kSemicolon, kSlash, kFn},
    {kF9, kMinus, kLBracket, kQuote, kNo, kApp},
    {kF10, kEquals, kRBracket, kEnter, kNo, kNo},
    {kF11, kBackspace, kBackslash, kEnter, kRShift, kRCtrl},
    {kF12, kBackspace, kBackslash, kNo, kRShift, kRCtrl},
    {kPrint, kInsert, kDelete, kNo, kNo, kLeft},
    {kScroll, kHome, kEnd, kNo, kUp, kDown},
    {kPause, kPageUp, kPageDown, kNo, kNo, kRight},
    {kNo, kNum, kKp7, kKp4, kKp1, kKp0},
    {kNo, kKpSlash, kKp8, kKp5, kKp2, kKp0},
    {kNo, kKpStar, kKp9, kKp6, kKp3, kKpDot},
    {kNo, kKpMinus, kNo, kKpPlus, kKpEnter, kNo},
};

constexpr std::array<std::uint8_t, kSnakeSize> kSnake = {
    kPause,    kScroll,    kPrint, kF12,    kF11,   kF10,      kF9,        kF8,     kF7,
    kF6,       kF5,        kF4,    kF3,     kF2,    kF1,       kEsc,       kTilde,  kTab,
    kCaps,     kLShift,    kLCtrl, kLWin,   kLAlt,  kSpace,    kRAlt,      kFn,     kApp,
    kRCtrl,    kLeft,      kDown,  kRight,  kKp0,   kKpDot,    kKpEnter,   kKpPlus, kKpMinus,
    kKpStar,   kKpSlash,   kNum,   kPageUp, kHome,  kInsert,   kBackspace, kEquals, kMinus,
    k0,        k9,         k8,     k7,      k6,     k5,        k4,         k3,      k2,
    k1,        kQ,         kA,     kK45,    kZ,     kX,        kC,         kV,      kB,
    kN,        kM,         kComma, kPeriod, kSlash, kRShift,   kUp,        kKp1,    kKp2,
    kKp3,      kKp6,       kKp9,   kKp8,    kKp7,   kPageDown, kEnd,       kDelete, kBackslash,
    kRBracket, kLBracket,  kP,     kO,      kI,     kU,        kY,         kT,      kR,
    kE,        kW,         kS,     kD,      kF,     kG,        kH,         kJ,      kK,
    kL,        kSemicolon, kQuote, kEnter,  kKp4,   kKp5,
};

constexpr std::array<Ring, kRingCount> kRings = {{
    {{kI}, 1},
    {{k9, kO, kK, kJ, kU, k8, kF7}, 7},
    {{kF8, k0, kP, kL, kComma, kM, kN, kH, kY, k7, kF6}, 11},
    {{kMinus, kLBracket, kSemicolon, kPeriod, kB, kG, kT, k6, kF5}, 9},
    {{kF9, kEquals, kRBracket, kQuote, kSlash, kRAlt, kSpace, kV, kF, kR, k5}, 11},
    {{kF10, kFn, kC, kD, kE, k4, kF4}, 7},
    {{kF11, kApp, kX, kS, kW, k3, kF3, kBackspace, kEnter, kRShift, kBackslash}, 11},
    {{kF12, kInsert, kDelete, kRCtrl, kLAlt, kZ, kA, kQ, k2, kF2}, 10},
    {{kPrint, kHome, kEnd, kLeft, kLWin, k1, kF1, kUp, kK45}, 9},
    {{kScroll, kPageUp, kPageDown, kLShift, kCaps, kTab, kDown}, 7},
    {{kEsc, kTilde, kLCtrl, kRight, kPause}, 5},
    {{}, 0},
}};

// Position 104 never comes up and 0 comes up twice; the preview has always
// looked like this, so the order is kept as it is.
constexpr std::array<std::uint8_t, kSparkleSize> kSparkle = {
    88, 24, 101, 57, 16, 69, 35, 34,  36, 51, 78, 18, 12, 66, 97, 9,   33,  41, 55, 52, 48,
    95, 77, 70,  10, 23, 39, 3,  102, 17, 65, 22, 31, 4,  85, 76, 15,  60,  54, 21, 83, 94,
    6,  61, 49,  20, 5,  14, 68, 98,  71, 27, 81, 1,  0,  87, 46, 75,  37,  73, 32, 79, 8,
    29, 72, 56,  44, 99, 13, 47, 42,  93, 91, 80, 86, 89, 43, 28, 58,  59,  38, 53, 2,  62,
    64, 90, 96,  74, 92, 40, 25, 26,  7,  30, 50, 84, 45, 67, 19, 103, 100, 82, 11, 63, 0,
};

}  // namespace

const std::array<Rgb, kWheelSize>& ColourWheel() {
  return kWheel;
}
const std::array<std::uint8_t, kBreathSize>& BreathCurve() {
  return kBreath;
}
const std::array<std::uint8_t, kPulseSize>& PulseCurve() {
  return kPulse;
}
const std::array<std::uint8_t, kLevelSize>& LevelCurve() {
  return kLevel;
}

int GridKey(int column, int row) {
  if (column < 0 || column >= kGridColumns || row < 0 || row >= kGridRows) return kNoKeyHere;
  return kGrid[column][row];
}

const std::array<std::uint8_t, kSnakeSize>& SnakeOrder() {
  return kSnake;
}
const std::array<Ring, kRingCount>& Rings() {
  return kRings;
}
const std::array<std::uint8_t, kSparkleSize>& SparkleOrder() {
  return kSparkle;
}

}  // namespace lighting
