// quorvanectl profile, keys, export and import end to end: the real tool,
// libCorvial.so and a simulator process, with the keyboard's state checked
// through the simulator's own dump.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/file_io.h"
#include "tests/cli/ctl_fixture.h"
#include "tests/profiles/profile_bytes.h"
#include "tests/support/sim_process.h"

namespace {

class TransferCliTest : public clitest::CtlFixture {};

TEST_F(TransferCliTest, ImportingAHandBuiltProfileFileProgramsTheKeyboard) {
  std::vector<uint8_t> file = profiletest::HeaderOnlyFile(1, 0);
  profiletest::PutU16(file, profiletest::EntryAt(0, 0x1E), 2);  // A sends B
  profiletest::PutU32(file, profiletest::EntryAt(0, 0x1E) + 4, 0x030);
  profiletest::PutU16(file, profiletest::EntryAt(1, 0x1F), 1);  // S does nothing
  profiletest::PutU16(file, profiletest::EntryAt(2, 0x20), 4);  // D plays macro 1
  profiletest::PutU32(file, profiletest::EntryAt(2, 0x20) + 4, 1);
  std::vector<uint8_t> macro(16512, 0);
  profiletest::PutU16(macro, 0, 'A');
  profiletest::PutU16(macro, 2, 'B');
  macro[500] = 1;
  profiletest::PutU16(macro, 506, 1);
  profiletest::PutU16(macro, 508, 2);
  profiletest::PutU32(macro, 512, 120);
  profiletest::PutU16(macro, 516, 0x1E);
  profiletest::PutU16(macro, 524, 0x1E);
  profiletest::PutU16(macro, 526, 1);
  file.insert(file.end(), macro.begin(), macro.end());
  const std::string path = folder.path() + "/hand.fwc";
  ASSERT_TRUE(platform::ReplaceFileAtomically(path, std::string(file.begin(), file.end())));

  const auto run = Ctl({"import", path});
  ASSERT_EQ(run.status, 0) << run.err;
  const std::string dump = Dump();
  const auto maps = HexList(dump, "keymaps");
  ASSERT_EQ(maps.size(), 3u) << dump;
  EXPECT_EQ(maps[0].substr(19 * 6, 6), "020205");
  EXPECT_EQ(maps[1].substr(27 * 6, 6), "000000");
  EXPECT_EQ(maps[2].substr(35 * 6, 6), "050100");
  EXPECT_EQ(HexField(dump, "macro_area"), clitest::kAbMacroArea);

  const auto keys = Ctl({"keys", "--profile", "2"});
  EXPECT_EQ(keys.status, 0) << keys.err;
  EXPECT_NE(keys.out.find("D – reassigned (macro: AB)"), std::string::npos) << keys.out;
}

TEST_F(TransferCliTest, ExportOfAFreshKeyboardGivesAnEmptyProfileFile) {
  const std::string path = folder.path() + "/fresh.fwc";
  const auto run = Ctl({"export", path});
  ASSERT_EQ(run.status, 0) << run.err;
  std::string file;
  ASSERT_EQ(platform::ReadWholeFile(path, &file), platform::ReadStatus::kOk);
  ASSERT_EQ(file.size(), 32832u);
  const std::string start("\x46\x44\x20\x00\x03\x00\x01\x00\x40\x80\x00\x00\x00\x08\x00\x00", 16);
  EXPECT_EQ(file.substr(0, 16), start);
  EXPECT_EQ(static_cast<uint8_t>(file[31]), 0x76);
  EXPECT_EQ(file.substr(32, 4), std::string("KH\x20\x00", 4));

  // And it goes back in unchanged.
  const std::string before = Dump();
  EXPECT_EQ(Ctl({"import", path}).status, 0);
  EXPECT_EQ(HexList(Dump(), "keymaps"), HexList(before, "keymaps"));
}

TEST_F(TransferCliTest, AnInvalidFileIsRefusedAndTheKeyboardStaysAsItWas) {
  std::vector<uint8_t> file = profiletest::HeaderOnlyFile(0, 0);
  file[4] = 9;  // a wrong field, checksum left as it was
  const std::string path = folder.path() + "/bad.fwc";
  ASSERT_TRUE(platform::ReplaceFileAtomically(path, std::string(file.begin(), file.end())));
  const std::string before = Dump();
  const auto run = Ctl({"import", path});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(
      run.err,
      "quorvanectl: The file " + path +
          " is not a valid profile file.\n"
          "quorvanectl: The profile could not be imported. Your current settings have not been "
          "changed.\n");
  EXPECT_EQ(Dump(), before);
}

TEST_F(TransferCliTest, TheActiveProfileCanBeShownAndSwitched) {
  EXPECT_EQ(Ctl({"profile"}).out, "0\n");
  EXPECT_EQ(Ctl({"profile", "2"}).status, 0);
  EXPECT_EQ(Ctl({"profile"}).out, "2\n");
  const auto refused = Ctl({"profile", "3"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(
      refused.err,
      "quorvanectl: The keyboard has only three profiles. This profile cannot be selected.\n");
  EXPECT_EQ(Ctl({"profile", "two"}).status, 2);
  EXPECT_EQ(Ctl({"profile"}).out, "2\n");
}

}  // namespace
