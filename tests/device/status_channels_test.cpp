// The keyboard's own events and the device-count changes.
#include "device/status_channels.h"

#include <gtest/gtest.h>

#include "tests/device/device_test_support.h"
#include "tests/support/loopback_service.h"
#include "tests/support/recording_window.h"
#include "tests/support/sim_process.h"

namespace {

using testsupport::Bytes;
using testsupport::WaitUntil;

class StatusChannelsTest : public ::testing::Test {
 protected:
  StatusChannelsTest() : link(service.Api(), testsupport::QuickTimings()), channels(link, window) {}

  void Start() {
    channels.Start([this](int count) {
      std::lock_guard lock(mutex);
      counts.push_back(count);
    });
  }
  std::vector<int> Counts() {
    std::lock_guard lock(mutex);
    return counts;
  }

  testsupport::LoopbackService service;
  testsupport::RecordingWindow window;
  device::DeviceLink link;
  device::StatusChannels channels;
  std::mutex mutex;
  std::vector<int> counts;
};

TEST_F(StatusChannelsTest, TheBankKeyTwiceSendsBothIndicatorReportsAndEndsOnBankA) {
  Start();
  service.InjectConsumerReport({0xFF, 0x02});
  service.InjectConsumerReport({0xFF, 0x02});
  ASSERT_TRUE(service.WaitIdle());
  EXPECT_EQ(service.StatusWrites(), (std::vector<Bytes>{{0x05, 0x03}, {0x05, 0x02}}));
  EXPECT_EQ(window.banks(), (std::vector<int>{1, 0}));
  ASSERT_EQ(window.sent().size(), 2u);
  EXPECT_EQ(window.sent()[0].id, platform::kMsgIndicator);
  EXPECT_EQ(window.sent()[0].wParam, platform::kCodeIndicator);
  EXPECT_EQ(channels.gKeyBank(), 0);
}

TEST_F(StatusChannelsTest, OtherEventsStartTheLightingTimerOrShowActivity) {
  Start();
  for (const Bytes& report : std::vector<Bytes>{
           {0x04, 0x18}, {0x00, 0x00}, {0xFF}, {0x01, 0x04}, {0x11, 0x18, 0x99}, {0x10, 0x18}})
    service.InjectConsumerReport(report);
  ASSERT_TRUE(service.WaitIdle());
  EXPECT_EQ(window.timers(), (std::vector<int>{platform::kLightingTimer}));
  EXPECT_EQ(window.activity(), (std::vector<bool>{true, false}));
  EXPECT_TRUE(service.StatusWrites().empty());
  EXPECT_TRUE(window.banks().empty());
}

TEST_F(StatusChannelsTest, EveryDeviceCountIsHandledInTheOrderItCame) {
  Start();
  for (int count : {0, 1, 0, 1, 2, 0}) service.SetDeviceCount(count);
  ASSERT_TRUE(service.WaitIdle());
  ASSERT_TRUE(WaitUntil([&] { return Counts().size() == 7; }));
  EXPECT_EQ(Counts(), (std::vector<int>{1, 0, 1, 0, 1, 2, 0}))
      << "the first count at start, then each change (repeats are the service's to drop)";
}

}  // namespace
