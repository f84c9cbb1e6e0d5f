#include "lighting/preview_engine.h"

#include <random>

namespace lighting {
namespace {

using namespace key;

constexpr int kRippleFirstEffect = 13;
// The I key's cell, where the typing demonstration starts its ripple.
constexpr int kIColumn = 9;
constexpr std::uint8_t kIRowBit = 1 << 2;

struct KeyList {
  std::array<std::uint8_t, 6> keys;
  int count;
};

// Effect 14: the keys "typed" per step in phase 0; rows 13..19 are pauses.
constexpr std::array<KeyList, 20> kTypingScript = {{
    {{kEsc, kRight}, 2},
    {{kF1, kDown}, 2},
    {{kF2, kLeft, kTilde, kUp}, 4},
    {{kF3, kRCtrl, k1, kRShift, kTab}, 5},
    {{kF4, kApp, k2, kQ, kEnter}, 5},
    {{kF5, kFn, k3, kSlash, kW, kQuote}, 6},
    {{kF6, kRAlt, k4, kPeriod, kE, kSemicolon}, 6},
    {{kF7, kComma, k5, kComma, kR, kL}, 6},
    {{k9, kM, k6, kM, kT, kK}, 6},
    {{kO, kN, k7, kJ, kY, kJ}, 6},
    {{kK, kH, kU, kU, kU, kU}, 6},
    {{kJ, kY}, 2},
    {{kU, kU}, 2},
}};

// Effect 14, phase 1: two keys per step; the last three pairs are pauses.
constexpr std::array<KeyList, 16> kTypingPairs = {{
    {{k6, kM}, 2},
    {{k7, kN}, 2},
    {{k8, kB}, 2},
    {{k9, kG}, 2},
    {{kO, kT}, 2},
    {{kK, k6}, 2},
    {{kM, k7}, 2},
    {{kN, k8}, 2},
    {{kB, kI}, 2},
    {{kG, kJ}, 2},
    {{kT, kH}, 2},
    {{kY, kY}, 2},
    {{kU, kU}, 2},
}};
constexpr int kTypingLastPairStep = 30;

const std::array<std::int16_t, kKeyIndexCount>& SlotTable() {
  static const std::array<std::int16_t, kKeyIndexCount> table = [] {
    std::array<std::int16_t, kKeyIndexCount> slots{};
    slots.fill(-1);
    const auto& buttons = model::KeyButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i)
      slots[static_cast<std::size_t>(buttons[i].keyIndex)] = static_cast<std::int16_t>(i);
    slots[model::kFnKeyIndex] = kPreviewFnSlot;
    return slots;
  }();
  return table;
}

Rgb Wheel(int hue) {
  return ColourWheel()[static_cast<std::size_t>(hue % kWheelSize)];
}

bool FirstDirection(const PreviewInput& in) {
  return in.direction == 0xFF;
}

int AdvanceByDirection(const PreviewInput& in, int p, int s, int m) {
  return FirstDirection(in) ? AdvanceForward(p, s, m) : AdvanceBackward(p, s, m);
}

class BusyGuard {
 public:
  explicit BusyGuard(bool& busy) : busy_(busy) { busy_ = true; }
  ~BusyGuard() { busy_ = false; }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;

 private:
  bool& busy_;
};

}  // namespace

int PreviewSlotOfKeyIndex(int keyIndex) {
  if (keyIndex < 0 || keyIndex >= kKeyIndexCount) return -1;
  return SlotTable()[static_cast<std::size_t>(keyIndex)];
}

PreviewRandom MakeSeededPreviewRandom(std::uint32_t seed) {
  return [engine = std::mt19937(seed)]() mutable { return static_cast<std::uint32_t>(engine()); };
}

PreviewEngine::PreviewEngine(PreviewRandom random) : random_(std::move(random)) {
  // The rainbow keys get their starting hues once per run.
  int hue = 33;
  for (std::uint8_t& h : rainbowHue_) {
    h = static_cast<std::uint8_t>(hue);
    hue += 33;
    if (hue > kWheelSize) hue -= kWheelSize;
  }
  SlotTable();  // build the lookup before the first step
  Restart();
}

void PreviewEngine::Restart() {
  sparkle_ = {};
  Ripple& rain = ripples_[15 - kRippleFirstEffect];
  rain = {};
  SeedWaves(rain.planes, 9, 1 << 6);
  Ripple& twin = ripples_[16 - kRippleFirstEffect];
  twin = {};
  SeedWaves(twin.planes, 1, 1);
  typingPhase_ = 0;
  typingStep_ = 0;
  typingHue_ = 0;
  rain_ = 0;
  ringHue_ = 0;
  // Whatever the previous effect painted is gone with the effect selection.
  ClearFrame();
}

void PreviewEngine::ClearFrame() {
  frame_.fill(std::nullopt);
}

PreviewOutcome PreviewEngine::Step(const PreviewInput& input) {
  if (busy_) return PreviewOutcome::kKeep;
  BusyGuard guard(busy_);
  if (input.restart) Restart();

  switch (input.effect) {
    case 1:
      StepRollingColumns(input);
      break;
    case 2:
      StepPulseColumns(input);
      break;
    case 3:
      StepSnake(input);
      break;
    case 4:
      position_[4] = AdvanceByDirection(input, position_[4], 2, kWheelSize);
      PaintAllCells(Wheel(position_[4]));
      break;
    case 5:
      StepLevelColumns(input);
      break;
    case 6:
      StepRings(input);
      break;
    case 10:
      StepSparkle(input);
      break;
    case 11:
      StepRainbowKeys();
      break;
    case 12:
      position_[12] = AdvanceByDirection(input, position_[12], 3, kWheelSize);
      for (int r = 0; r < kGridRows; ++r) PaintRow(r, Wheel(position_[12] + 32 * r));
      break;
    case 13:
    case 14:
    case 15:
    case 16:
      StepRipple(input);
      break;
    case 18:
      StepRingWheel(input);
      break;
    case 20:
      // The custom per-key colours stay on the buttons.
      return PreviewOutcome::kKeep;
    default:  // 7, 8, 9, 17 and unknown ids show no animation
      ClearFrame();
      break;
  }
  return PreviewOutcome::kPaint;
}

void PreviewEngine::Paint(int keyIndex, Rgb colour) {
  const int slot = PreviewSlotOfKeyIndex(keyIndex);
  if (slot >= 0) frame_[static_cast<std::size_t>(slot)] = colour;
}

void PreviewEngine::PaintColumn(int column, Rgb colour) {
  for (int r = 0; r < kGridRows; ++r) Paint(GridKey(column, r), colour);
}

void PreviewEngine::PaintRow(int row, Rgb colour) {
  for (int c = 0; c < kGridColumns; ++c) Paint(GridKey(c, row), colour);
}

void PreviewEngine::PaintRing(int ring, Rgb colour) {
  const Ring& keys = Rings()[static_cast<std::size_t>(ring)];
  for (int i = 0; i < keys.count; ++i) Paint(keys.keys[static_cast<std::size_t>(i)], colour);
}

void PreviewEngine::PaintAllCells(Rgb colour) {
  for (int c = 0; c < kGridColumns; ++c) PaintColumn(c, colour);
}

int PreviewEngine::RandomHue() {
  return random_ ? static_cast<int>(random_() % 255u) : 0;
}

void PreviewEngine::StepRollingColumns(const PreviewInput& in) {
  int& p = position_[1];
  if (in.multicolour) {
    p = AdvanceByDirection(in, p, 9, kWheelSize);
    for (int k = 0; k < kGridColumns; ++k) PaintColumn(k, Wheel(p + 9 * k));
  } else {
    p = AdvanceByDirection(in, p, 7, kBreathSize);
    for (int k = 0; k < kGridColumns; ++k)
      PaintColumn(k, Scale(in.mainColour,
                           BreathCurve()[static_cast<std::size_t>((p + 7 * k) % kBreathSize)]));
  }
}

void PreviewEngine::StepPulseColumns(const PreviewInput& in) {
  int& p = position_[2];
  if (in.multicolour) {
    p = AdvanceByDirection(in, p, 4, kWheelSize);
    for (int k = 0; k < kGridColumns; ++k) PaintColumn(k, Wheel(p + 5 * k));
    return;
  }
  p = AdvanceForward(p, 4, kLevelSize);
  // The running index covers 0..128: the pulse has one entry more than the
  // range it wraps in.
  int index = p;
  for (int k = 0; k < kGridColumns; ++k) {
    if (FirstDirection(in)) {
      index += 5;
      if (index > kPulseSize - 1) index -= kLevelSize;
    } else {
      index -= 5;
      if (index < 0) index += kLevelSize;
    }
    PaintColumn(k, Scale(in.mainColour, PulseCurve()[static_cast<std::size_t>(index)]));
  }
}

void PreviewEngine::StepSnake(const PreviewInput& in) {
  int& p = position_[3];
  const auto& snake = SnakeOrder();
  if (in.multicolour) {
    p = AdvanceByDirection(in, p, 4, kWheelSize);
    for (int i = 0; i < kSnakeSize; ++i)
      Paint(snake[static_cast<std::size_t>(i)], Wheel(p + 5 * i));
  } else {
    p = AdvanceByDirection(in, p, 4, kBreathSize);
    for (int i = 0; i < kSnakeSize; ++i)
      Paint(
          snake[static_cast<std::size_t>(i)],
          Scale(in.mainColour, BreathCurve()[static_cast<std::size_t>((p + 5 * i) % kBreathSize)]));
  }
}

void PreviewEngine::StepLevelColumns(const PreviewInput& in) {
  int& p = position_[5];
  p = AdvanceForward(p, 2, kLevelSize);
  const int level = LevelCurve()[static_cast<std::size_t>(p)];
  for (int k = 0; k < kGridColumns; ++k)
    PaintColumn(k, Scale(in.multicolour ? Wheel(7 * k) : in.mainColour, level));
}

void PreviewEngine::StepRings(const PreviewInput& in) {
  if (!in.multicolour) {
    PaintAllCells(in.mainColour);
    return;
  }
  int hue = 135;
  for (int r = 0; r < kRingCount; ++r) {
    PaintRing(r, Wheel(hue));
    hue -= 15;
    if (hue <= 12) hue = 170;
  }
}

void PreviewEngine::StepSparkle(const PreviewInput& in) {
  const auto& snake = SnakeOrder();
  for (int n = 0; n < 3; ++n) {
    sparkleCursor_ = sparkleCursor_ >= kSparkleSize - 1 ? 0 : sparkleCursor_ + 1;
    const int position = SparkleOrder()[static_cast<std::size_t>(sparkleCursor_)];
    const auto key = snake[static_cast<std::size_t>(position)];
    sparkle_.level[key] = 255;
    sparkle_.hue[key] = static_cast<std::uint8_t>(RandomHue());
  }
  FadeAndPaint(in, sparkle_, 20, 16);
}

void PreviewEngine::StepRainbowKeys() {
  const auto& snake = SnakeOrder();
  for (std::size_t i = 0; i < rainbowHue_.size(); ++i) {
    int hue = rainbowHue_[i] + 3;
    if (hue >= kWheelSize) hue = 0;
    rainbowHue_[i] = static_cast<std::uint8_t>(hue);
    Paint(snake[i], Wheel(hue));
  }
}

void PreviewEngine::StepRingWheel(const PreviewInput& in) {
  if (FirstDirection(in)) {
    ringHue_ += 2;
    if (ringHue_ >= kWheelSize) ringHue_ = 0;
  } else {
    ringHue_ -= 2;
    if (ringHue_ < 0) ringHue_ = kWheelSize;
  }
  for (int r = 0; r < kRingCount; ++r) PaintRing(r, Wheel(ringHue_ + 21 * (r + 1)));
}

void PreviewEngine::LightKey(const PreviewInput& in, KeyLevels& keys, int keyIndex, int hue) {
  if (keyIndex < 0 || keyIndex >= kKeyIndexCount) return;
  const auto i = static_cast<std::size_t>(keyIndex);
  keys.level[i] = 255;
  if (in.multicolour) keys.hue[i] = static_cast<std::uint8_t>(hue);
}

void PreviewEngine::LightFromWaves(const PreviewInput& in, Ripple& ripple) {
  for (int c = 0; c < kGridColumns; ++c) {
    const std::uint8_t bits = WaveColumn(ripple.planes, c);
    if (bits == 0) continue;
    for (int r = 0; r < kGridRows; ++r) {
      const int keyIndex = GridKey(c, r);
      if ((bits & (1u << r)) == 0 || keyIndex == kNoKeyHere) continue;
      LightKey(in, ripple.keys, keyIndex, in.multicolour ? RandomHue() : 0);
    }
  }
}

void PreviewEngine::FadeAndPaint(const PreviewInput& in, KeyLevels& keys, int big, int medium) {
  for (const std::uint8_t key : SnakeOrder()) {
    const int level = Fade(keys.level[key], big, medium);
    keys.level[key] = static_cast<std::uint8_t>(level);
    Paint(key, Scale(in.multicolour ? Wheel(keys.hue[key]) : in.mainColour, level));
  }
}

void PreviewEngine::StepRipple(const PreviewInput& in) {
  Ripple& ripple = ripples_[static_cast<std::size_t>(in.effect - kRippleFirstEffect)];
  switch (in.effect) {
    case 13: {
      // A source below M that keeps the ripple bouncing between the top and
      // the bottom of column 8.
      if (!bounceSeeded_) {
        SeedWaves(ripple.planes, 8, 1 << 6);
        bounceSeeded_ = true;
      }
      const std::uint8_t bits = WaveColumn(ripple.planes, 8);
      if (bits == 1 || bits == (1 << 6)) SeedWaves(ripple.planes, 8, bits);
      LightFromWaves(in, ripple);
      MoveWavesDiagonally(ripple.planes);
      FadeAndPaint(in, ripple.keys, 20, 16);
      break;
    }
    case 14:
      StepTyping(in, ripple);
      FadeAndPaint(in, ripple.keys, 30, 20);
      break;
    case 15: {
      // Rain: three drops per step on the top row, a few columns apart.
      int b = (rain_ < -7 || rain_ > 15) ? rain_ - 16 : rain_ + 7;
      for (int n = 0; n < 3; ++n) {
        b = b + 3 > kGridColumns - 1 ? b - 20 : b + 3;
        SeedWaves(ripple.planes, b, 1);
      }
      rain_ = static_cast<std::int8_t>(b);
      LightFromWaves(in, ripple);
      MoveWavesVertically(ripple.planes);
      FadeAndPaint(in, ripple.keys, 20, 16);
      break;
    }
    default: {  // 16: sources at the top of column 1 and below column 22
      if (WaveColumn(ripple.planes, 1) == 1) SeedWaves(ripple.planes, 1, 1);
      if (WaveColumn(ripple.planes, 22) == (1 << 6)) SeedWaves(ripple.planes, 22, 1 << 6);
      LightFromWaves(in, ripple);
      MoveWavesDiagonally(ripple.planes);
      FadeAndPaint(in, ripple.keys, 20, 16);
      break;
    }
  }
}

void PreviewEngine::StepTyping(const PreviewInput& in, Ripple& ripple) {
  const auto level = [&](int keyIndex) {
    return ripple.keys.level[static_cast<std::size_t>(keyIndex)];
  };
  ++typingHue_;
  switch (typingPhase_) {
    case 0: {
      const KeyList& row = kTypingScript[static_cast<std::size_t>(typingStep_)];
      for (int i = 0; i < row.count; ++i) {
        LightKey(in, ripple.keys, row.keys[static_cast<std::size_t>(i)], typingHue_);
        typingHue_ = static_cast<std::uint8_t>(typingHue_ + 11);
      }
      if (++typingStep_ >= static_cast<int>(kTypingScript.size())) {
        typingPhase_ = 1;
        typingStep_ = 0;
      }
      break;
    }
    case 1:
      if (typingStep_ <= kTypingLastPairStep) {
        const KeyList& pair = kTypingPairs[static_cast<std::size_t>(typingStep_ % 16)];
        for (int i = 0; i < pair.count; ++i) {
          LightKey(in, ripple.keys, pair.keys[static_cast<std::size_t>(i)], typingHue_);
          ++typingHue_;
        }
        ++typingStep_;
      } else if (level(kL) == 0) {
        typingPhase_ = 2;
        typingStep_ = 0;
      }
      break;
    case 2:
      SeedWaves(ripple.planes, kIColumn, kIRowBit);
      typingPhase_ = 3;
      break;
    case 3:
      // The planes move and light only here: in phase 4 they stand still and
      // would otherwise keep left Ctrl lit for ever.
      MoveWavesDiagonally(ripple.planes);
      LightFromWaves(in, ripple);
      if (level(kLCtrl) != 0) typingPhase_ = 4;
      break;
    default:
      if (level(kLCtrl) == 0) {
        typingPhase_ = 0;
        typingStep_ = 0;
      }
      break;
  }
}

}  // namespace lighting
