// The keyboard's macro area: its bytes, its sizes, round trips through it and
// reading damaged areas.
#include "model/macro_area.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/key_codes.h"
#include "platform/byte_order.h"
#include "platform/utf16.h"

namespace {

using model::KeyCode;
using model::MacroAction;
using model::MacroList;
using model::MacroRecord;
using Bytes = std::vector<uint8_t>;

constexpr std::u16string_view kPrefix = u"Macro ";
constexpr KeyCode kKeyA = 0x01E;

MacroRecord MakeMacro(std::u16string_view name, uint8_t repeat,
                      const std::vector<MacroAction>& actions) {
  MacroRecord macro;
  macro.SetName(name);
  macro.SetRepeatCount(repeat);
  macro.SetActions(actions);
  return macro;
}

// A macro with `count` presses of A and no name.
MacroRecord MacroOfLength(int count) {
  return MakeMacro(u"", 1,
                   std::vector<MacroAction>(static_cast<std::size_t>(count), {0, kKeyA, 0}));
}

Bytes Build(const MacroList& macros, bool withNames) {
  const model::MacroAreaSize sizes = model::MacroAreaSizes(macros);
  Bytes area(withNames ? sizes.withNames : sizes.withoutNames);
  EXPECT_TRUE(model::BuildMacroArea(macros, area, withNames));
  return area;
}

std::string Utf8(std::u16string_view text) {
  return platform::Utf16ToUtf8(text);
}

// "AB": A pressed, released 120 ms later.
MacroRecord AbMacro() {
  return MakeMacro(u"AB", 5, {{120, kKeyA, 0}, {0, kKeyA, 1}});
}

TEST(MacroAreaBytesTest, EmptyListIsTheBareHeader) {
  for (bool withNames : {true, false}) {
    const uint8_t flag = withNames ? 1 : 0;
    EXPECT_EQ(Build({}, withNames),
              (Bytes{0xAA, 0x55, 0x10, 0x00, 0x00, 0x00, flag, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}));
  }
}

TEST(MacroAreaBytesTest, TwoLetterMacroWithAndWithoutNames) {
  const Bytes header = {0xAA, 0x55, 0x22, 0x00, 0x01, 0x00, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0};
  Bytes withNames = header;
  withNames.insert(withNames.end(), {0x12, 0x00,                // offset table
                                     0x02, 0x00, 0x05, 0x02,    // n, repeat, L
                                     0x0C, 0xA0, 0x02, 0x04,    // press A, 120 ms
                                     0x00, 0x20, 0x02, 0x04,    // release A
                                     0x41, 0x00, 0x42, 0x00});  // "AB"
  EXPECT_EQ(Build({AbMacro()}, true), withNames);

  Bytes withoutNames = header;
  withoutNames[2] = 0x1E;
  withoutNames[6] = 0x00;
  withoutNames.insert(withoutNames.end(), {0x12, 0x00, 0x02, 0x00, 0x05, 0x00, 0x0C, 0xA0, 0x02,
                                           0x04, 0x00, 0x20, 0x02, 0x04});
  EXPECT_EQ(Build({AbMacro()}, false), withoutNames);
}

TEST(MacroAreaBytesTest, EachEventKindAndDelay) {
  struct Case {
    MacroAction action;
    std::array<uint8_t, 4> bytes;
  };
  const Case cases[] = {
      {{40000, kKeyA, 0}, {0xA0, 0xAF, 0x02, 0x04}},       // longest typed delay: 4000 units
      {{50000, kKeyA, 1}, {0xA0, 0x2F, 0x02, 0x04}},       // a 50 s pause is held as 40 s
      {{0xFFFFFFFF, kKeyA, 1}, {0xA0, 0x2F, 0x02, 0x04}},  // no wrap into the kind bits
      {{129, kKeyA, 1}, {0x0C, 0x20, 0x02, 0x04}},         // rounded down to 10 ms
      {{10, kKeyA, 2}, {0x01, 0xA0, 0x02, 0x04}},          // only flag 1 is a release
      {{30, model::kKeyLeftCtrl, 0}, {0x03, 0xA0, 0x01, 0x01}},
      {{30, model::kKeyLeftCtrl, 1}, {0x03, 0x20, 0x01, 0x01}},
      {{0, model::kKeyRightWin, 0}, {0x00, 0xA0, 0x01, 0x80}},
      {{0, model::kKeyRightShift, 0}, {0x00, 0xA0, 0x01, 0x20}},
      {{0, 0x136, 0}, {0x00, 0xA0, 0x02, 0xE5}},  // the second Right Shift row: no modifier code
      {{0, model::kKeyMouseLeft, 0}, {0x00, 0x90, 0x01, 0x01}},
      {{0, model::kKeyMouseRight, 1}, {0x00, 0x10, 0x01, 0x02}},
      {{0, model::kKeyMouseMiddle, 0}, {0x00, 0x90, 0x01, 0x04}},
      {{0, model::kKeyWheelUp, 0}, {0x00, 0x90, 0x05, 0x01}},
      {{0, model::kKeyWheelDown, 0}, {0x00, 0x90, 0x05, 0xFF}},
      {{0, 0x15E, 0}, {0x00, 0xC0, 0x81, 0x00}},  // Power
      {{0, 0x15F, 1}, {0x00, 0x40, 0x82, 0x00}},  // Sleep
      {{0, 0x163, 0}, {0x00, 0xC0, 0x83, 0x00}},  // Wake
      {{0, 0x130, 0}, {0x00, 0xA0, 0x02, 0xC0}},  // volume up: its keyboard usage byte
      {{0, 0x176, 0}, {0x00, 0x80, 0x00, 0x00}},  // Copy: nothing the keyboard can send
      {{0, model::kFirstGKey, 0}, {0x00, 0x80, 0x00, 0x00}},
      {{0, model::kNoKey, 1}, {0x00, 0x00, 0x00, 0x00}},
  };
  std::vector<MacroAction> actions;
  for (const Case& c : cases) actions.push_back(c.action);
  const Bytes area = Build({MakeMacro(u"", 1, actions)}, false);
  ASSERT_EQ(area.size(), 22 + 4 * std::size(cases));
  for (std::size_t j = 0; j < std::size(cases); ++j) {
    const Bytes got(area.begin() + 22 + 4 * j, area.begin() + 26 + 4 * j);
    EXPECT_EQ(got, Bytes(cases[j].bytes.begin(), cases[j].bytes.end()))
        << "action " << j << " code " << std::hex << cases[j].action.code;
  }
}

TEST(MacroAreaRoundTripTest, EveryEventKindComesBack) {
  struct Case {
    KeyCode sent;
    KeyCode back;
  };
  const Case cases[] = {
      {kKeyA, kKeyA},
      {model::kKeyLeftCtrl, model::kKeyLeftCtrl},
      {model::kKeyRightWin, model::kKeyRightWin},
      {model::kKeyRightShift, model::kKeyRightShift},
      {0x136, model::kKeyRightShift},  // both Right Shift rows send usage 0xE5
      {0x146, 0x045},                  // Break and Pause share their usage
      {model::kKeyMouseLeft, model::kKeyMouseLeft},
      {model::kKeyMouseRight, model::kKeyMouseRight},
      {model::kKeyMouseMiddle, model::kKeyMouseMiddle},
      {model::kKeyWheelUp, model::kKeyWheelUp},
      {model::kKeyWheelDown, model::kKeyWheelDown},
      {0x15E, 0x15E},  // Power
      {0x15F, 0x15F},  // Sleep
      {0x163, 0x163},  // Wake
      {0x130, 0x130},  // volume up
      {0x120, 0x120},  // mute
      {0x174, 0x174},  // zoom out
      {0x176, model::kNoKey},
      {model::kFirstGKey, model::kNoKey},
      {model::kNoKey, model::kNoKey},
  };
  std::vector<MacroAction> sent;
  std::vector<MacroAction> back;
  for (const Case& c : cases) {
    sent.push_back({125, c.sent, 0});
    sent.push_back({60000, c.sent, 1});
    back.push_back({120, c.back, 0});
    back.push_back({40000, c.back, 1});
  }
  MacroRecord keys = MakeMacro(u"Keys", 7, sent);
  keys.SetId(42);
  keys.SetNewFlag(1);
  keys.SetPlayMode(3);
  const MacroList macros = {keys, MakeMacro(u"", 255, {}), AbMacro()};

  for (bool withNames : {true, false}) {
    SCOPED_TRACE(withNames ? "with names" : "without names");
    const MacroList decoded = model::DecodeMacroArea(Build(macros, withNames), kPrefix);
    ASSERT_EQ(decoded.size(), 3u);
    const std::u16string names[] = {withNames ? u"Keys" : u"Macro 1", u"Macro 2",
                                    withNames ? u"AB" : u"Macro 3"};
    for (std::size_t i = 0; i < decoded.size(); ++i) {
      EXPECT_EQ(Utf8(decoded[i].Name()), Utf8(names[i]));
      EXPECT_EQ(decoded[i].Id(), i + 1);
      EXPECT_EQ(decoded[i].RepeatCount(), macros[i].RepeatCount());
      EXPECT_EQ(decoded[i].NewFlag(), 0);
      EXPECT_EQ(decoded[i].PlayMode(), 0);
    }
    const std::vector<MacroAction> got = decoded[0].Actions();
    ASSERT_EQ(got.size(), back.size());
    for (std::size_t j = 0; j < got.size(); ++j) {
      EXPECT_EQ(got[j], back[j]) << "action " << j << " sent as " << std::hex << sent[j].code;
    }
    EXPECT_TRUE(decoded[1].Actions().empty());
    EXPECT_EQ(decoded[2].Actions(), AbMacro().Actions());
  }
}

TEST(MacroAreaSizesTest, CountsTableActionsAndNames) {
  MacroRecord damaged = MacroOfLength(model::kMaxMacroActions);
  platform::WriteU16(damaged.bytes().data() + 508, 3000);  // a stored count beyond 2000

  struct Case {
    const char* what;
    MacroList macros;
    model::MacroAreaSize sizes;
  };
  const Case cases[] = {
      {"no macros", {}, {16, 16}},
      {"AB", {AbMacro()}, {34, 30}},
      {"mixed",
       {MakeMacro(u"X", 1, {}), MacroOfLength(3),
        MakeMacro(std::u16string(model::kMacroNameMaxLength, u'n'), 1,
                  std::vector<MacroAction>(model::kMaxMacroActions))},
       {22 + 6 + 16 + 8502, 22 + 4 + 16 + 8004}},
      {"stored count beyond 2000", {damaged}, {8022, 8022}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const model::MacroAreaSize sizes = model::MacroAreaSizes(c.macros);
    EXPECT_EQ(sizes.withNames, c.sizes.withNames);
    EXPECT_EQ(sizes.withoutNames, c.sizes.withoutNames);
    for (bool withNames : {true, false}) {
      const Bytes area = Build(c.macros, withNames);
      EXPECT_EQ(platform::ReadU16(area.data() + 2), area.size());
    }
  }
  const Bytes area = Build({damaged}, false);
  EXPECT_EQ(platform::ReadU16(area.data() + 18), model::kMaxMacroActions);
}

TEST(MacroAreaBuildTest, RefusesAreasItCannotAddress) {
  // Areas are always even: 65534 is the largest that can be written.
  MacroList largest(8, MacroOfLength(model::kMaxMacroActions));
  largest.push_back(MacroOfLength(366));
  ASSERT_EQ(model::MacroAreaSizes(largest).withoutNames, 65534u);
  EXPECT_EQ(Build(largest, false).size(), 65534u);
  largest.back().SetName(u"x");
  ASSERT_EQ(model::MacroAreaSizes(largest).withNames, 65536u);

  const MacroList huge(9, MacroOfLength(model::kMaxMacroActions));
  EXPECT_EQ(model::MacroAreaSizes(huge).withoutNames, 16 + 18 + 9 * 8004u);  // not wrapped
  EXPECT_EQ(Build(MacroList(100, MacroRecord()), true).size(), 16 + 200 + 400u);

  struct Case {
    const char* what;
    MacroList macros;
    bool withNames;
    std::size_t bufferSize;
  };
  const Case cases[] = {
      {"names push it past 65535 bytes", largest, true, 65536},
      {"past 65535 bytes", huge, false, 16 + 18 + 9 * 8004},
      {"more than 100 macros", MacroList(101, MacroRecord()), true, 16 + 202 + 404},
      {"buffer one unit short", {AbMacro()}, true, 33},
      {"buffer too long", {AbMacro()}, true, 35},
      {"buffer sized for the other variant", {AbMacro()}, false, 34},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes buffer(c.bufferSize, 0xEE);
    EXPECT_FALSE(model::BuildMacroArea(c.macros, buffer, c.withNames));
    EXPECT_EQ(buffer, Bytes(c.bufferSize, 0x00));
  }
}

// Two named macros: "AB" (2 actions) at offset 20, "CD" (1 action) at 36;
// 48 bytes in all.
Bytes TwoMacroArea() {
  return Build({AbMacro(), MakeMacro(u"CD", 1, {{0, model::kKeyWheelUp, 0}})}, true);
}

struct Seen {
  uint16_t id;
  std::u16string name;
  int actions;
};

void ExpectMacros(const MacroList& decoded, const std::vector<Seen>& expected) {
  ASSERT_EQ(decoded.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(decoded[i].Id(), expected[i].id) << i;
    EXPECT_EQ(Utf8(decoded[i].Name()), Utf8(expected[i].name)) << i;
    EXPECT_EQ(decoded[i].ActionCount(), expected[i].actions) << i;
  }
}

TEST(MacroAreaDecodeTest, DamagedAreasGiveWhatCanBeRead) {
  ASSERT_EQ(TwoMacroArea().size(), 48u);
  const auto put16 = [](std::size_t at, uint16_t value) {
    return [=](Bytes& a) { platform::WriteU16(a.data() + at, value); };
  };
  const auto cut = [](std::size_t size) { return [=](Bytes& a) { a.resize(size); }; };
  const Seen ab{1, u"AB", 2};
  const Seen cd{2, u"CD", 1};

  struct Case {
    const char* what;
    std::function<void(Bytes&)> damage;
    std::vector<Seen> expected;
  };
  const Case cases[] = {
      {"intact", [](Bytes&) {}, {ab, cd}},
      {"marker bytes swapped", put16(0, 0xAA55), {}},
      {"header cut to 15 bytes", cut(15), {}},
      {"header without its offset table", cut(16), {}},
      {"records missing", cut(20), {}},
      {"first offset beyond the end", put16(16, 0xFFFF), {cd}},
      {"record header across the end", put16(18, 46), {ab}},
      {"action count past the end", put16(20, 0xFFFF), {{1, u"Macro 1", 6}, cd}},
      {"actions cut by the end", cut(42), {ab, {2, u"Macro 2", 0}}},
      {"name length past the end", [](Bytes& a) { a[39] = 200; }, {ab, cd}},
      {"name cut inside a unit", cut(47), {ab, {2, u"C", 1}}},
      {"name starting with a zero unit", put16(44, 0), {ab, {2, u"Macro 2", 1}}},
      {"zero unit inside the name", put16(46, 0), {ab, {2, u"C", 1}}},
      {"size field wrong", put16(2, 0), {ab, cd}},
      {"count 1", put16(4, 1), {ab}},
      {"count 0", put16(4, 0), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes area = TwoMacroArea();
    c.damage(area);
    // An exact-size copy, so that a sanitizer sees any read past the end.
    ExpectMacros(model::DecodeMacroArea(Bytes(area), kPrefix), c.expected);
  }
}

TEST(MacroAreaDecodeTest, AtMostAHundredMacros) {
  // Count 65535: the records are read as further offsets. Whatever they
  // give, the two real macros come first and nothing is read outside.
  Bytes area = TwoMacroArea();
  platform::WriteU16(area.data() + 4, 0xFFFF);
  MacroList decoded = model::DecodeMacroArea(area, kPrefix);
  ASSERT_GE(decoded.size(), 2u);
  EXPECT_LE(decoded.size(), 100u);
  decoded.resize(2);
  ExpectMacros(decoded, {{1, u"AB", 2}, {2, u"CD", 1}});

  // 150 offsets, all to one empty record.
  area.assign(16 + 300 + 4, 0);
  platform::WriteU16(area.data(), model::kMacroAreaMarker);
  platform::WriteU16(area.data() + 4, 150);
  for (std::size_t i = 0; i < 150; ++i) platform::WriteU16(area.data() + 16 + 2 * i, 316);
  decoded = model::DecodeMacroArea(area, kPrefix);
  ASSERT_EQ(decoded.size(), 100u);
  EXPECT_EQ(decoded.back().Id(), 100);
  EXPECT_EQ(Utf8(decoded.back().Name()), "Macro 100");
}

TEST(MacroAreaDecodeTest, KeepsTheFirst2000ActionsAndFindsTheNameAfterAll) {
  constexpr std::size_t kStored = 2100;
  Bytes area(16 + 2 + 4 + 4 * kStored + 2, 0);
  platform::WriteU16(area.data(), model::kMacroAreaMarker);
  platform::WriteU16(area.data() + 4, 1);
  platform::WriteU16(area.data() + 16, 18);
  platform::WriteU16(area.data() + 18, static_cast<uint16_t>(kStored));
  area[20] = 9;
  area[21] = 1;
  for (std::size_t j = 0; j < kStored; ++j) {
    const std::size_t at = 22 + 4 * j;
    platform::WriteU16(area.data() + at, static_cast<uint16_t>(0xA000 | (j % 4001)));
    area[at + 2] = 0x02;
    area[at + 3] = 0x04;
  }
  platform::WriteU16(area.data() + area.size() - 2, u'Z');

  const MacroList decoded = model::DecodeMacroArea(area, kPrefix);
  ASSERT_EQ(decoded.size(), 1u);
  EXPECT_EQ(Utf8(decoded[0].Name()), "Z");
  EXPECT_EQ(decoded[0].RepeatCount(), 9);
  ASSERT_EQ(decoded[0].ActionCount(), model::kMaxMacroActions);
  EXPECT_EQ(decoded[0].Action(1999), (MacroAction{19990, kKeyA, 0}));
}

}  // namespace
