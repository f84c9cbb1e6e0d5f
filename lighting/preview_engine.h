// The on-screen imitation of the keyboard's lighting effects. Every 50 ms the
// main window calls Step() with the current effect parameters and paints the
// returned frame on its key buttons; the engine never talks to the keyboard.
// All tables are fixed and a step allocates nothing.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "lighting/preview_tables.h"
#include "lighting/preview_waves.h"
#include "model/button_table.h"

namespace lighting {

// Frame slots: the 105 key buttons in button-table order, then the nine G
// buttons (G1..G9), then the Fn button.
inline constexpr int kPreviewFirstGSlot = model::kKeyButtonCount;
inline constexpr int kPreviewFnSlot = kPreviewFirstGSlot + 9;
inline constexpr int kPreviewSlotCount = kPreviewFnSlot + 1;

// A frame colour per button, or none (frame mode off).
using PreviewFrame = std::array<std::optional<Rgb>, kPreviewSlotCount>;

// The frame slot of a KeyIndex that has a button of its own, -1 otherwise
// (the G keys share one KeyIndex and are never painted by the preview).
int PreviewSlotOfKeyIndex(int keyIndex);

struct PreviewInput {
  int effect = 1;
  // The keyboard's speed value; the preview runs at one speed.
  int speed = 0;
  // 0xFF is the first direction, anything else the second.
  std::uint8_t direction = 0xFF;
  bool multicolour = false;
  Rgb mainColour = 0;
  // Colour choice of effect 17, which the preview does not animate.
  int colourChoice = 0;
  // Set on the first tick after an effect selection: the preview starts over.
  bool restart = false;
};

enum class PreviewOutcome {
  kPaint,  // paint Frame() on the buttons
  kKeep,   // leave the buttons as they are (custom colours, or a re-entered step)
};

// Returns a uniformly distributed 32-bit value.
using PreviewRandom = std::function<std::uint32_t()>;
// The random source the program uses: a standard engine seeded once.
PreviewRandom MakeSeededPreviewRandom(std::uint32_t seed);

class PreviewEngine {
 public:
  explicit PreviewEngine(PreviewRandom random);

  // Starts the previews over, as the first tick after an effect selection does.
  void Restart();
  // Forget what was painted, as when the window clears the key painting.
  void ClearFrame();
  PreviewOutcome Step(const PreviewInput& input);
  const PreviewFrame& Frame() const { return frame_; }

 private:
  struct KeyLevels {
    std::array<std::uint8_t, kKeyIndexCount> level{};
    std::array<std::uint8_t, kKeyIndexCount> hue{};
  };
  struct Ripple {
    KeyLevels keys;
    WavePlanes planes{};
  };

  void Paint(int keyIndex, Rgb colour);
  void PaintColumn(int column, Rgb colour);
  void PaintRow(int row, Rgb colour);
  void PaintRing(int ring, Rgb colour);
  void PaintAllCells(Rgb colour);
  int RandomHue();

  void StepRollingColumns(const PreviewInput& in);     // 1
  void StepPulseColumns(const PreviewInput& in);       // 2
  void StepSnake(const PreviewInput& in);              // 3
  void StepLevelColumns(const PreviewInput& in);       // 5
  void StepRings(const PreviewInput& in);              // 6
  void StepSparkle(const PreviewInput& in);            // 10
  void StepRainbowKeys();                              // 11
  void StepRingWheel(const PreviewInput& in);          // 18
  void StepRipple(const PreviewInput& in);             // 13..16
  void StepTyping(const PreviewInput& in, Ripple& r);  // 14's seeding and lighting
  void LightFromWaves(const PreviewInput& in, Ripple& r);
  void LightKey(const PreviewInput& in, KeyLevels& keys, int keyIndex, int hue);
  void FadeAndPaint(const PreviewInput& in, KeyLevels& keys, int big, int medium);

  PreviewRandom random_;
  PreviewFrame frame_{};
  bool busy_ = false;

  // Position counters of effects 1..5 and 12; they survive a restart.
  std::array<int, 13> position_{};
  KeyLevels sparkle_;
  int sparkleCursor_ = 1;
  std::array<std::uint8_t, kSnakeSize> rainbowHue_{};
  int ringHue_ = 0;  // effect 18
  // Effects 13..16 in that order.
  std::array<Ripple, 4> ripples_{};
  bool bounceSeeded_ = false;  // effect 13's source below M
  std::int8_t rain_ = 0;       // effect 15
  int typingPhase_ = 0;        // effect 14
  int typingStep_ = 0;
  std::uint8_t typingHue_ = 0;
};

}  // namespace lighting
