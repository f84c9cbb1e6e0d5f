// How the simulator is driven: control lines and the command line.
#include "sim/control_command.h"

#include <gtest/gtest.h>

#include "sim/command_line.h"

namespace {

using sim::ControlCommand;
using Kind = ControlCommand::Kind;

TEST(sim_control_command, ParsesEveryCommand) {
  struct Case {
    const char* line;
    Kind kind;
    int count;
    uint8_t status;
    uint16_t code;
    int latencyUs;
  };
  const Case cases[] = {
      {"plug", Kind::kPlug, 0, 0, 0, 0},
      {"  unplug \r", Kind::kUnplug, 0, 0, 0, 0},
      {"event bank", Kind::kEvent, 0, 0, 0x02FF, 0},
      {"event lighting", Kind::kEvent, 0, 0, 0x0401, 0},
      {"event activity-on", Kind::kEvent, 0, 0, 0x1811, 0},
      {"event activity-off", Kind::kEvent, 0, 0, 0x1810, 0},
      {"event 0x02ff", Kind::kEvent, 0, 0, 0x02FF, 0},
      {"event 0xABCD", Kind::kEvent, 0, 0, 0xABCD, 0},
      {"event 1810", Kind::kEvent, 0, 0, 0x1810, 0},
      {"drop 3", Kind::kDrop, 3, 0, 0, 0},
      {"wrong 0", Kind::kWrong, 0, 0, 0, 0},
      {"status ff 2", Kind::kErrorStatus, 2, 0xFF, 0, 0},
      {"status fe 1", Kind::kErrorStatus, 1, 0xFE, 0, 0},
      {"latency 1", Kind::kLatency, 0, 0, 0, 1000},
      {"latency 0.5", Kind::kLatency, 0, 0, 0, 500},
      {"latency 0", Kind::kLatency, 0, 0, 0, 0},
      {"unplug-after 7", Kind::kUnplugAfter, 7, 0, 0, 0},
      {"clear-faults", Kind::kClearFaults, 0, 0, 0, 0},
      {"dump", Kind::kDump, 0, 0, 0, 0},
      {"stats", Kind::kStats, 0, 0, 0, 0},
      {"quit", Kind::kQuit, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    std::string error;
    auto command = sim::ParseControlCommand(c.line, &error);
    ASSERT_TRUE(command) << c.line << ": " << error;
    EXPECT_EQ(command->kind, c.kind) << c.line;
    EXPECT_EQ(command->count, c.count) << c.line;
    EXPECT_EQ(command->status, c.status) << c.line;
    EXPECT_EQ(command->code, c.code) << c.line;
    EXPECT_EQ(command->latencyUs, c.latencyUs) << c.line;
  }
}

TEST(sim_control_command, RefusesMalformedLines) {
  for (const char* line : {"",
                           "   ",
                           "jump",
                           "plug now",
                           "drop",
                           "drop -1",
                           "drop 1x",
                           "drop 99999999999",
                           "status 00 1",
                           "status ff",
                           "status ff -2",
                           "event",
                           "event 0x12345",
                           "event party",
                           "event 0x",
                           "latency",
                           "latency -1",
                           "latency abc",
                           "latency nan",
                           "latency 1e9",
                           "unplug-after",
                           "dump all"}) {
    std::string error;
    EXPECT_FALSE(sim::ParseControlCommand(line, &error)) << "'" << line << "'";
    EXPECT_NE(error, "") << line;
  }
}

TEST(sim_command_line, ServeOptionsAndOverrides) {
  std::string error;
  auto line = sim::ParseCommandLine(
      {"--dir", "/d", "--state", "/s", "--name", "kb", "--firmware", "0x0107", "--macro-units",
       "64", "--effects", "3,1,2", "--trace", "/t", "--control", "/c"},
      &error);
  ASSERT_TRUE(line) << error;
  EXPECT_EQ(line->mode, sim::CommandLine::Mode::kServe);
  EXPECT_EQ(line->name, "kb");
  EXPECT_EQ(line->overrides.firmware, 0x0107);
  EXPECT_EQ(line->overrides.macroUnits, 64);
  EXPECT_EQ(line->overrides.effects, (std::vector<uint8_t>{3, 1, 2}));
  EXPECT_EQ(line->tracePath, "/t");
  EXPECT_EQ(line->controlPath, "/c");

  auto plain = sim::ParseCommandLine({"--dir", "/d", "--state", "/s"}, &error);
  ASSERT_TRUE(plain) << error;
  EXPECT_FALSE(plain->overrides.Any());
}

TEST(sim_command_line, RefusesBadArguments) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"--dir", "/d"},
      {"--dir", "/d", "--state"},
      {"--dir", "/d", "--state", "/s", "--macro-units", "0"},
      {"--dir", "/d", "--state", "/s", "--macro-units", "256"},
      {"--dir", "/d", "--state", "/s", "--firmware", "0x10000"},
      {"--dir", "/d", "--state", "/s", "--effects", "1,,2"},
      {"--dir", "/d", "--state", "/s", "--effects", "0"},
      {"--dir", "/d", "--state", "/s", "--effects", "1,256"},
      {"--dir", "/d", "--state", "/s", "--name", ".hidden"},
      {"--dir", "/d", "--state", "/s", "--name", "a/b"},
      {"--dir", "/d", "--state", "/s", "--colour", "red"},
      {"--dump"},
      {"--send", "stats"},
  };
  for (const auto& arguments : cases) {
    std::string error;
    EXPECT_FALSE(sim::ParseCommandLine(arguments, &error)) << testing::PrintToString(arguments);
    EXPECT_NE(error, "");
  }
  std::string error;
  auto effects = std::vector<std::string>{"--dir", "/d", "--state", "/s", "--effects"};
  std::string many;
  for (int i = 1; i <= 33; ++i) many += (i > 1 ? "," : "") + std::to_string(i);
  effects.push_back(many);
  EXPECT_FALSE(sim::ParseCommandLine(effects, &error));
}

}  // namespace
