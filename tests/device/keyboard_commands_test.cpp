// The command set on the wire: packet fields, block and area transfers, and
// their effect on the simulated keyboard's firmware model.
#include "device/keyboard_commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "device/result_codes.h"
#include "device/settings_block.h"
#include "sim/sim_keyboard.h"
#include "tests/device/device_test_support.h"
#include "tests/support/loopback_service.h"

namespace {

using testsupport::Bytes;

struct WireField {
  int length;
  int offset;
};

std::vector<WireField> Fields(const std::vector<Bytes>& sent) {
  std::vector<WireField> fields;
  for (const Bytes& r : sent) fields.push_back({r[4], r[5] | (r[6] << 8)});
  return fields;
}

bool operator==(const WireField& a, const WireField& b) {
  return a.length == b.length && a.offset == b.offset;
}

class KeyboardCommandsTest : public ::testing::Test {
 protected:
  KeyboardCommandsTest() : link(service.Api(), testsupport::QuickTimings()) {
    service.UseKeyboard(&keyboard);
    link.StartControlChannel();
  }

  sim::SimKeyboard keyboard;
  testsupport::LoopbackService service;
  device::DeviceLink link;
};

TEST_F(KeyboardCommandsTest, EveryRequestCarriesReportIdAndPacketSum) {
  std::array<uint8_t, 378> block{};
  ASSERT_EQ(device::ReadKeyMap(link, block, 0), device::kResultOk);
  for (const Bytes& request : service.Sent()) {
    ASSERT_EQ(request.size(), 64u);
    device::ReportPacket packet;
    std::copy(request.begin(), request.end(), packet.begin());
    EXPECT_EQ(packet[0], 4);
    EXPECT_EQ(packet[1] | (packet[2] << 8), device::PacketSum(packet));
    EXPECT_EQ(packet[7], 0);
  }
}

TEST_F(KeyboardCommandsTest, WriteKeyMapOfSlotTwoSendsSevenPacketsAtItsOffsets) {
  std::array<uint8_t, 378> block{};
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i);
  ASSERT_EQ(device::WriteKeyMap(link, block, 2), device::kResultOk);
  const std::vector<WireField> expected = {{56, 756}, {56, 812},  {56, 868}, {56, 924},
                                           {56, 980}, {56, 1036}, {42, 1092}};
  EXPECT_EQ(Fields(service.Sent()), expected);
  EXPECT_TRUE(std::equal(block.begin(), block.end(), keyboard.KeyMap(2).begin()));
  std::array<uint8_t, 378> back{};
  ASSERT_EQ(device::ReadKeyMap(link, back, 2), device::kResultOk);
  EXPECT_EQ(back, block);
}

TEST_F(KeyboardCommandsTest, DefaultMatrixIsReadFromBaseZero) {
  std::array<uint8_t, 378> matrix{};
  ASSERT_EQ(device::ReadDefaultMatrix(link, matrix), device::kResultOk);
  EXPECT_EQ(Fields(service.Sent()).front(), (WireField{56, 0}));
  EXPECT_TRUE(std::equal(matrix.begin(), matrix.end(), keyboard.DefaultMatrix().begin()));
}

TEST_F(KeyboardCommandsTest, MacroAreaTransfersAreCutAtTheByteCount) {
  const struct {
    std::size_t count;
    std::vector<WireField> packets;
  } cases[] = {
      {16, {{16, 0}}},
      {57, {{56, 0}, {1, 56}}},
      {0, {}},
      {112, {{56, 0}, {56, 56}}},
  };
  for (const auto& c : cases) {
    service.ClearSent();
    std::vector<uint8_t> area(c.count);
    EXPECT_EQ(device::ReadMacroArea(link, area), device::kResultOk) << c.count;
    EXPECT_EQ(Fields(service.Sent()), c.packets) << c.count;
  }
  std::vector<uint8_t> header(16);
  ASSERT_EQ(device::ReadMacroArea(link, header), device::kResultOk);
  EXPECT_EQ(header[0], 0xAA);
  EXPECT_EQ(header[1], 0x55);
}

TEST_F(KeyboardCommandsTest, AFailingPacketEndsABlockTransferAndKeepsWhatMoved) {
  // The fourth packet (offset 168) is refused every time it is sent.
  service.SetResponder([this](const Bytes& request) -> std::vector<testsupport::Outgoing> {
    if ((request[5] | (request[6] << 8)) == 168) return {{testsupport::ReplyTo(request, 0xFE)}};
    return {{keyboard.HandleConfigReport(request.data(), request.size()).reply}};
  });
  std::array<uint8_t, 378> block;
  block.fill(0x5A);
  EXPECT_EQ(device::WriteKeyMap(link, block, 0), device::kResultStatusFE);
  const auto fields = Fields(service.Sent());
  EXPECT_EQ(fields.size(), 6u) << "three packets, then the fourth three times";
  EXPECT_TRUE(std::none_of(fields.begin(), fields.end(), [](auto f) { return f.offset > 168; }));
  EXPECT_TRUE(std::all_of(keyboard.KeyMap(0).begin(), keyboard.KeyMap(0).begin() + 168,
                          [](uint8_t b) { return b == 0x5A; }));
  EXPECT_NE(keyboard.KeyMap(0)[168], 0x5A);
}

TEST_F(KeyboardCommandsTest, SlotsOutsideZeroToTwoAreRefusedWithoutSending) {
  std::array<uint8_t, 378> block{};
  const uint8_t colour[3] = {1, 2, 3};
  EXPECT_EQ(device::ReadKeyMap(link, block, 3), device::kResultBadSlot);
  EXPECT_EQ(device::WriteKeyMap(link, block, 3), device::kResultBadSlot);
  EXPECT_EQ(device::ReadKeyMap(link, block, -1), device::kResultBadSlot);
  EXPECT_EQ(device::WriteKeyColours(link, colour, 3, 0), device::kResultBadSlot);
  EXPECT_EQ(device::WriteKeyColours(link, colour, 0, 126), device::kResultBadSlot);
  EXPECT_TRUE(service.Sent().empty());
}

TEST_F(KeyboardCommandsTest, KeyColoursOfKeyTenInSlotOneGoToOffset542) {
  const uint8_t colour[3] = {0x12, 0x34, 0x56};
  ASSERT_EQ(device::WriteKeyColours(link, colour, 1, 10), device::kResultOk);
  EXPECT_EQ(Fields(service.Sent()), (std::vector<WireField>{{3, 542}}));
  EXPECT_EQ(keyboard.KeyColours(1)[30], 0x12);
  EXPECT_EQ(keyboard.KeyColours(1)[32], 0x56);
}

TEST_F(KeyboardCommandsTest, SettingsBlockReadAndWrite) {
  device::SettingsBlock block{};
  ASSERT_EQ(device::ReadSettingsBlock(link, block), device::kResultOk);
  EXPECT_EQ(device::FirmwareVersion(block), 0x0108);
  EXPECT_EQ(device::ActiveSlotByte(block), 0);
  EXPECT_EQ(device::MacroCapacityBytes(block), 4096u);
  std::vector<int> effects;
  for (int id = 1; id <= 18; ++id) effects.push_back(id);
  effects.push_back(20);
  EXPECT_EQ(device::EffectIds(block), effects);

  block[10] = 2;
  ASSERT_EQ(device::WriteSettingsBlock(link, block), device::kResultOk);
  EXPECT_EQ(keyboard.Settings()[10], 2);
  block[10] = 3;
  EXPECT_EQ(device::WriteSettingsBlock(link, block), device::kResultStatusFE);
}

TEST_F(KeyboardCommandsTest, LightingAreaReadsFiftySixBytesAndWritesAtItsOffset) {
  const uint8_t brightness[1] = {2};
  ASSERT_EQ(device::WriteLightingArea(link, brightness, 84 + 1), device::kResultOk);
  std::array<uint8_t, 56> piece{};
  ASSERT_EQ(device::ReadLightingArea(link, piece, 56, 84), device::kResultOk);
  EXPECT_EQ(piece[1], 2);
  EXPECT_EQ(Fields(service.Sent()), (std::vector<WireField>{{1, 85}, {56, 84}}));
}

TEST_F(KeyboardCommandsTest, BracketAndTestCommandsCarryNoData) {
  EXPECT_EQ(device::ConfigBegin(link), device::kResultOk);
  EXPECT_EQ(device::TestCommand(link), device::kResultOk);
  EXPECT_EQ(device::ConfigEnd(link), device::kResultOk);
  const auto sent = service.Sent();
  ASSERT_EQ(sent.size(), 3u);
  EXPECT_EQ(sent[0][3], 0x01);
  EXPECT_EQ(sent[1][3], 0x0D);
  EXPECT_EQ(sent[2][3], 0x02);
  for (const Bytes& r : sent)
    EXPECT_TRUE(std::all_of(r.begin() + 4, r.end(), [](uint8_t b) { return b == 0; }));
}

TEST_F(KeyboardCommandsTest, EnterBootModeIsSentOnceAndWaitsForNothing) {
  // No reply ever comes; a transaction would have retried three times.
  EXPECT_EQ(device::EnterBootMode(link), 1);
  const auto sent = service.Sent();
  ASSERT_EQ(sent.size(), 1u);
  Bytes expected(64, 0);
  expected[0] = 4;
  expected[3] = 0xEE;
  expected[4] = 0xEE;
  EXPECT_EQ(sent[0], expected);
  EXPECT_TRUE(keyboard.InBootMode());
}

}  // namespace
