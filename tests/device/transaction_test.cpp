// The write-and-wait transaction: retries, time-outs, matching and the reply
// slot, against the in-process service.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "device/keyboard_commands.h"
#include "device/result_codes.h"
#include "device/settings_block.h"
#include "sim/sim_keyboard.h"
#include "tests/device/device_test_support.h"
#include "tests/support/loopback_service.h"

namespace {

using testsupport::Bytes;
using testsupport::LoopbackService;
using testsupport::Outgoing;
using testsupport::ReplyTo;

class TransactionTest : public ::testing::Test {
 protected:
  TransactionTest() : link(service.Api(), testsupport::QuickTimings()) {
    link.StartControlChannel();
  }

  // Answers the n-th send (counting from 0) as `plan(n, request)` says.
  void Respond(std::function<std::vector<Outgoing>(int, const Bytes&)> plan) {
    auto sends = std::make_shared<std::atomic<int>>(0);
    service.SetResponder([plan, sends](const Bytes& request) { return plan((*sends)++, request); });
  }

  int Read(device::ReportPacket* reply, std::size_t* count = nullptr) {
    const device::ReportPacket request = device::BuildRequest(device::kCommandTest, 0, 0);
    std::size_t ignored = 0;
    return link.Transaction(request.data(), request.size(), reply->data(), reply->size(),
                            count != nullptr ? count : &ignored);
  }

  LoopbackService service;
  device::DeviceLink link;
};

TEST_F(TransactionTest, NoKeyboardReturnsZeroWithoutSending) {
  service.SetDeviceCount(0);
  device::ReportPacket reply{};
  EXPECT_EQ(Read(&reply), device::kResultNoDevice);
  EXPECT_TRUE(service.Sent().empty());
}

TEST_F(TransactionTest, RefusedWriteReturnsMinusOne) {
  service.SetWriteResult(0);
  device::ReportPacket reply{};
  EXPECT_EQ(Read(&reply), device::kResultWriteRefused);
  EXPECT_EQ(service.Sent().size(), 0u);
}

TEST_F(TransactionTest, ReplyForAnotherCommandIsNotAcceptedAndTheRequestIsSentAgain) {
  Respond([](int n, const Bytes& request) {
    return std::vector<Outgoing>{{ReplyTo(request, 0, n == 0 ? 0x05 : 0)}};
  });
  device::ReportPacket reply{};
  EXPECT_EQ(Read(&reply), device::kResultOk);
  EXPECT_EQ(reply[3], device::kCommandTest);
  const auto sent = service.Sent();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0], sent[1]) << "every try sends the same bytes";
}

TEST_F(TransactionTest, TwoTimeOutsThenAReplySucceedOnTheThirdSend) {
  Respond([](int n, const Bytes& request) {
    return n < 2 ? std::vector<Outgoing>{} : std::vector<Outgoing>{{ReplyTo(request)}};
  });
  device::ReportPacket reply{};
  EXPECT_EQ(Read(&reply), device::kResultOk);
  EXPECT_EQ(service.Sent().size(), 3u);
}

TEST_F(TransactionTest, ThreeTimeOutsGiveMinusTwo) {
  Respond([](int, const Bytes&) { return std::vector<Outgoing>{}; });
  device::ReportPacket reply{};
  EXPECT_EQ(Read(&reply), device::kResultNoReply);
  EXPECT_EQ(service.Sent().size(), 3u);
}

TEST_F(TransactionTest, ThreeWrongCommandsGiveMinusTwo) {
  Respond(
      [](int, const Bytes& request) { return std::vector<Outgoing>{{ReplyTo(request, 0, 0x7E)}}; });
  device::ReportPacket reply{};
  EXPECT_EQ(Read(&reply), device::kResultNoReply);
  EXPECT_EQ(service.Sent().size(), 3u);
}

TEST_F(TransactionTest, ErrorStatusesAreTriedThreeTimesThenReportedByTheCommand) {
  for (const auto& [status, expected] : {std::pair{uint8_t{0xFF}, device::kResultStatusFF},
                                         {uint8_t{0xFE}, device::kResultStatusFE}}) {
    service.ClearSent();
    Respond([status](int, const Bytes& request) {
      return std::vector<Outgoing>{{ReplyTo(request, status)}};
    });
    device::ReportPacket reply{};
    EXPECT_EQ(Read(&reply), device::kResultOk) << "the transaction itself got a reply";
    EXPECT_EQ(service.Sent().size(), 3u);
    EXPECT_EQ(device::TestCommand(link), expected);
  }
}

TEST_F(TransactionTest, AnErrorStatusFollowedByAGoodReplySucceeds) {
  Respond([](int n, const Bytes& request) {
    return std::vector<Outgoing>{{ReplyTo(request, n == 0 ? 0xFF : 0)}};
  });
  EXPECT_EQ(device::TestCommand(link), device::kResultOk);
  EXPECT_EQ(service.Sent().size(), 2u);
}

TEST_F(TransactionTest, ReplyLongerThanTheCapacityIsCut) {
  Respond([](int, const Bytes& request) {
    Bytes longReply = ReplyTo(request);
    longReply.resize(100, 0xAB);
    return std::vector<Outgoing>{{longReply}};
  });
  const device::ReportPacket request = device::BuildRequest(device::kCommandTest, 0, 0);
  std::array<uint8_t, 80> buffer;
  buffer.fill(0x11);
  std::size_t count = 0;
  EXPECT_EQ(link.Transaction(request.data(), request.size(), buffer.data(), 16, &count),
            device::kResultOk);
  EXPECT_EQ(count, 16u);
  EXPECT_EQ(buffer[16], 0x11) << "nothing written past the capacity";
}

TEST_F(TransactionTest, AReportWhileNothingWaitsIsDropped) {
  // A reply that would match arrives before anyone asks; the transaction that
  // follows must still wait for its own reply.
  const device::ReportPacket request = device::BuildRequest(device::kCommandTest, 0, 0);
  service.InjectReport(ReplyTo(Bytes(request.begin(), request.end())));
  ASSERT_TRUE(service.WaitIdle());
  Respond([](int n, const Bytes& r) {
    return n == 0 ? std::vector<Outgoing>{} : std::vector<Outgoing>{{ReplyTo(r)}};
  });
  device::ReportPacket reply{};
  EXPECT_EQ(Read(&reply), device::kResultOk);
  EXPECT_EQ(service.Sent().size(), 2u);
}

TEST_F(TransactionTest, AShortReplyLeavesNoStaleBytesOfAnEarlierTry) {
  // The first try gets a reply with an error status; the second a reply cut
  // after byte 3. Its status byte must not be the first try's 0xFF.
  Respond([](int n, const Bytes& request) {
    Bytes reply = ReplyTo(request, n == 0 ? 0xFF : 0);
    if (n == 1) reply.resize(4);
    return std::vector<Outgoing>{{reply}};
  });
  device::ReportPacket reply{};
  std::size_t count = 0;
  EXPECT_EQ(Read(&reply, &count), device::kResultOk);
  EXPECT_EQ(count, 4u);
  EXPECT_EQ(reply[7], 0);
}

TEST_F(TransactionTest, ConcurrentTransactionsFromTwoThreadsGetTheirOwnReplies) {
  sim::SimKeyboard keyboard;
  service.UseKeyboard(&keyboard);
  std::array<uint8_t, 378> written{};
  for (std::size_t i = 0; i < written.size(); ++i) written[i] = static_cast<uint8_t>(i * 7);
  ASSERT_EQ(device::WriteKeyMap(link, written, 1), device::kResultOk);

  std::atomic<int> failures{0};
  std::thread maps([&] {
    for (int i = 0; i < 20; ++i) {
      std::array<uint8_t, 378> block{};
      if (device::ReadKeyMap(link, block, 1) != device::kResultOk || block != written) ++failures;
    }
  });
  std::thread settings([&] {
    for (int i = 0; i < 100; ++i) {
      device::SettingsBlock block{};
      if (device::ReadSettingsBlock(link, block) != device::kResultOk ||
          device::FirmwareVersion(block) != 0x0108)
        ++failures;
    }
  });
  maps.join();
  settings.join();
  EXPECT_EQ(failures.load(), 0);
  EXPECT_EQ(service.ChecksumFailures(), 0);
}

}  // namespace
