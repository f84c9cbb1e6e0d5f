// The state file's text: a full round trip, and what survives damage.
#include <gtest/gtest.h>

#include <functional>

#include "sim/hex.h"
#include "sim/sim_keyboard.h"
#include "tests/sim/keyboard_test_support.h"

namespace {

using namespace sim;
using simtest::Pattern;
using simtest::Send;
using simtest::WriteInPackets;

std::vector<uint8_t> Bytes(std::span<const uint8_t> span) {
  return {span.begin(), span.end()};
}

// A keyboard whose every stored area differs from the factory content.
SimKeyboard UsedKeyboard() {
  SimKeyboard keyboard({.firmware = 0x0107, .macroUnits = 3, .effects = {4, 0, 6}});
  std::vector<uint8_t> settings(44, 0x5A);
  settings[10] = 1;
  Send(keyboard, MakeRequest(kWriteSettingsBlock, 44, 0, settings));
  WriteInPackets(keyboard, kWriteKeyMap, 0, Pattern(kKeyMapSpaceSize, 1));
  WriteInPackets(keyboard, kWriteMacroArea, 0, Pattern(3 * 128, 2));
  WriteInPackets(keyboard, kWriteLightingArea, 0, Pattern(kLightingSize, 3));
  for (uint16_t slot = 0; slot < 3; ++slot) {
    for (uint16_t key = 0; key < 126; key += 18) {
      auto colours = Pattern(54, static_cast<uint8_t>(slot * 50 + key));
      Send(keyboard, MakeRequest(kWriteKeyColours, 54, slot * 512 + key * 3, colours));
    }
  }
  const uint8_t indicator[] = {0x05, 0x01};
  keyboard.HandleIndicatorReport(indicator, sizeof indicator);
  return keyboard;
}

void ExpectSameState(const SimKeyboard& a, const SimKeyboard& b) {
  EXPECT_EQ(Bytes(a.Settings()), Bytes(b.Settings()));
  for (int slot = 0; slot < kProfiles; ++slot) {
    EXPECT_EQ(Bytes(a.KeyMap(slot)), Bytes(b.KeyMap(slot))) << "key map " << slot;
    EXPECT_EQ(Bytes(a.KeyColours(slot)), Bytes(b.KeyColours(slot))) << "colours " << slot;
  }
  EXPECT_EQ(Bytes(a.MacroArea()), Bytes(b.MacroArea()));
  EXPECT_EQ(Bytes(a.Lighting()), Bytes(b.Lighting()));
  EXPECT_EQ(a.Indicator(), b.Indicator());
}

// Replaces the value of `key`'s line, or removes the line when `value` is
// null.
std::string EditLine(const std::string& text, const std::string& key, const char* value) {
  size_t start = text.find("\n" + key + " ");
  EXPECT_NE(start, std::string::npos) << key;
  if (start == std::string::npos) return text;
  ++start;
  size_t end = text.find('\n', start);
  std::string replacement = value ? key + " " + value + "\n" : "";
  return text.substr(0, start) + replacement + text.substr(end + 1);
}

TEST(sim_state_text, RoundTripKeepsEveryArea) {
  SimKeyboard keyboard = UsedKeyboard();
  std::string error = "stale";
  auto loaded = SimKeyboard::LoadText(keyboard.SaveText(), &error);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(error, "");
  ExpectSameState(*loaded, keyboard);
  EXPECT_EQ(loaded->SaveText(), keyboard.SaveText());
  EXPECT_EQ(loaded->DumpJson(), keyboard.DumpJson());

  auto factory = SimKeyboard::LoadText(SimKeyboard().SaveText(), &error);
  ASSERT_TRUE(factory);
  EXPECT_EQ(error, "");
  ExpectSameState(*factory, SimKeyboard());
}

std::string SettingsWith(const SimKeyboard& keyboard, size_t index, uint8_t value) {
  auto settings = Bytes(keyboard.Settings());
  settings[index] = value;
  return ToHex(settings);
}

TEST(sim_state_text, DamagedFieldsFallBackToFactoryAndKeepTheRest) {
  const SimKeyboard used = UsedKeyboard();
  const SimKeyboard factory({.firmware = 0x0107, .macroUnits = 3, .effects = {4, 0, 6}});
  const std::string text = used.SaveText();
  struct Case {
    const char* name;
    std::string text;
    const char* warning;
    std::function<void(const SimKeyboard&)> check;
  };
  const Case cases[] = {
      {"key map missing", EditLine(text, "keymap1", nullptr), "keymap1",
       [&](const SimKeyboard& k) {
         EXPECT_EQ(Bytes(k.KeyMap(1)), Bytes(k.DefaultMatrix()));
         EXPECT_EQ(Bytes(k.KeyMap(0)), Bytes(used.KeyMap(0)));
         EXPECT_EQ(Bytes(k.KeyMap(2)), Bytes(used.KeyMap(2)));
       }},
      {"lighting not hex", EditLine(text, "lighting", "zz"), "lighting",
       [&](const SimKeyboard& k) { EXPECT_EQ(Bytes(k.Lighting()), Bytes(factory.Lighting())); }},
      {"colours too short", EditLine(text, "colours0", "ffff"), "colours0",
       [&](const SimKeyboard& k) {
         EXPECT_EQ(Bytes(k.KeyColours(0)), Bytes(factory.KeyColours(0)));
         EXPECT_EQ(Bytes(k.KeyColours(1)), Bytes(used.KeyColours(1)));
       }},
      {"odd hex digits", EditLine(text, "keymap0", "050"), "keymap0",
       [&](const SimKeyboard& k) { EXPECT_EQ(Bytes(k.KeyMap(0)), Bytes(k.DefaultMatrix())); }},
      {"active profile out of range", EditLine(text, "settings", SettingsWith(used, 10, 7).c_str()),
       "active profile",
       [&](const SimKeyboard& k) {
         EXPECT_EQ(k.ActiveProfile(), 0);
         EXPECT_EQ(k.Firmware(), 0x0107);
       }},
      {"macro units zero", EditLine(text, "settings", SettingsWith(used, 11, 0).c_str()),
       "macro units",
       [&](const SimKeyboard& k) {
         EXPECT_EQ(k.MacroUnits(), kDefaultMacroUnits);
         EXPECT_EQ(k.MacroArea().size(), kDefaultMacroUnits * 128u);
         EXPECT_EQ(Bytes(k.MacroArea().first(384)), Bytes(used.MacroArea()));
       }},
      {"macro area short", EditLine(text, "macro_area", "aa551400"), "macro_area",
       [&](const SimKeyboard& k) {
         ASSERT_EQ(k.MacroArea().size(), 384u);
         std::vector<uint8_t> expected(384, 0);
         expected[0] = 0xAA, expected[1] = 0x55, expected[2] = 0x14;
         EXPECT_EQ(Bytes(k.MacroArea()), expected);
       }},
      {"unknown field and truncated last line",
       "colour_scheme 00\n" + text.substr(0, text.rfind("indicator") + 12), "colour_scheme",
       [&](const SimKeyboard& k) {
         EXPECT_EQ(Bytes(k.KeyMap(2)), Bytes(used.KeyMap(2)));
         EXPECT_EQ(k.Indicator(), std::vector<uint8_t>{0x05});
       }},
      {"windows line ends",
       [&] {
         std::string crlf;
         for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
         return crlf;
       }(),
       nullptr, [&](const SimKeyboard& k) { ExpectSameState(k, used); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    auto loaded = SimKeyboard::LoadText(c.text, &error);
    ASSERT_TRUE(loaded);
    if (c.warning) {
      EXPECT_NE(error.find(c.warning), std::string::npos) << error;
    } else {
      EXPECT_EQ(error, "");
    }
    c.check(*loaded);
  }
}

TEST(sim_state_text, TextWithoutStateIsRefused) {
  for (const char* text : {"", "hello world\n", "\x01\x02\xff", "quorvane-simkbd state 1\n"}) {
    std::string error;
    EXPECT_FALSE(SimKeyboard::LoadText(text, &error)) << text;
    EXPECT_NE(error, "");
  }
}

TEST(sim_state_text, ApplyOptionsResizesTheMacroAreaKeepingItsStart) {
  SimKeyboard keyboard = UsedKeyboard();
  auto macro = Bytes(keyboard.MacroArea());
  KeyboardOptions options = keyboard.CurrentOptions();
  options.macroUnits = 4;
  keyboard.ApplyOptions(options);
  ASSERT_EQ(keyboard.MacroArea().size(), 512u);
  EXPECT_EQ(Bytes(keyboard.MacroArea().first(384)), macro);
  EXPECT_EQ(Bytes(keyboard.MacroArea().subspan(384)), std::vector<uint8_t>(128, 0));
  EXPECT_EQ(keyboard.Settings()[11], 4);

  options.macroUnits = 1;
  options.effects = {};
  keyboard.ApplyOptions(options);
  EXPECT_EQ(Bytes(keyboard.MacroArea()), std::vector<uint8_t>(macro.begin(), macro.begin() + 128));
  EXPECT_EQ(keyboard.Settings()[12 + 18], 20);  // the default effect list again
  // The options carried through unchanged.
  EXPECT_EQ(keyboard.Firmware(), 0x0107);
  EXPECT_EQ(keyboard.Settings()[0], 0x5A);
  EXPECT_EQ(keyboard.ActiveProfile(), 1);
}

}  // namespace
