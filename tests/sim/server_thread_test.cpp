// SimServer run in-process on a thread of its own, as a test harness would.
#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>

#include "sim/report_packet.h"
#include "sim/sim_server.h"
#include "tests/sim/process_test_support.h"

namespace {

using namespace simtest;

TEST(sim_server_thread, ServesUntilStoppedFromAnotherThread) {
  TempDir temp;
  ASSERT_FALSE(temp.path().empty());
  std::vector<std::string> plugged;
  sim::ServerConfig config;
  config.dir = temp.path() + "/watch";
  config.name = "kb";
  config.onPlugged = [&plugged](const std::string& folder) { plugged.push_back(folder); };
  sim::KeyboardOptions options;
  options.firmware = 0x0200;
  sim::SimServer server(std::move(config), sim::SimKeyboard(options));
  std::string error;
  ASSERT_TRUE(server.Start(&error)) << error;
  ASSERT_EQ(plugged, std::vector<std::string>{temp.path() + "/watch/kb"});
  std::thread loop([&server] { server.Run(); });

  int cfg = ConnectReports(server.FolderPath() + "/cfg");
  ASSERT_GE(cfg, 0);
  auto request = sim::MakeRequest(sim::kReadSettingsBlock, 44, 0);
  ASSERT_TRUE(SendReport(cfg, {request.begin(), request.end()}));
  auto reply = ReceiveReport(cfg).report;
  ASSERT_EQ(reply.size(), 64u);
  EXPECT_EQ(reply[8 + 9], 0x02);
  EXPECT_EQ(Control(server.ControlPath(), "stats"), "ok received=1 replied=1");

  server.Stop();
  loop.join();
  EXPECT_TRUE(ReceiveReport(cfg).hungUp);
  ::close(cfg);
  EXPECT_FALSE(Exists(server.FolderPath()));
  EXPECT_FALSE(Exists(server.ControlPath()));
}

}  // namespace
