// The simulator as a process: endpoints, control socket, trace, state file.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <memory>

#include "sim/byte_order.h"
#include "sim/hex.h"
#include "sim/report_packet.h"
#include "tests/sim/process_test_support.h"

namespace {

using namespace simtest;
using sim::MakeRequest;

std::vector<uint8_t> Bytes(const sim::Report& report) {
  return {report.begin(), report.end()};
}

// Closes a descriptor when the test ends.
struct Fd {
  explicit Fd(int value) : fd(value) {}
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
  int fd;
};

class sim_process : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(temp_.path().empty());
    dir_ = temp_.path() + "/watch";
    folder_ = dir_ + "/kb";
    control_ = dir_ + "/.kb.control";
    state_ = temp_.path() + "/state.txt";
    trace_ = temp_.path() + "/trace.txt";
    stderr_ = temp_.path() + "/stderr.txt";
  }

  void Start(std::vector<std::string> extra = {}) {
    std::vector<std::string> arguments = {"--dir",  dir_, "--state", state_,
                                          "--name", "kb", "--trace", trace_};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    child_ = std::make_unique<Child>(arguments, stderr_);
    auto line = child_->WaitForLine("plugged ");
    ASSERT_TRUE(line) << ReadFile(stderr_);
    EXPECT_EQ(*line, "plugged " + folder_);
  }

  int Connect(const char* interface) { return ConnectReports(folder_ + "/" + interface); }

  // A request and its reply over a fresh connection.
  std::vector<uint8_t> Transact(const sim::Report& request) {
    Fd cfg(Connect("cfg"));
    EXPECT_GE(cfg.fd, 0);
    EXPECT_TRUE(SendReport(cfg.fd, Bytes(request)));
    return ReceiveReport(cfg.fd).report;
  }

  std::string Dump() {
    auto finished = RunProgram({"--state", state_, "--dump"});
    EXPECT_EQ(finished.status, 0);
    return finished.out;
  }

  TempDir temp_;
  std::string dir_, folder_, control_, state_, trace_, stderr_;
  std::unique_ptr<Child> child_;
};

TEST_F(sim_process, PlugsInAsTheLayoutDescribes) {
  Start();
  EXPECT_EQ(ReadFile(folder_ + "/device"),
            "vendor 0c45\nproduct 5004\ninterface cfg ff1c 0092\ninterface cons 000c 0001\n"
            "interface led 0008 0089\n");
  for (const char* entry : {"/.kb.tmp", "/.kb.gone"}) EXPECT_FALSE(Exists(dir_ + entry));
  struct stat info;
  ASSERT_EQ(::stat(control_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  ASSERT_EQ(::stat(dir_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(sim_process, RepliesGoToEveryConfigClient) {
  Start();
  Fd asking(Connect("cfg"));
  Fd watching(Connect("cfg"));
  ASSERT_GE(asking.fd, 0);
  ASSERT_GE(watching.fd, 0);
  EXPECT_EQ(Control(control_, "stats"), "ok received=0 replied=0");
  ASSERT_TRUE(SendReport(asking.fd, Bytes(MakeRequest(sim::kReadSettingsBlock, 44, 0))));
  for (int fd : {asking.fd, watching.fd}) {
    auto reply = ReceiveReport(fd).report;
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[0], 4);
    EXPECT_EQ(reply[3], sim::kReadSettingsBlock);
    EXPECT_EQ(reply[4], 44);
    EXPECT_EQ(reply[7], sim::kStatusOk);
    EXPECT_EQ(sim::GetU16Le(reply, 1), sim::PacketSum(std::span<const uint8_t, 64>(reply)));
    EXPECT_EQ(sim::GetU16Le(reply, 8 + 8), 0x0108);
    EXPECT_EQ(reply[8 + 11], 32);
  }
  EXPECT_EQ(Control(control_, "stats"), "ok received=1 replied=1");
}

TEST_F(sim_process, DumpReadsTheSavedStateWhileRunning) {
  Start();
  std::vector<uint8_t> entries = {0x02, 0x02, 0x04, 0x06, 0xA2, 0x01};
  auto reply = Transact(MakeRequest(sim::kWriteKeyMap, 6, 378 + 30, entries));
  ASSERT_EQ(reply.size(), 64u);
  ASSERT_EQ(reply[7], sim::kStatusOk);

  std::string dump = Dump();
  EXPECT_EQ(dump.back(), '\n');
  EXPECT_EQ(dump.find('\n'), dump.size() - 1);
  // Same object as the running keyboard's own.
  EXPECT_EQ("ok " + dump.substr(0, dump.size() - 1), Control(control_, "dump"));
  size_t second = dump.find("\"keymaps\":[\"");
  ASSERT_NE(second, std::string::npos);
  second = dump.find("\",\"", second) + 3;
  EXPECT_EQ(dump.substr(second + 60, 12), sim::ToHex(entries));
  for (const char* key : {"\"firmware\":264,", "\"active_profile\":0,", "\"macro_units\":32,",
                          "\"settings\":\"", "\"default_matrix\":\"", "\"macro_area\":\"",
                          "\"lighting\":\"", "\"key_colours\":[\"", "\"indicator\":\""}) {
    EXPECT_NE(dump.find(key), std::string::npos) << key;
  }
}

TEST_F(sim_process, TraceRecordsEveryReportInOrder) {
  Start();
  Fd cons(Connect("cons"));
  Fd led(Connect("led"));
  auto request = MakeRequest(sim::kReadLightingArea, 56, 42);
  auto reply = Transact(request);
  ASSERT_EQ(reply.size(), 64u);
  ASSERT_TRUE(SendReport(led.fd, {0x05, 0x03}));
  ASSERT_TRUE(WaitUntil([&] { return ReadFile(trace_).find("> led") != std::string::npos; }));
  ASSERT_EQ(Control(control_, "event bank"), "ok");

  std::string expected = "> cfg " + sim::ToHex(request) + "\n< cfg " + sim::ToHex(reply) +
                         "\n> led 0503\n< cons ff02\n";
  EXPECT_EQ(ReadFile(trace_), expected);
  // The indicator is part of the saved state.
  EXPECT_NE(Dump().find("\"indicator\":\"0503\""), std::string::npos);
}

TEST_F(sim_process, ControlUnplugPlugAndEvents) {
  Start();
  Fd cons(Connect("cons"));
  Fd cfg(Connect("cfg"));
  ASSERT_GE(cons.fd, 0);
  ASSERT_EQ(Control(control_, "event bank"), "ok");
  EXPECT_EQ(ReceiveReport(cons.fd).report, (std::vector<uint8_t>{0xFF, 0x02}));
  ASSERT_EQ(Control(control_, "event 0x1811"), "ok");
  EXPECT_EQ(ReceiveReport(cons.fd).report, (std::vector<uint8_t>{0x11, 0x18}));

  ASSERT_EQ(Control(control_, "unplug"), "ok");
  EXPECT_FALSE(Exists(folder_));
  EXPECT_TRUE(ReceiveReport(cons.fd).hungUp);
  EXPECT_TRUE(ReceiveReport(cfg.fd).hungUp);
  EXPECT_EQ(Control(control_, "event bank").rfind("error ", 0), 0u);

  ASSERT_EQ(Control(control_, "plug"), "ok");
  EXPECT_TRUE(child_->WaitForLine("plugged "));
  auto reply = Transact(MakeRequest(sim::kTestCommand, 0, 0));
  ASSERT_EQ(reply.size(), 64u);
  EXPECT_EQ(reply[7], sim::kStatusOk);
  EXPECT_EQ(Control(control_, "frobnicate").rfind("error ", 0), 0u);
}

TEST_F(sim_process, BootRequestAndUnplugFaultDisconnectUntilPlug) {
  Start();
  Fd cfg(Connect("cfg"));
  ASSERT_TRUE(SendReport(cfg.fd, Bytes(sim::MakeBootRequest())));
  EXPECT_TRUE(ReceiveReport(cfg.fd).hungUp);
  EXPECT_FALSE(Exists(folder_));
  ASSERT_EQ(Control(control_, "plug"), "ok");
  ASSERT_TRUE(child_->WaitForLine("plugged "));
  EXPECT_EQ(Transact(MakeRequest(sim::kTestCommand, 0, 0)).size(), 64u);

  ASSERT_EQ(Control(control_, "unplug-after 1"), "ok");
  Fd again(Connect("cfg"));
  ASSERT_TRUE(SendReport(again.fd, Bytes(MakeRequest(sim::kTestCommand, 0, 0))));
  EXPECT_TRUE(ReceiveReport(again.fd).hungUp);
  EXPECT_FALSE(Exists(folder_));
  EXPECT_EQ(Control(control_, "stats"), "ok received=3 replied=1");
}

TEST_F(sim_process, ReplyFaultsOverTheControlSocket) {
  Start();
  ASSERT_EQ(Control(control_, "status fe 1"), "ok");
  EXPECT_EQ(Transact(MakeRequest(sim::kTestCommand, 0, 0)).at(7), sim::kStatusBadArgument);
  ASSERT_EQ(Control(control_, "wrong 1"), "ok");
  EXPECT_EQ(Transact(MakeRequest(sim::kConfigBegin, 0, 0)).at(3), sim::kTestCommand);
  EXPECT_EQ(Control(control_, "config"), "ok open");
  ASSERT_EQ(Control(control_, "drop 1"), "ok");
  Fd cfg(Connect("cfg"));
  ASSERT_TRUE(SendReport(cfg.fd, Bytes(MakeRequest(sim::kConfigEnd, 0, 0))));
  EXPECT_TRUE(ReceiveReport(cfg.fd, std::chrono::milliseconds(300)).timedOut);
  // Carried out all the same.
  EXPECT_TRUE(WaitUntil([&] { return Control(control_, "config") == "ok closed"; }));
  ASSERT_EQ(Control(control_, "latency 0.5"), "ok");
  ASSERT_EQ(Control(control_, "drop 1"), "ok");
  ASSERT_EQ(Control(control_, "clear-faults"), "ok");
  EXPECT_EQ(Transact(MakeRequest(sim::kTestCommand, 0, 0)).at(7), sim::kStatusOk);
}

TEST_F(sim_process, SigtermUnplugsAndRemovesEverything) {
  Start();
  Fd cfg(Connect("cfg"));
  EXPECT_EQ(child_->Stop(SIGTERM), 0);
  EXPECT_FALSE(Exists(folder_));
  EXPECT_FALSE(Exists(control_));
  EXPECT_TRUE(ReceiveReport(cfg.fd).hungUp);
  EXPECT_TRUE(Exists(state_));
}

TEST_F(sim_process, StateSurvivesAKilledRunAndOverridesAreSaved) {
  Start();
  std::vector<uint8_t> macro = {0xAA, 0x55, 0x14, 0x00, 0x01, 0x00, 0x00, 0x00, 0x11, 0x22};
  ASSERT_EQ(Transact(MakeRequest(sim::kWriteMacroArea, 10, 0, macro)).at(7), sim::kStatusOk);
  // A killed run leaves its folder and control socket behind.
  EXPECT_EQ(child_->Stop(SIGKILL), 128 + SIGKILL);
  ASSERT_TRUE(Exists(folder_));

  Start({"--firmware", "0x0107", "--macro-units", "2"});
  auto read = Transact(MakeRequest(sim::kReadMacroArea, 10, 0));
  ASSERT_EQ(read.size(), 64u);
  EXPECT_EQ(std::vector<uint8_t>(read.begin() + 8, read.begin() + 18), macro);
  auto settings = Transact(MakeRequest(sim::kReadSettingsBlock, 44, 0));
  ASSERT_EQ(settings.size(), 64u);
  EXPECT_EQ(sim::GetU16Le(settings, 8 + 8), 0x0107);
  EXPECT_EQ(settings[8 + 11], 2);
  EXPECT_EQ(child_->Stop(SIGINT), 0);

  std::string dump = Dump();
  EXPECT_NE(dump.find("\"firmware\":263,"), std::string::npos);
  EXPECT_NE(dump.find("\"macro_units\":2,"), std::string::npos);
  EXPECT_NE(dump.find("\"macro_area\":\"aa5514000100000011220000"), std::string::npos);
}

TEST_F(sim_process, DamagedStateFileIsUsedAsFarAsItGoes) {
  {
    std::ofstream out(state_);
    out << "quorvane-simkbd state 1\nkeymap0 zz\nindicator 0501\n";
  }
  Start();
  EXPECT_NE(ReadFile(stderr_).find("warning"), std::string::npos);
  EXPECT_EQ(Transact(MakeRequest(sim::kReadKeyMap, 3, 18)).at(8 + 2), 0x40);
  EXPECT_NE(Control(control_, "dump").find("\"indicator\":\"0501\""), std::string::npos);
}

TEST_F(sim_process, ClientModeAndDumpErrors) {
  Start();
  auto stats = RunProgram({"--control", control_, "--send", "stats"});
  EXPECT_EQ(stats.status, 0);
  EXPECT_EQ(stats.out, "received=0 replied=0\n");
  auto plain = RunProgram({"--control", control_, "--send", "drop 0"});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.out, "");
  EXPECT_EQ(RunProgram({"--control", control_, "--send", "bogus"}).status, 1);
  EXPECT_EQ(RunProgram({"--control", dir_ + "/.none", "--send", "stats"}).status, 1);
  EXPECT_EQ(RunProgram({"--state", temp_.path() + "/missing", "--dump"}).status, 1);

  // A second simulator may not take over a live keyboard.
  Child second({"--dir", dir_, "--state", temp_.path() + "/other", "--name", "kb"}, stderr_);
  EXPECT_EQ(second.Stop(0), 1);
  EXPECT_TRUE(Exists(folder_ + "/cfg"));

  auto quit = RunProgram({"--control", control_, "--send", "quit"});
  EXPECT_EQ(quit.status, 0);
  EXPECT_EQ(child_->Stop(0), 0);
  EXPECT_FALSE(Exists(folder_));
}

}  // namespace
