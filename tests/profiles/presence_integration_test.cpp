// Arrival, removal and the keyboard's events with the real libCorvial.so and
// a real simulator process that is plugged and unplugged quickly.
#include <gtest/gtest.h>

#include <fstream>

#include "device/status_channels.h"
#include "profiles/profile_transfer.h"
#include "settings/language_table.h"
#include "tests/support/real_service.h"
#include "tests/support/recording_window.h"
#include "tests/support/sim_process.h"

namespace {

using testsupport::WaitUntil;

class PresenceIntegrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service.loaded());
    link = std::make_unique<device::DeviceLink>(service.api());
    transfer = std::make_unique<profiles::ProfileTransfer>(
        *link, store, matrix, window, service.folder() + "/profiles", QUORVANE_PROGRAM_DIR);
    window.OnMessage([this](const platform::WindowMessage& message) {
      if (message.id == platform::kMsgProfilesRead) transfer->ReloadFromDevice(false);
    });
    channels = std::make_unique<device::StatusChannels>(*link, window);
  }
  void TearDown() override {
    channels.reset();
    transfer.reset();
    link.reset();
  }

  int LastTrayIcon() const {
    const auto icons = window.trayIcons();
    return icons.empty() ? 0 : icons.back().second;
  }

  testsupport::RealService& service = testsupport::RealService::Get();
  testsupport::RecordingWindow window;
  model::ConfigStore store;
  model::DefaultMatrix matrix;
  std::unique_ptr<device::DeviceLink> link;
  std::unique_ptr<profiles::ProfileTransfer> transfer;
  std::unique_ptr<device::StatusChannels> channels;
};

TEST_F(PresenceIntegrationTest, RapidPlugAndUnplugEndsInTheKeyboardsRealState) {
  testsupport::SimProcess sim(service.simFolder(), "kbd", service.folder() + "/kbd.state");
  channels->Start([this](int count) { transfer->PresenceHandler(count); });
  ASSERT_TRUE(WaitUntil([&] { return LastTrayIcon() == platform::kTrayIconPresent; }));
  for (int i = 0; i < 15; ++i) {
    ASSERT_EQ(sim.Control("unplug"), "");
    ASSERT_EQ(sim.Control("plug"), "");
  }
  ASSERT_TRUE(WaitUntil([&] { return link->DeviceCount() == 1; }));
  // However the events interleaved, the last one handled is the arrival.
  ASSERT_TRUE(WaitUntil(
      [&] {
        const auto sent = window.sent();
        return !sent.empty() && sent.back().id == platform::kMsgProfilesRead &&
               LastTrayIcon() == platform::kTrayIconPresent;
      },
      20));
  EXPECT_EQ(transfer->GetActiveSlot(), 0);
  {
    std::lock_guard lock(store.mutex());
    EXPECT_NE(store.image(), nullptr);
  }
  EXPECT_EQ(window.posted().size(), 1u) << "the window opened by itself once";

  ASSERT_EQ(sim.Control("unplug"), "");
  ASSERT_TRUE(WaitUntil([&] { return LastTrayIcon() == platform::kTrayIconAbsent; }));
  EXPECT_EQ(transfer->GetActiveSlot(), -1) << "no slot outlives the keyboard";
}

TEST_F(PresenceIntegrationTest, TheBankKeyOfARealKeyboardSwitchesTheIndicator) {
  const std::string trace = service.folder() + "/bank.trace";
  testsupport::SimProcess sim(service.simFolder(), "bank", service.folder() + "/bank.state",
                              {"--trace", trace});
  channels->Start([this](int count) { transfer->PresenceHandler(count); });
  ASSERT_TRUE(WaitUntil([&] { return LastTrayIcon() == platform::kTrayIconPresent; }));
  ASSERT_EQ(sim.Control("event bank"), "");
  ASSERT_TRUE(WaitUntil([&] { return window.banks().size() == 1; }));
  ASSERT_EQ(sim.Control("event bank"), "");
  ASSERT_TRUE(WaitUntil([&] { return window.banks().size() == 2; }));
  std::vector<std::string> leds;
  ASSERT_TRUE(WaitUntil([&] {
    leds.clear();
    std::ifstream in(trace);
    for (std::string line; std::getline(in, line);)
      if (line.rfind("> led", 0) == 0) leds.push_back(line);
    return leds.size() == 2;
  }));
  EXPECT_EQ(leds, (std::vector<std::string>{"> led 0503", "> led 0502"}));
}

}  // namespace
