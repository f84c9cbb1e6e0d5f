// The firmware model's commands: what each stores and answers, and what it
// refuses.
#include <gtest/gtest.h>

#include "sim/byte_order.h"
#include "sim/sim_keyboard.h"
#include "tests/sim/keyboard_test_support.h"

namespace {

using namespace sim;
using simtest::Pattern;
using simtest::ReadInPackets;
using simtest::ReplyData;
using simtest::Send;
using simtest::Status;
using simtest::WriteInPackets;

std::vector<uint8_t> Bytes(std::span<const uint8_t> span) {
  return {span.begin(), span.end()};
}

void ExpectSealed(const std::vector<uint8_t>& reply) {
  ASSERT_EQ(reply.size(), kReportSize);
  EXPECT_EQ(reply[0], kConfigReportId);
  std::span<const uint8_t, kReportSize> fixed(reply.data(), kReportSize);
  EXPECT_EQ(GetU16Le(reply, kSumOffset), PacketSum(fixed));
}

TEST(sim_keyboard_commands, ReadSettingsReplyEchoesRequestAndCarriesFactorySettings) {
  SimKeyboard keyboard;
  auto response = Send(keyboard, MakeRequest(kReadSettingsBlock, 44, 0));
  ExpectSealed(response.reply);
  EXPECT_EQ(response.reply[kCommandOffset], kReadSettingsBlock);
  EXPECT_EQ(response.reply[kLengthOffset], 44);
  EXPECT_EQ(GetU16Le(response.reply, kAddressOffset), 0);
  EXPECT_EQ(Status(response), kStatusOk);
  EXPECT_FALSE(response.changed);

  std::vector<uint8_t> expected(44, 0);
  PutU16Le(expected, 8, 0x0108);
  expected[10] = 0;
  expected[11] = 32;
  for (uint8_t i = 0; i < 18; ++i) expected[12 + i] = i + 1;
  expected[30] = 20;
  EXPECT_EQ(ReplyData(response, 44), expected);
  EXPECT_EQ(Bytes(keyboard.Settings()), expected);
  // Nothing after the settings.
  EXPECT_EQ(ReplyData(response, 56), [&] {
    auto padded = expected;
    padded.resize(56, 0);
    return padded;
  }());
}

TEST(sim_keyboard_commands, OptionsShapeTheFirmwareOwnedSettings) {
  SimKeyboard keyboard({.firmware = 0x0107, .macroUnits = 2, .effects = {5, 9}});
  EXPECT_EQ(GetU16Le(keyboard.Settings(), 8), 0x0107);
  EXPECT_EQ(keyboard.Settings()[11], 2);
  EXPECT_EQ(keyboard.Settings()[12], 5);
  EXPECT_EQ(keyboard.Settings()[13], 9);
  EXPECT_EQ(keyboard.Settings()[14], 0);
  EXPECT_EQ(keyboard.MacroArea().size(), 256u);
  // The whole capacity and no more is addressable.
  EXPECT_EQ(Status(Send(keyboard, MakeRequest(kReadMacroArea, 56, 200))), kStatusOk);
  EXPECT_EQ(Status(Send(keyboard, MakeRequest(kReadMacroArea, 56, 201))), kStatusBadArgument);
}

TEST(sim_keyboard_commands, SettingsWriteStoresOnlyCarriedBytesAndActiveProfile) {
  SimKeyboard keyboard;
  auto before = Bytes(keyboard.Settings());
  std::vector<uint8_t> written(44, 0xAA);
  written[10] = 2;
  auto response = Send(keyboard, MakeRequest(kWriteSettingsBlock, 44, 0, written));
  EXPECT_EQ(Status(response), kStatusOk);
  EXPECT_TRUE(response.changed);

  auto expected = before;
  std::fill_n(expected.begin(), 8, 0xAA);
  expected[10] = 2;
  EXPECT_EQ(Bytes(keyboard.Settings()), expected);
  EXPECT_EQ(ReplyData(Send(keyboard, MakeRequest(kReadSettingsBlock, 44, 0)), 44), expected);

  // The same block again changes nothing.
  EXPECT_FALSE(Send(keyboard, MakeRequest(kWriteSettingsBlock, 44, 0, written)).changed);
}

TEST(sim_keyboard_commands, SettingsRefusesBadProfileLengthAndOffset) {
  struct Case {
    uint8_t command;
    uint8_t length;
    uint16_t offset;
    uint8_t profile;
  };
  const Case cases[] = {
      {kWriteSettingsBlock, 44, 0, 3}, {kWriteSettingsBlock, 44, 0, 0xFF},
      {kWriteSettingsBlock, 43, 0, 1}, {kWriteSettingsBlock, 44, 1, 1},
      {kWriteSettingsBlock, 56, 0, 1}, {kReadSettingsBlock, 43, 0, 0},
      {kReadSettingsBlock, 44, 44, 0}, {kReadSettingsBlock, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SimKeyboard keyboard;
    std::vector<uint8_t> data(56, 0x11);
    data[10] = c.profile;
    auto response = Send(keyboard, MakeRequest(c.command, c.length, c.offset, data));
    EXPECT_EQ(Status(response), kStatusBadArgument)
        << "command " << int(c.command) << " len " << int(c.length) << " off " << c.offset;
    EXPECT_FALSE(response.changed);
    EXPECT_EQ(Bytes(keyboard.Settings()), Bytes(SimKeyboard().Settings()));
  }
}

// Each writable space, written in 56-byte packets and read back in packets
// of another size so reads straddle the write boundaries and the blocks.
TEST(sim_keyboard_commands, ReadsReturnWhatWritesStoredAcrossPackets) {
  struct Space {
    const char* name;
    uint8_t write;
    uint8_t read;
    size_t size;
  };
  const Space spaces[] = {
      {"key maps", kWriteKeyMap, kReadKeyMap, kKeyMapSpaceSize},
      {"macro area", kWriteMacroArea, kReadMacroArea, 4096},
  };
  for (const auto& space : spaces) {
    SCOPED_TRACE(space.name);
    SimKeyboard keyboard;
    auto bytes = Pattern(space.size, 3);
    WriteInPackets(keyboard, space.write, 0, bytes);
    EXPECT_EQ(ReadInPackets(keyboard, space.read, 0, space.size, 50), bytes);
    EXPECT_EQ(ReadInPackets(keyboard, space.read, 0, space.size, 56), bytes);
  }

  SimKeyboard keyboard;
  auto maps = Pattern(kKeyMapSpaceSize, 9);
  WriteInPackets(keyboard, kWriteKeyMap, 0, maps);
  for (int slot = 0; slot < kProfiles; ++slot) {
    EXPECT_EQ(Bytes(keyboard.KeyMap(slot)),
              std::vector<uint8_t>(maps.begin() + slot * 378, maps.begin() + (slot + 1) * 378));
  }
}

TEST(sim_keyboard_commands, WriteChangesOnlyItsRangeAndReportsRealChanges) {
  SimKeyboard keyboard;
  auto data = Pattern(20, 1);
  auto response = Send(keyboard, MakeRequest(kWriteKeyMap, 20, 370, data));
  EXPECT_TRUE(response.changed);
  auto expected = Bytes(keyboard.DefaultMatrix());
  expected.insert(expected.end(), expected.begin(), expected.end());
  expected.insert(expected.end(), expected.begin(), expected.begin() + 378);
  std::copy(data.begin(), data.end(), expected.begin() + 370);
  std::vector<uint8_t> all;
  for (int slot = 0; slot < kProfiles; ++slot) {
    auto map = keyboard.KeyMap(slot);
    all.insert(all.end(), map.begin(), map.end());
  }
  EXPECT_EQ(all, expected);
  EXPECT_FALSE(Send(keyboard, MakeRequest(kWriteKeyMap, 20, 370, data)).changed);
}

TEST(sim_keyboard_commands, LightingReadsAlwaysCarry56BytesZeroPastTheArea) {
  SimKeyboard keyboard;
  auto lighting = Pattern(kLightingSize, 0x40);
  WriteInPackets(keyboard, kWriteLightingArea, 0, lighting);
  EXPECT_EQ(Bytes(keyboard.Lighting()), lighting);

  // The program's three reads cover the area.
  std::vector<uint8_t> read;
  for (uint16_t offset : {0, 42, 84}) {
    auto response = Send(keyboard, MakeRequest(kReadLightingArea, 56, offset));
    ASSERT_EQ(Status(response), kStatusOk);
    auto data = ReplyData(response, 56);
    read.insert(read.end(), data.begin(), data.begin() + 42);
  }
  EXPECT_EQ(read, lighting);

  auto tail = ReplyData(Send(keyboard, MakeRequest(kReadLightingArea, 56, 84)), 56);
  EXPECT_EQ(std::vector<uint8_t>(tail.begin() + 42, tail.end()), std::vector<uint8_t>(14, 0));
  auto last = ReplyData(Send(keyboard, MakeRequest(kReadLightingArea, 1, 125)), 56);
  EXPECT_EQ(last[0], lighting[125]);
  EXPECT_EQ(std::vector<uint8_t>(last.begin() + 1, last.end()), std::vector<uint8_t>(55, 0));
}

TEST(sim_keyboard_commands, FactoryLightingAndColours) {
  SimKeyboard keyboard;
  const std::vector<uint8_t> record = {1, 5, 3, 0, 0xFF, 0xFF, 0xFF, 0xFF};
  for (int slot = 0; slot < kProfiles; ++slot) {
    auto area = keyboard.Lighting().subspan(slot * 42, 42);
    EXPECT_EQ(std::vector<uint8_t>(area.begin(), area.begin() + 8), record);
    EXPECT_EQ(std::vector<uint8_t>(area.begin() + 8, area.end()), std::vector<uint8_t>(34, 0));
    EXPECT_EQ(Bytes(keyboard.KeyColours(slot)), std::vector<uint8_t>(378, 0xFF));
    EXPECT_EQ(Bytes(keyboard.KeyMap(slot)), Bytes(keyboard.DefaultMatrix()));
  }
  std::vector<uint8_t> header = {0xAA, 0x55, 0x10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_EQ(Bytes(keyboard.MacroArea().first(16)), header);
  EXPECT_EQ(Bytes(keyboard.MacroArea().subspan(16)), std::vector<uint8_t>(4096 - 16, 0));
}

TEST(sim_keyboard_commands, KeyColoursAreAddressedByProfileStride) {
  SimKeyboard keyboard;
  // Key 10 of profile 1.
  auto response = Send(keyboard, MakeRequest(kWriteKeyColours, 3, 542, {{0x12, 0x34, 0x56}}));
  EXPECT_EQ(Status(response), kStatusOk);
  EXPECT_TRUE(response.changed);
  EXPECT_EQ(Bytes(keyboard.KeyColours(1).subspan(30, 3)), (std::vector<uint8_t>{0x12, 0x34, 0x56}));
  EXPECT_EQ(Bytes(keyboard.KeyColours(0)), std::vector<uint8_t>(378, 0xFF));
  EXPECT_EQ(Bytes(keyboard.KeyColours(2)), std::vector<uint8_t>(378, 0xFF));

  // 18 keys at once, ending on the last key of profile 2.
  auto colours = Pattern(54, 0x20);
  EXPECT_EQ(Status(Send(keyboard, MakeRequest(kWriteKeyColours, 54, 1024 + 324, colours))),
            kStatusOk);
  EXPECT_EQ(Bytes(keyboard.KeyColours(2).subspan(324)), colours);

  struct Refused {
    uint8_t length;
    uint16_t offset;
  };
  const Refused refused[] = {{3, 378},  {3, 511}, {3, 376}, {54, 512 + 330},
                             {3, 1536}, {0, 0},   {57, 0}};
  for (const auto& r : refused) {
    auto before = keyboard.SaveText();
    auto answer = Send(keyboard, MakeRequest(kWriteKeyColours, r.length, r.offset, Pattern(56, 1)));
    EXPECT_EQ(Status(answer), kStatusBadArgument) << "len " << int(r.length) << " off " << r.offset;
    EXPECT_EQ(keyboard.SaveText(), before);
  }
}

TEST(sim_keyboard_commands, DefaultMatrixReadsAndBounds) {
  SimKeyboard keyboard;
  EXPECT_EQ(ReadInPackets(keyboard, kReadDefaultMatrix, 0, 378, 56),
            Bytes(keyboard.DefaultMatrix()));
  EXPECT_EQ(Status(Send(keyboard, MakeRequest(kReadDefaultMatrix, 56, 322))), kStatusOk);
  EXPECT_EQ(Status(Send(keyboard, MakeRequest(kReadDefaultMatrix, 56, 323))), kStatusBadArgument);
}

TEST(sim_keyboard_commands, BracketAndTestCommandsAnswerWithoutChangingState) {
  SimKeyboard keyboard;
  auto before = keyboard.SaveText();
  auto begin = Send(keyboard, MakeRequest(kConfigBegin, 0, 0));
  EXPECT_EQ(Status(begin), kStatusOk);
  EXPECT_TRUE(keyboard.ConfigOpen());
  EXPECT_EQ(Status(Send(keyboard, MakeRequest(kTestCommand, 0, 0))), kStatusOk);
  EXPECT_TRUE(keyboard.ConfigOpen());
  auto end = Send(keyboard, MakeRequest(kConfigEnd, 0, 0));
  EXPECT_EQ(Status(end), kStatusOk);
  EXPECT_FALSE(keyboard.ConfigOpen());
  EXPECT_FALSE(begin.changed || end.changed);
  EXPECT_EQ(ReplyData(begin, 56), std::vector<uint8_t>(56, 0));
  EXPECT_EQ(keyboard.SaveText(), before);
}

Report WithSum(Report report, uint16_t sum) {
  PutU16Le(report, kSumOffset, sum);
  return report;
}

TEST(sim_keyboard_commands, BadPacketsAreRefusedAndChangeNothing) {
  auto write = MakeRequest(kWriteKeyMap, 4, 0, {{1, 2, 3, 4}});
  Report otherId = write;
  otherId[0] = 5;
  SealReport(otherId);
  Report malformedBoot = MakeBootRequest();
  malformedBoot[20] = 1;
  Report bootWithSum = MakeBootRequest();
  SealReport(bootWithSum);

  struct Case {
    const char* name;
    std::vector<uint8_t> report;
    uint8_t status;
  };
  auto bytes = [](const Report& r) { return std::vector<uint8_t>(r.begin(), r.end()); };
  auto sized = [&](size_t size) {
    auto r = bytes(write);
    r.resize(size, 0);
    return r;
  };
  const Case cases[] = {
      {"report id 5", bytes(otherId), kStatusRejected},
      {"63 bytes", sized(63), kStatusRejected},
      {"65 bytes", sized(65), kStatusRejected},
      {"empty", {}, kStatusRejected},
      {"wrong sum", bytes(WithSum(write, PacketSum(write) + 1)), kStatusRejected},
      {"sum high byte", bytes(WithSum(write, PacketSum(write) ^ 0x100)), kStatusRejected},
      {"command 0x00", bytes(MakeRequest(0x00, 4, 0, {{1, 2, 3, 4}})), kStatusRejected},
      {"command 0x0B", bytes(MakeRequest(0x0B, 4, 0, {{1, 2, 3, 4}})), kStatusRejected},
      {"command 0x10", bytes(MakeRequest(0x10, 4, 0, {{1, 2, 3, 4}})), kStatusRejected},
      {"malformed boot", bytes(malformedBoot), kStatusRejected},
      {"boot with a sum", bytes(bootWithSum), kStatusRejected},
      {"key map length 0", bytes(MakeRequest(kWriteKeyMap, 0, 0)), kStatusBadArgument},
      {"key map length 57", bytes(MakeRequest(kWriteKeyMap, 57, 0)), kStatusBadArgument},
      {"key map past end", bytes(MakeRequest(kWriteKeyMap, 56, 1134 - 55)), kStatusBadArgument},
      {"key map read past end", bytes(MakeRequest(kReadKeyMap, 1, 1134)), kStatusBadArgument},
      {"key map huge offset", bytes(MakeRequest(kWriteKeyMap, 4, 0xFFFF)), kStatusBadArgument},
      {"macro past capacity", bytes(MakeRequest(kWriteMacroArea, 1, 4096)), kStatusBadArgument},
      {"macro read length 0", bytes(MakeRequest(kReadMacroArea, 0, 0)), kStatusBadArgument},
      {"lighting past end", bytes(MakeRequest(kWriteLightingArea, 27, 100)), kStatusBadArgument},
      {"lighting read at end", bytes(MakeRequest(kReadLightingArea, 1, 126)), kStatusBadArgument},
      {"lighting read length 0", bytes(MakeRequest(kReadLightingArea, 0, 0)), kStatusBadArgument},
      {"lighting read length 57", bytes(MakeRequest(kReadLightingArea, 57, 0)), kStatusBadArgument},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimKeyboard keyboard;
    auto before = keyboard.SaveText();
    auto response = keyboard.HandleConfigReport(c.report.data(), c.report.size());
    ExpectSealed(response.reply);
    EXPECT_EQ(Status(response), c.status);
    EXPECT_EQ(ReplyData(response, 56), std::vector<uint8_t>(56, 0));
    for (size_t i = kCommandOffset; i < kStatusOffset && i < c.report.size(); ++i) {
      EXPECT_EQ(response.reply[i], c.report[i]) << "byte " << i << " not echoed";
    }
    EXPECT_FALSE(response.changed);
    EXPECT_FALSE(keyboard.InBootMode());
    EXPECT_EQ(keyboard.SaveText(), before);
  }
}

TEST(sim_keyboard_commands, BootRequestGetsNoReplyAndEntersBootMode) {
  SimKeyboard keyboard;
  auto boot = MakeBootRequest();
  auto response = Send(keyboard, boot);
  EXPECT_TRUE(response.reply.empty());
  EXPECT_TRUE(response.bootMode);
  EXPECT_TRUE(keyboard.InBootMode());
  keyboard.LeaveBootMode();
  EXPECT_FALSE(keyboard.InBootMode());
  EXPECT_EQ(Status(Send(keyboard, MakeRequest(kTestCommand, 0, 0))), kStatusOk);
}

TEST(sim_keyboard_commands, IndicatorKeepsTheLastReportAndConsumerReportsAreLittleEndian) {
  SimKeyboard keyboard;
  EXPECT_TRUE(keyboard.Indicator().empty());
  const uint8_t on[] = {0x05, 0x01};
  const uint8_t off[] = {0x05, 0x00};
  keyboard.HandleIndicatorReport(on, sizeof on);
  keyboard.HandleIndicatorReport(off, sizeof off);
  EXPECT_EQ(keyboard.Indicator(), (std::vector<uint8_t>{0x05, 0x00}));

  EXPECT_EQ(SimKeyboard::ConsumerReport(kEventBankKey), (std::vector<uint8_t>{0xFF, 0x02}));
  EXPECT_EQ(SimKeyboard::ConsumerReport(kEventActivityOn), (std::vector<uint8_t>{0x11, 0x18}));
}

TEST(sim_keyboard_commands, DumpJsonShowsTheMacroAreaByItsOwnSize) {
  SimKeyboard keyboard;
  auto json = keyboard.DumpJson();
  EXPECT_NE(json.find("\"macro_area\":\"aa551000000000000000000000000000\""), std::string::npos)
      << json;
  EXPECT_NE(json.find("\"effects\":[1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,20]"),
            std::string::npos);
  EXPECT_NE(json.find("\"firmware\":264,"), std::string::npos);
  EXPECT_NE(json.find("\"indicator\":\"\"}"), std::string::npos);
  EXPECT_EQ(json.find('\n'), std::string::npos);

  // An area recording 20 bytes shows 20.
  Send(keyboard, MakeRequest(kWriteMacroArea, 6, 0, {{0xAA, 0x55, 20, 0, 1, 0}}));
  json = keyboard.DumpJson();
  EXPECT_NE(json.find("\"macro_area\":\"aa5514000100" + std::string(28, '0') + "\""),
            std::string::npos);
  // A size beyond the capacity is bounded by it.
  Send(keyboard, MakeRequest(kWriteMacroArea, 2, 2, {{0xFF, 0xFF}}));
  json = keyboard.DumpJson();
  size_t start = json.find("\"macro_area\":\"") + 14;
  EXPECT_EQ(json.find('"', start) - start, 4096u * 2);
  // Without the marker only the header is shown.
  Send(keyboard, MakeRequest(kWriteMacroArea, 2, 0, {{0, 0}}));
  EXPECT_NE(keyboard.DumpJson().find("\"macro_area\":\"0000ffff0100" + std::string(20, '0') + "\""),
            std::string::npos);
}

}  // namespace
