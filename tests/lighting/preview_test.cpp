#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <set>
#include <vector>

#include "lighting/preview_engine.h"
#include "lighting/preview_tables.h"
#include "lighting/preview_waves.h"
#include "model/button_table.h"

namespace lighting {
namespace {

using namespace key;

constexpr Rgb kRed = MakeRgb(255, 0, 0);
constexpr Rgb kWhite = MakeRgb(255, 255, 255);
constexpr std::uint8_t kFirst = 0xFF;
constexpr std::uint8_t kSecond = 0x00;

Rgb Grey(int level) {
  return MakeRgb(level, level, level);
}
Rgb WheelAt(int i) {
  return ColourWheel()[static_cast<std::size_t>(i)];
}

// A random source that plays back a script (0 once it runs out).
class ScriptedRandom {
 public:
  explicit ScriptedRandom(std::vector<std::uint32_t> values)
      : values_(values.begin(), values.end()) {}
  PreviewRandom Source() {
    return [this] {
      if (values_.empty()) return std::uint32_t{0};
      const std::uint32_t v = values_.front();
      values_.pop_front();
      return v;
    };
  }

 private:
  std::deque<std::uint32_t> values_;
};

std::optional<Rgb> ColourOf(const PreviewEngine& engine, int keyIndex) {
  const int slot = PreviewSlotOfKeyIndex(keyIndex);
  return slot < 0 ? std::nullopt : engine.Frame()[static_cast<std::size_t>(slot)];
}

PreviewInput Input(int effect, std::uint8_t direction = kFirst, bool multicolour = true,
                   Rgb main = kWhite) {
  PreviewInput in;
  in.effect = effect;
  in.direction = direction;
  in.multicolour = multicolour;
  in.mainColour = main;
  return in;
}

void StepTimes(PreviewEngine& engine, const PreviewInput& in, int steps) {
  for (int i = 0; i < steps; ++i) engine.Step(in);
}

std::set<int> AllPreviewKeys() {
  std::set<int> keys;
  for (const model::KeyButton& b : model::KeyButtons())
    if (b.keyIndex != kRWin) keys.insert(b.keyIndex);
  keys.insert(kFn);
  return keys;
}

// --- tables -----------------------------------------------------------------

TEST(PreviewTables, ColourWheelRunsRedYellowGreenCyanBlueMagenta) {
  struct Case {
    int entry, r, g, b;
  };
  for (const Case& c : std::vector<Case>{{0, 255, 1, 0},
                                         {31, 255, 255, 0},
                                         {32, 248, 255, 0},
                                         {63, 0, 255, 0},
                                         {64, 0, 255, 1},
                                         {96, 0, 248, 255},
                                         {127, 0, 0, 255},
                                         {128, 1, 0, 255},
                                         {160, 255, 0, 248},
                                         {191, 255, 0, 0}})
    EXPECT_EQ(WheelAt(c.entry), MakeRgb(c.r, c.g, c.b)) << "entry " << c.entry;
}

TEST(PreviewTables, LevelCurves) {
  struct Case {
    const char* name;
    const std::uint8_t* curve;
    int index, value;
  };
  const std::uint8_t* breath = BreathCurve().data();
  const std::uint8_t* pulse = PulseCurve().data();
  const std::uint8_t* level = LevelCurve().data();
  for (const Case& c : std::vector<Case>{
           {"breath", breath, 0, 22},  {"breath", breath, 47, 255}, {"breath", breath, 48, 255},
           {"breath", breath, 95, 22}, {"pulse", pulse, 0, 0},      {"pulse", pulse, 16, 255},
           {"pulse", pulse, 17, 248},  {"pulse", pulse, 63, 22},    {"pulse", pulse, 64, 20},
           {"pulse", pulse, 79, 1},    {"pulse", pulse, 80, 0},     {"pulse", pulse, 128, 0},
           {"level", level, 0, 3},     {"level", level, 15, 20},    {"level", level, 16, 22},
           {"level", level, 63, 255},  {"level", level, 64, 255},   {"level", level, 111, 22},
           {"level", level, 112, 20},  {"level", level, 127, 3}})
    EXPECT_EQ(c.curve[c.index], c.value) << c.name << "[" << c.index << "]";
}

TEST(PreviewTables, SnakeAndGridHoldEveryKeyButRightWinOnce) {
  const auto& snake = SnakeOrder();
  EXPECT_EQ(snake.front(), kPause);
  EXPECT_EQ(snake.back(), kKp5);
  const std::set<int> inSnake(snake.begin(), snake.end());
  EXPECT_EQ(inSnake.size(), snake.size()) << "a key appears twice";
  EXPECT_EQ(inSnake, AllPreviewKeys());

  std::set<int> inGrid;
  for (int c = 0; c < kGridColumns; ++c)
    for (int r = 0; r < kGridRows; ++r)
      if (GridKey(c, r) != kNoKeyHere) inGrid.insert(GridKey(c, r));
  EXPECT_EQ(inGrid, AllPreviewKeys());
  EXPECT_EQ(GridKey(9, 2), kI);
  EXPECT_EQ(GridKey(0, 0), kNoKeyHere);
  EXPECT_EQ(GridKey(23, 0), kNoKeyHere);
  EXPECT_EQ(GridKey(-1, 3), kNoKeyHere);
}

TEST(PreviewTables, RingsSurroundIWithEachKeyOnce) {
  const auto& rings = Rings();
  EXPECT_EQ(rings[0].count, 1);
  EXPECT_EQ(rings[0].keys[0], kI);
  EXPECT_EQ(rings[10].keys[4], kPause);
  EXPECT_EQ(rings[11].count, 0);
  std::multiset<int> keys;
  for (const Ring& ring : rings)
    for (int i = 0; i < ring.count; ++i) keys.insert(ring.keys[static_cast<std::size_t>(i)]);
  EXPECT_EQ(keys.size(), 88u);
  EXPECT_EQ(std::set<int>(keys.begin(), keys.end()).size(), keys.size());
  EXPECT_EQ(keys.count(kKp5), 0u) << "the keypad is outside every ring";
}

TEST(PreviewTables, SparkleOrderRepeatsZeroAndSkips104) {
  const auto& order = SparkleOrder();
  EXPECT_EQ(order.front(), 88);
  EXPECT_EQ(order.back(), 0);
  EXPECT_EQ(std::count(order.begin(), order.end(), 0), 2);
  EXPECT_EQ(std::count(order.begin(), order.end(), 104), 0);
  EXPECT_LT(*std::max_element(order.begin(), order.end()), kSnakeSize);
  EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), 104u);
}

TEST(PreviewTables, FrameSlots) {
  EXPECT_EQ(PreviewSlotOfKeyIndex(kEsc), 0);
  EXPECT_EQ(PreviewSlotOfKeyIndex(kKpDot), 104);
  EXPECT_EQ(PreviewSlotOfKeyIndex(kFn), kPreviewFnSlot);
  EXPECT_EQ(PreviewSlotOfKeyIndex(model::kGKeyIndex), -1);
  EXPECT_EQ(PreviewSlotOfKeyIndex(13), -1);
  EXPECT_EQ(PreviewSlotOfKeyIndex(-1), -1);
  EXPECT_EQ(PreviewSlotOfKeyIndex(kKeyIndexCount), -1);
}

TEST(PreviewTables, FadeSteps) {
  struct Case {
    int level, big, medium, after;
  };
  for (const Case& c : std::vector<Case>{{255, 20, 16, 235},
                                         {128, 20, 16, 108},
                                         {127, 20, 16, 111},
                                         {64, 20, 16, 48},
                                         {63, 20, 16, 53},
                                         {32, 20, 16, 22},
                                         {31, 20, 16, 26},
                                         {17, 20, 16, 12},
                                         {16, 20, 16, 15},
                                         {1, 20, 16, 0},
                                         {0, 20, 16, 0},
                                         {255, 30, 20, 225},
                                         {64, 30, 20, 44}})
    EXPECT_EQ(Fade(c.level, c.big, c.medium), c.after) << c.level;
}

// --- waves ------------------------------------------------------------------

TEST(PreviewWaves, OneSeededCellGrowsIntoADiamond) {
  WavePlanes planes{};
  SeedWaves(planes, 9, 1 << 3);  // column 9, row 3
  for (int t = 1; t <= 5; ++t) {
    MoveWavesDiagonally(planes);
    for (int c = 0; c < kGridColumns; ++c)
      for (int r = 0; r < 8; ++r) {
        const bool set = (WaveColumn(planes, c) >> r) & 1;
        EXPECT_EQ(set, std::abs(c - 9) + std::abs(r - 3) == t)
            << "step " << t << " column " << c << " row " << r;
      }
  }
}

TEST(PreviewWaves, FrontsLeaveThePlanesAtTheEdges) {
  WavePlanes planes{};
  SeedWaves(planes, 0, 1 << 7);
  SeedWaves(planes, 22, 1);
  MoveWavesDiagonally(planes);
  // Nothing wraps round to the other side or into the unused column 23.
  EXPECT_EQ(WaveColumn(planes, 22) & 0x80, 0);
  EXPECT_EQ(WaveColumn(planes, 23), 0);
  EXPECT_EQ(WaveColumn(planes, 0), 1 << 6);
  EXPECT_EQ(WaveColumn(planes, 1), 1 << 7);
  EXPECT_EQ(WaveColumn(planes, 21), 1);
  SeedWaves(planes, 40, 1);  // ignored
  EXPECT_EQ(WaveColumn(planes, 40), 0);
}

// --- effects ----------------------------------------------------------------

TEST(PreviewEffects, Effect4WalksTheWheelByDirection) {
  struct Case {
    std::uint8_t direction;
    std::vector<int> entries;
  };
  for (const Case& c : std::vector<Case>{{kFirst, {2, 4, 6, 8}},
                                         {kSecond, {190, 188, 186}},
                                         {0x01, {190, 188}}}) {  // only 0xFF is the first
    PreviewEngine engine(MakeSeededPreviewRandom(1));
    for (int entry : c.entries) {
      EXPECT_EQ(engine.Step(Input(4, c.direction)), PreviewOutcome::kPaint);
      for (int key : AllPreviewKeys()) EXPECT_EQ(ColourOf(engine, key), WheelAt(entry)) << key;
      EXPECT_EQ(ColourOf(engine, kRWin), std::nullopt);
      for (int g = kPreviewFirstGSlot; g < kPreviewFnSlot; ++g)
        EXPECT_EQ(engine.Frame()[static_cast<std::size_t>(g)], std::nullopt);
    }
  }
}

TEST(PreviewEffects, Effect1SingleRedBreathesAcrossColumns) {
  PreviewEngine engine(MakeSeededPreviewRandom(1));
  const PreviewInput in = Input(1, kFirst, false, kRed);
  engine.Step(in);                                          // p = 7
  EXPECT_EQ(ColourOf(engine, kLShift), MakeRgb(42, 0, 0));  // breath[7]
  EXPECT_EQ(ColourOf(engine, kLCtrl), MakeRgb(42, 0, 0));
  EXPECT_EQ(ColourOf(engine, kEsc), MakeRgb(99, 0, 0));  // column 2: breath[21]
  engine.Step(in);                                       // p = 14
  EXPECT_EQ(ColourOf(engine, kLShift), MakeRgb(69, 0, 0));

  PreviewEngine backwards(MakeSeededPreviewRandom(1));
  backwards.Step(Input(1, kSecond, false, kRed));  // p = 89
  EXPECT_EQ(ColourOf(backwards, kLShift), MakeRgb(39, 0, 0));
}

TEST(PreviewEffects, Effect2SingleColourReachesTheLastPulseEntry) {
  PreviewEngine engine(MakeSeededPreviewRandom(1));
  StepTimes(engine, Input(2, kFirst, false, kWhite), 7);  // p = 28, column k uses 28 + 5(k + 1)
  EXPECT_EQ(ColourOf(engine, kLShift), Grey(146));        // column 0: pulse[33]
  EXPECT_EQ(ColourOf(engine, kPause), Grey(0));           // column 18: pulse[123]
  EXPECT_EQ(ColourOf(engine, kNum), Grey(0));             // column 19: pulse[128]
  EXPECT_EQ(ColourOf(engine, kKpSlash), Grey(33));        // column 20: 133 wraps to pulse[5]
  EXPECT_EQ(ColourOf(engine, kKpStar), Grey(114));        // pulse[10]
  EXPECT_EQ(ColourOf(engine, kKpMinus), Grey(234));       // pulse[15]

  PreviewEngine backwards(MakeSeededPreviewRandom(1));
  backwards.Step(Input(2, kSecond, false, kWhite));  // p = 4; column k uses 4 - 5(k + 1) + 128
  EXPECT_EQ(ColourOf(backwards, kLShift), Grey(0));  // pulse[127]
  EXPECT_EQ(ColourOf(backwards, kF11), Grey(39));    // column 14: pulse[57]
}

TEST(PreviewEffects, StepsAgainstHandComputedColours) {
  struct Case {
    const char* what;
    PreviewInput in;
    int steps;
    int key;
    Rgb expected;
  };
  const std::vector<Case> cases = {
      {"1 multi, column 0", Input(1), 1, kLShift, WheelAt(9)},
      {"1 multi, column 22", Input(1), 1, kKpMinus, WheelAt(15)},
      {"2 multi backwards", Input(2, kSecond), 1, kTilde, WheelAt(1)},
      {"3 multi, snake 0", Input(3), 1, kPause, WheelAt(4)},
      {"3 multi, snake 15", Input(3), 1, kEsc, WheelAt(79)},
      {"3 single backwards", Input(3, kSecond, false, kRed), 1, kPause, MakeRgb(30, 0, 0)},
      {"5 single", Input(5, kFirst, false, kRed), 1, kSpace, MakeRgb(4, 0, 0)},
      {"5 multi, column 2", Input(5), 40, kEsc, MakeRgb(152, 38, 0)},
      {"6 multi, ring 0", Input(6), 1, kI, WheelAt(135)},
      {"6 multi, ring 8", Input(6), 1, kPrint, WheelAt(15)},
      {"6 multi, ring 9", Input(6), 1, kScroll, WheelAt(170)},
      {"6 multi, ring 10", Input(6), 1, kEsc, WheelAt(155)},
      {"6 single", Input(6, kFirst, false, kRed), 1, kKp5, kRed},
      {"11, snake 0", Input(11), 1, kPause, WheelAt(36)},
      {"11, snake 5", Input(11), 1, kF10, WheelAt(9)},
      {"11, wraps at 192", Input(11), 1, kN, WheelAt(0)},  // snake 63 starts at 192
      {"12, row 0", Input(12), 1, kEsc, WheelAt(3)},
      {"12, row 5", Input(12), 1, kLCtrl, WheelAt(163)},
      {"12 backwards, row 1", Input(12, kSecond), 1, kTilde, WheelAt(29)},
      {"18, ring 0", Input(18), 1, kI, WheelAt(23)},
      {"18, ring 10", Input(18), 1, kEsc, WheelAt(41)},
      {"18 backwards", Input(18, kSecond), 1, kI, WheelAt(21)},
  };
  for (const Case& c : cases) {
    PreviewEngine engine(MakeSeededPreviewRandom(1));
    StepTimes(engine, c.in, c.steps);
    EXPECT_EQ(ColourOf(engine, c.key), c.expected) << c.what;
  }
}

TEST(PreviewEffects, StillEffectsClearAndCustomColoursStay) {
  for (int effect : {7, 8, 9, 17, 19, 0, 99}) {
    PreviewEngine engine(MakeSeededPreviewRandom(1));
    engine.Step(Input(4));
    EXPECT_EQ(engine.Step(Input(effect)), PreviewOutcome::kPaint) << effect;
    for (const auto& slot : engine.Frame()) EXPECT_EQ(slot, std::nullopt) << effect;
  }
  PreviewEngine engine(MakeSeededPreviewRandom(1));
  engine.Step(Input(4));
  EXPECT_EQ(engine.Step(Input(20)), PreviewOutcome::kKeep);
  EXPECT_EQ(ColourOf(engine, kEsc), WheelAt(2));
}

TEST(PreviewEffects, Effect10SparklesThreeKeysPerStep) {
  ScriptedRandom random({0, 64 + 255, 128});
  PreviewEngine engine(random.Source());
  engine.Step(Input(10));
  // Sparkle positions 2, 3 and 4 are snake keys 101, 57 and 16.
  EXPECT_EQ(ColourOf(engine, kQuote), Scale(WheelAt(0), 235));
  EXPECT_EQ(ColourOf(engine, kK45), Scale(WheelAt(64), 235));
  EXPECT_EQ(ColourOf(engine, kTilde), Scale(WheelAt(128), 235));
  EXPECT_EQ(ColourOf(engine, kEsc), Grey(0));

  engine.Step(Input(10, kFirst, false, kRed));
  EXPECT_EQ(ColourOf(engine, kTilde), MakeRgb(215, 0, 0));
  // Positions 5, 6, 7: snake keys 69, 35, 34.
  EXPECT_EQ(ColourOf(engine, kUp), MakeRgb(235, 0, 0));
  EXPECT_EQ(ColourOf(engine, kKpMinus), MakeRgb(235, 0, 0));
  EXPECT_EQ(ColourOf(engine, kKpPlus), MakeRgb(235, 0, 0));
}

TEST(PreviewEffects, Effect15RainSeedsColumnsInItsPattern) {
  ScriptedRandom random({0, 64, 128});
  PreviewEngine engine(random.Source());
  engine.Step(Input(15));
  // Columns 10, 13, 16 of the top row, hues in column order.
  EXPECT_EQ(ColourOf(engine, kF7), Scale(WheelAt(0), 235));
  EXPECT_EQ(ColourOf(engine, kF10), Scale(WheelAt(64), 235));
  EXPECT_EQ(ColourOf(engine, kPrint), Scale(WheelAt(128), 235));

  const PreviewInput white = Input(15, kFirst, false, kWhite);
  engine.Step(white);
  std::set<int> lit;
  for (int key : AllPreviewKeys())
    if (ColourOf(engine, key) == Grey(235)) lit.insert(key);
  // Columns 3, 6, 9 on top, the first drops one row down, and the restart's
  // source below column 9 risen into the bottom row.
  EXPECT_EQ(lit, (std::set<int>{kF1, kF4, kF6, k9, kEquals, kInsert, kRAlt}));
  EXPECT_EQ(ColourOf(engine, kF7), Grey(215));

  engine.Step(white);  // columns 19, 22, 2; 19 and 22 are empty on top
  EXPECT_EQ(ColourOf(engine, kEsc), Grey(235));
  EXPECT_EQ(ColourOf(engine, kF1), Grey(215));
}

TEST(PreviewEffects, Effect13BouncesFromBelowColumn8) {
  PreviewEngine engine(MakeSeededPreviewRandom(1));
  const PreviewInput white = Input(13, kFirst, false, kWhite);
  StepTimes(engine, white, 2);
  for (int key : AllPreviewKeys()) EXPECT_EQ(ColourOf(engine, key), Grey(0)) << key;
  engine.Step(white);  // the ring of radius 2 around the source reaches M and right Alt
  std::set<int> lit;
  for (int key : AllPreviewKeys())
    if (ColourOf(engine, key) != Grey(0)) lit.insert(key);
  EXPECT_EQ(lit, (std::set<int>{kM, kRAlt}));
  EXPECT_EQ(ColourOf(engine, kM), Grey(235));
}

TEST(PreviewEffects, Effect16StartsAtTheTopOfColumn1) {
  PreviewEngine engine(MakeSeededPreviewRandom(1));
  const PreviewInput white = Input(16, kFirst, false, kWhite);
  engine.Step(white);  // the source cell itself is empty
  for (int key : AllPreviewKeys()) EXPECT_EQ(ColourOf(engine, key), Grey(0)) << key;
  engine.Step(white);
  std::set<int> lit;
  for (int key : AllPreviewKeys())
    if (ColourOf(engine, key) != Grey(0)) lit.insert(key);
  EXPECT_EQ(lit, (std::set<int>{kEsc, kTilde}));
}

TEST(PreviewEffects, Effect14TypesItsScriptAndComesBackToIt) {
  PreviewEngine engine(MakeSeededPreviewRandom(1));
  const PreviewInput white = Input(14, kFirst, false, kWhite);
  engine.Step(white);
  EXPECT_EQ(ColourOf(engine, kEsc), Grey(225));
  EXPECT_EQ(ColourOf(engine, kRight), Grey(225));
  engine.Step(white);
  EXPECT_EQ(ColourOf(engine, kF1), Grey(225));
  EXPECT_EQ(ColourOf(engine, kEsc), Grey(195));

  // The script, the pairs, the ripple from I out to left Ctrl, the fade, and
  // then the script again from its first row.
  int relit = 0;
  bool ctrlLit = false;
  for (int i = 0; i < 1000 && relit == 0; ++i) {
    engine.Step(white);
    if (ColourOf(engine, kLCtrl) == Grey(225)) ctrlLit = true;
    if (ctrlLit && ColourOf(engine, kEsc) == Grey(225)) ++relit;
  }
  EXPECT_TRUE(ctrlLit);
  EXPECT_EQ(relit, 1);
}

// --- restart ----------------------------------------------------------------

TEST(PreviewRestart, PositionCountersContinue) {
  for (int effect : {1, 2, 3, 4, 5, 12}) {
    PreviewEngine restarted(MakeSeededPreviewRandom(1));
    PreviewEngine straight(MakeSeededPreviewRandom(1));
    StepTimes(restarted, Input(effect), 3);
    StepTimes(straight, Input(effect), 4);
    PreviewInput in = Input(effect);
    in.restart = true;
    restarted.Step(in);
    EXPECT_EQ(restarted.Frame(), straight.Frame()) << effect;
  }
}

TEST(PreviewRestart, CountersLevelsAndPlanesStartOver) {
  // After a restart these effects look as they did on their very first step.
  for (int effect : {10, 15, 16, 18}) {
    PreviewEngine engine(MakeSeededPreviewRandom(7));
    PreviewEngine fresh(MakeSeededPreviewRandom(7));
    const PreviewInput white = Input(effect, kFirst, false, kWhite);
    StepTimes(engine, white, 5);
    PreviewInput in = white;
    in.restart = true;
    engine.Step(in);
    fresh.Step(white);
    if (effect == 10) {
      // The sparkle cursor runs on: only the old sparkles must be gone.
      int lit = 0;
      for (int key : AllPreviewKeys()) lit += ColourOf(engine, key) != Grey(0);
      EXPECT_EQ(lit, 3);
    } else {
      EXPECT_EQ(engine.Frame(), fresh.Frame()) << effect;
    }
  }
}

TEST(PreviewRestart, RippleLevelsOf13And14Continue) {
  for (int effect : {13, 14}) {
    PreviewEngine engine(MakeSeededPreviewRandom(1));
    const PreviewInput white = Input(effect, kFirst, false, kWhite);
    StepTimes(engine, white, 4);
    const PreviewFrame before = engine.Frame();
    PreviewInput in = white;
    in.restart = true;
    engine.Step(in);
    int stillLit = 0;
    for (int key : AllPreviewKeys()) {
      const Rgb was = before[static_cast<std::size_t>(PreviewSlotOfKeyIndex(key))].value_or(0);
      if (was != 0 && ColourOf(engine, key) != Grey(0)) ++stillLit;
    }
    EXPECT_GT(stillLit, 0) << effect;
    if (effect == 14) {
      EXPECT_EQ(ColourOf(engine, kEsc), Grey(225)) << "the script starts over";
    }
  }
}

TEST(PreviewRestart, RestartClearsThePaintingButASwitchOfModeDoesNot) {
  PreviewEngine engine(MakeSeededPreviewRandom(1));
  engine.Step(Input(6));
  EXPECT_EQ(ColourOf(engine, kKp5), std::nullopt);  // outside every ring
  engine.Step(Input(4));
  PreviewInput rings = Input(6);
  engine.Step(rings);
  EXPECT_EQ(ColourOf(engine, kKp5), WheelAt(2)) << "left from effect 4 without a restart";
  rings.restart = true;
  engine.Step(rings);
  EXPECT_EQ(ColourOf(engine, kKp5), std::nullopt);
}

TEST(PreviewEngine, ARandomSourceThatStepsAgainIsTurnedAway) {
  PreviewEngine* self = nullptr;
  std::optional<PreviewOutcome> inner;
  PreviewEngine engine([&] {
    if (!inner) inner = self->Step(Input(4));
    return std::uint32_t{0};
  });
  self = &engine;
  EXPECT_EQ(engine.Step(Input(10)), PreviewOutcome::kPaint);
  EXPECT_EQ(inner, PreviewOutcome::kKeep);
  engine.Step(Input(4));
  EXPECT_EQ(ColourOf(engine, kEsc), WheelAt(2)) << "the refused step left no trace";
}

}  // namespace
}  // namespace lighting
