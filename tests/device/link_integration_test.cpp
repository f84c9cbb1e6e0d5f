// The device link through the real libCorvial.so and a real quorvane-simkbd
// process.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "device/device_service.h"
#include "device/keyboard_commands.h"
#include "device/result_codes.h"
#include "device/settings_block.h"
#include "tests/support/real_service.h"
#include "tests/support/sim_process.h"

namespace {

using testsupport::SimProcess;
using testsupport::WaitUntil;

class LinkIntegrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service.loaded()) << "libCorvial.so did not load from " << QUORVANE_PROGRAM_DIR;
    device::LinkTimings timings;
    timings.replyTimeout = std::chrono::milliseconds(400);
    timings.busyWait = std::chrono::milliseconds(401);
    link = std::make_unique<device::DeviceLink>(service.api(), timings);
    link->StartControlChannel();
  }

  void Plug(const std::vector<std::string>& arguments = {}) {
    Replug("kbd" + std::to_string(++keyboards), arguments);
  }
  // Starts the keyboard `name` again, with the state it kept.
  void Replug(const std::string& name, const std::vector<std::string>& arguments = {}) {
    sim.reset();
    ASSERT_TRUE(WaitUntil([&] { return link->DeviceCount() == 0; }));
    trace = service.folder() + "/" + name + ".trace";
    std::vector<std::string> all = {"--trace", trace};
    all.insert(all.end(), arguments.begin(), arguments.end());
    sim = std::make_unique<SimProcess>(service.simFolder(), name,
                                       service.folder() + "/" + name + ".state", all);
    ASSERT_TRUE(WaitUntil([&] { return link->DeviceCount() == 1; }));
  }

  // The simulator may log a reply just after sending it: wait for the count.
  std::size_t TraceCount(const std::string& prefix, std::size_t expected) const {
    WaitUntil([&] { return TraceLines(prefix).size() >= expected; }, 5);
    return TraceLines(prefix).size();
  }
  std::vector<std::string> TraceLines(const std::string& prefix) const {
    std::ifstream in(trace);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
      if (line.rfind(prefix, 0) == 0) lines.push_back(line);
    return lines;
  }

  testsupport::RealService& service = testsupport::RealService::Get();
  static inline int keyboards = 0;
  std::unique_ptr<device::DeviceLink> link;
  std::unique_ptr<SimProcess> sim;
  std::string trace;
};

TEST_F(LinkIntegrationTest, ReadsTheSettingsBlockOfARealKeyboardProcess) {
  Plug();
  device::SettingsBlock block{};
  ASSERT_EQ(device::ReadSettingsBlock(*link, block), device::kResultOk);
  EXPECT_EQ(device::FirmwareVersion(block), 0x0108);
  EXPECT_EQ(device::MacroCapacityBytes(block), 4096u);
  EXPECT_EQ(device::EffectIds(block).back(), 20);
}

TEST_F(LinkIntegrationTest, KeyMapWrittenIsReadBackAndSurvivesARestart) {
  Plug();
  std::array<uint8_t, 378> block{};
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(255 - i);
  ASSERT_EQ(device::WriteKeyMap(*link, block, 1), device::kResultOk);
  std::array<uint8_t, 378> back{};
  ASSERT_EQ(device::ReadKeyMap(*link, back, 1), device::kResultOk);
  EXPECT_EQ(back, block);
  EXPECT_EQ(TraceCount("> cfg", 14), 14u);
  EXPECT_EQ(TraceCount("< cfg", 14), 14u);

  Replug("kbd" + std::to_string(keyboards));
  back.fill(0);
  ASSERT_EQ(device::ReadKeyMap(*link, back, 1), device::kResultOk);
  EXPECT_EQ(back, block);
}

TEST_F(LinkIntegrationTest, UnplugInTheMiddleOfABlockTransferStopsItAndKeepsWhatMoved) {
  Plug();
  std::array<uint8_t, 378> reference{};
  ASSERT_EQ(device::ReadKeyMap(*link, reference, 0), device::kResultOk);
  ASSERT_EQ(sim->Control("unplug-after 3"), "");
  std::array<uint8_t, 378> block{};
  const int result = device::ReadKeyMap(*link, block, 0);
  EXPECT_NE(result, device::kResultOk);
  EXPECT_TRUE(std::equal(block.begin(), block.begin() + 112, reference.begin()))
      << "the two packets that arrived stay";
  EXPECT_TRUE(WaitUntil([&] { return link->DeviceCount() == 0; }));
  device::SettingsBlock settings{};
  EXPECT_EQ(device::ReadSettingsBlock(*link, settings), device::kResultNoDevice);

  ASSERT_EQ(sim->Control("plug"), "");
  ASSERT_TRUE(WaitUntil([&] { return link->DeviceCount() == 1; }));
  EXPECT_EQ(device::ReadSettingsBlock(*link, settings), device::kResultOk);
}

TEST_F(LinkIntegrationTest, FaultsOfTheKeyboardGiveTheirResults) {
  Plug();
  device::SettingsBlock block{};
  ASSERT_EQ(sim->Control("drop 2"), "");
  EXPECT_EQ(device::ReadSettingsBlock(*link, block), device::kResultOk);
  EXPECT_EQ(TraceCount("> cfg", 3), 3u) << "two lost replies, then the third send";

  ASSERT_EQ(sim->Control("wrong 1"), "");
  EXPECT_EQ(device::ReadSettingsBlock(*link, block), device::kResultOk);
  EXPECT_EQ(TraceCount("> cfg", 5), 5u);

  ASSERT_EQ(sim->Control("status fe 3"), "");
  EXPECT_EQ(device::ReadSettingsBlock(*link, block), device::kResultStatusFE);
  ASSERT_EQ(sim->Control("status ff 3"), "");
  EXPECT_EQ(device::ReadSettingsBlock(*link, block), device::kResultStatusFF);
  EXPECT_EQ(device::ReadSettingsBlock(*link, block), device::kResultOk);
}

TEST_F(LinkIntegrationTest, ConcurrentTransactionsFromTwoThreads) {
  Plug();
  std::array<uint8_t, 378> written{};
  for (std::size_t i = 0; i < written.size(); ++i) written[i] = static_cast<uint8_t>(i * 3);
  ASSERT_EQ(device::WriteKeyMap(*link, written, 2), device::kResultOk);
  std::atomic<int> failures{0};
  std::thread maps([&] {
    for (int i = 0; i < 15; ++i) {
      std::array<uint8_t, 378> block{};
      if (device::ReadKeyMap(*link, block, 2) != device::kResultOk || block != written) ++failures;
    }
  });
  std::thread settings([&] {
    for (int i = 0; i < 60; ++i) {
      device::SettingsBlock block{};
      if (device::ReadSettingsBlock(*link, block) != device::kResultOk ||
          device::FirmwareVersion(block) != 0x0108)
        ++failures;
    }
  });
  maps.join();
  settings.join();
  EXPECT_EQ(failures.load(), 0);
}

TEST_F(LinkIntegrationTest, EnterBootModeIsSentOnceAndTheKeyboardLeaves) {
  Plug();
  EXPECT_EQ(device::EnterBootMode(*link), 1);
  EXPECT_TRUE(WaitUntil([&] { return link->DeviceCount() == 0; }));
  const auto sent = TraceLines("> cfg");
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0], "> cfg 040000eeee" + std::string(118, '0'));
  EXPECT_TRUE(TraceLines("< cfg").empty());
}

TEST_F(LinkIntegrationTest, DeviceCountChangesReachTheListener) {
  std::mutex mutex;
  std::vector<int> counts;
  link->SetDeviceCountListener([&](int count) {
    std::lock_guard lock(mutex);
    counts.push_back(count);
  });
  Plug();
  ASSERT_TRUE(WaitUntil([&] {
    std::lock_guard lock(mutex);
    return !counts.empty() && counts.back() == 1;
  }));
  sim->Stop();
  EXPECT_TRUE(WaitUntil([&] {
    std::lock_guard lock(mutex);
    return counts.back() == 0;
  }));
}

}  // namespace
