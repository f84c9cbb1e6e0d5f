// Injected faults: what each does to the answer and to the stored state.
#include <gtest/gtest.h>

#include "sim/byte_order.h"
#include "sim/sim_keyboard.h"
#include "tests/sim/keyboard_test_support.h"

namespace {

using namespace sim;
using simtest::Send;
using simtest::Status;

const std::vector<uint8_t> kData = {9, 8, 7};

Report WriteAt(uint16_t offset) {
  return MakeRequest(kWriteKeyMap, 3, offset, kData);
}

bool Stored(const SimKeyboard& keyboard, uint16_t offset) {
  auto map = keyboard.KeyMap(0).subspan(offset, 3);
  return std::vector<uint8_t>(map.begin(), map.end()) == kData;
}

TEST(sim_keyboard_faults, UnplugAfterLosesTheCountingReportAndTurnsOff) {
  SimKeyboard keyboard;
  keyboard.faults().unplugAfterReports = 2;
  auto first = Send(keyboard, WriteAt(6));
  EXPECT_FALSE(first.unplug);
  EXPECT_EQ(Status(first), kStatusOk);

  auto second = Send(keyboard, WriteAt(9));
  EXPECT_TRUE(second.unplug);
  EXPECT_TRUE(second.reply.empty());
  EXPECT_FALSE(second.changed);
  EXPECT_FALSE(Stored(keyboard, 9));
  EXPECT_EQ(keyboard.faults().unplugAfterReports, -1);

  auto third = Send(keyboard, WriteAt(9));
  EXPECT_FALSE(third.unplug);
  EXPECT_TRUE(Stored(keyboard, 9));
}

TEST(sim_keyboard_faults, ErrorStatusRefusesTheNextRequests) {
  for (uint8_t status : {kStatusRejected, kStatusBadArgument}) {
    SimKeyboard keyboard;
    keyboard.faults().errorStatusReplies = 2;
    keyboard.faults().errorStatus = status;
    for (uint16_t offset : {6, 9}) {
      auto response = Send(keyboard, WriteAt(offset));
      EXPECT_EQ(Status(response), status);
      EXPECT_EQ(response.reply[kCommandOffset], kWriteKeyMap);
      EXPECT_FALSE(response.changed);
      EXPECT_FALSE(Stored(keyboard, offset));
    }
    EXPECT_EQ(Status(Send(keyboard, WriteAt(12))), kStatusOk);
    EXPECT_TRUE(Stored(keyboard, 12));
  }
}

TEST(sim_keyboard_faults, DropCarriesOutButLosesTheReply) {
  SimKeyboard keyboard;
  keyboard.faults().dropReplies = 1;
  auto dropped = Send(keyboard, WriteAt(6));
  EXPECT_TRUE(dropped.reply.empty());
  EXPECT_FALSE(dropped.unplug);
  EXPECT_TRUE(dropped.changed);
  EXPECT_TRUE(Stored(keyboard, 6));
  EXPECT_EQ(Status(Send(keyboard, WriteAt(9))), kStatusOk);
}

TEST(sim_keyboard_faults, WrongCommandRepliesLookLikeLateReplies) {
  SimKeyboard keyboard;
  keyboard.faults().wrongCommandReplies = 1;
  // No earlier request: command + 1.
  auto first = Send(keyboard, WriteAt(6));
  EXPECT_EQ(first.reply[kCommandOffset], kWriteKeyMap + 1);
  EXPECT_TRUE(Stored(keyboard, 6));
  // After a different command: that command's number.
  Send(keyboard, MakeRequest(kTestCommand, 0, 0));
  keyboard.faults().wrongCommandReplies = 1;
  auto late = Send(keyboard, WriteAt(9));
  EXPECT_EQ(late.reply[kCommandOffset], kTestCommand);
  EXPECT_EQ(Status(late), kStatusOk);
  EXPECT_TRUE(Stored(keyboard, 9));
  std::span<const uint8_t, kReportSize> fixed(late.reply.data(), kReportSize);
  EXPECT_EQ(GetU16Le(late.reply, kSumOffset), PacketSum(fixed));
  EXPECT_EQ(Send(keyboard, WriteAt(12)).reply[kCommandOffset], kWriteKeyMap);
}

TEST(sim_keyboard_faults, LatencyIsReportedOnEveryReply) {
  SimKeyboard keyboard;
  keyboard.faults().latencyUs = 500;
  EXPECT_EQ(Send(keyboard, WriteAt(6)).delayUs, 500);
  EXPECT_EQ(Send(keyboard, MakeRequest(0x77, 0, 0)).delayUs, 500);
  keyboard.faults().latencyUs = 0;
  EXPECT_EQ(Send(keyboard, WriteAt(6)).delayUs, 0);
}

TEST(sim_keyboard_faults, FaultsTakeTurnsInOrder) {
  SimKeyboard keyboard;
  keyboard.faults().errorStatusReplies = 1;
  keyboard.faults().dropReplies = 1;
  keyboard.faults().wrongCommandReplies = 1;
  EXPECT_EQ(Status(Send(keyboard, WriteAt(6))), kStatusRejected);
  EXPECT_FALSE(Stored(keyboard, 6));
  EXPECT_TRUE(Send(keyboard, WriteAt(6)).reply.empty());
  EXPECT_TRUE(Stored(keyboard, 6));
  EXPECT_NE(Send(keyboard, WriteAt(9)).reply[kCommandOffset], kWriteKeyMap);
  EXPECT_EQ(Send(keyboard, WriteAt(12)).reply[kCommandOffset], kWriteKeyMap);
}

TEST(sim_keyboard_faults, BootRequestIsNeverAnsweredAndLeavesReplyFaultsPending) {
  SimKeyboard keyboard;
  keyboard.faults().errorStatusReplies = 1;
  auto boot = Send(keyboard, MakeBootRequest());
  EXPECT_TRUE(boot.reply.empty());
  EXPECT_TRUE(boot.bootMode);
  EXPECT_EQ(keyboard.faults().errorStatusReplies, 1);

  // The unplug countdown does count it.
  SimKeyboard counted;
  counted.faults().unplugAfterReports = 1;
  auto lost = Send(counted, MakeBootRequest());
  EXPECT_TRUE(lost.unplug);
  EXPECT_FALSE(counted.InBootMode());
}

}  // namespace
