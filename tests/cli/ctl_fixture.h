// A simulated keyboard process of the test's own, quorvanectl run against
// it as a user runs it, and the keyboard's state read back through the
// simulator's dump.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/sim_process.h"

namespace clitest {

class CtlFixture : public ::testing::Test {
 protected:
  CtlFixture() : sim(folder.path() + "/sim", "kbd", StatePath()) {}

  std::string StatePath() const { return folder.path() + "/kbd.state"; }
  std::vector<std::string> Environment() const {
    return {"CORVIAL_SIM_DIR=" + folder.path() + "/sim", "XDG_DATA_HOME=" + folder.path() + "/data",
            "XDG_CONFIG_HOME=" + folder.path() + "/config", "LC_ALL=en_US.UTF-8"};
  }
  testsupport::RunResult Ctl(const std::vector<std::string>& arguments) const {
    std::vector<std::string> all = {testsupport::ProgramPath("quorvanectl")};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return testsupport::RunProgram(all, Environment());
  }
  // quorvanectl with its standard input read from `inputFile`.
  testsupport::RunResult CtlWithInput(const std::vector<std::string>& arguments,
                                      const std::string& inputFile) const {
    std::string command = "exec \"$0\"";
    for (std::size_t i = 0; i < arguments.size(); ++i)
      command += " \"$" + std::to_string(i + 1) + "\"";
    command += " < \"$" + std::to_string(arguments.size() + 1) + "\"";
    std::vector<std::string> all = {"/bin/sh", "-c", command,
                                    testsupport::ProgramPath("quorvanectl")};
    all.insert(all.end(), arguments.begin(), arguments.end());
    all.push_back(inputFile);
    return testsupport::RunProgram(all, Environment());
  }
  std::string Dump() const {
    return testsupport::RunProgram(
               {testsupport::ProgramPath("quorvane-simkbd"), "--state", StatePath(), "--dump"})
        .out;
  }
  // The three key maps, as hex strings.
  std::vector<std::string> KeyMaps() const { return HexList(Dump(), "keymaps"); }
  std::string MacroArea() const { return HexField(Dump(), "macro_area"); }
  // The lighting area: the three 42-byte records, as one hex string.
  std::string Lighting() const { return HexField(Dump(), "lighting"); }
  // The three hex bytes of key-map position `index`.
  static std::string EntryOf(const std::string& map, int index) {
    return map.substr(static_cast<std::size_t>(index) * 6, 6);
  }

  // The hex strings of a list field of the dump: "key":["..","..",..].
  static std::vector<std::string> HexList(const std::string& dump, const std::string& key) {
    std::vector<std::string> values;
    std::size_t at = dump.find("\"" + key + "\":[");
    if (at == std::string::npos) return values;
    const std::size_t end = dump.find(']', at);
    at = dump.find('"', at + key.size() + 3);
    while (at != std::string::npos && at < end) {
      const std::size_t close = dump.find('"', at + 1);
      values.push_back(dump.substr(at + 1, close - at - 1));
      at = dump.find('"', close + 1);
    }
    return values;
  }
  // A hex string field of the dump: "key":"..".
  static std::string HexField(const std::string& dump, const std::string& key) {
    const std::string marker = "\"" + key + "\":\"";
    const std::size_t at = dump.find(marker);
    if (at == std::string::npos) return "";
    const std::size_t start = at + marker.size();
    return dump.substr(start, dump.find('"', start) - start);
  }

  testsupport::TempFolder folder;
  testsupport::SimProcess sim;
};

// The macro area holding one macro "AB": the header and its one offset, the
// record (two actions, repeat 1, a name of two units), a press of A with
// 120 ms to the next event, the release of A, and the name.
inline constexpr const char* kAbMacroArea =
    "aa55220001000100000000000000000012000200010"
    "20ca00204002002044100"
    "4200";  // "AB"

// Key-map positions of the simulated keyboard (its factory map).
inline constexpr int kPositionA = 19;
inline constexpr int kPositionS = 27;
inline constexpr int kPositionD = 35;

}  // namespace clitest
