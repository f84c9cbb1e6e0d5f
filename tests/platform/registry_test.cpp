// The per-user registry file: typed values, and no value lost to a bad file.
#include "platform/registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "platform/file_io.h"
#include "tests/support/sim_process.h"

namespace {

constexpr const char* kKey = "Software\\M710LTX_204-Q";

class RegistryTest : public ::testing::Test {
 protected:
  std::string path() const { return folder.path() + "/config/quorvane/registry.reg"; }
  testsupport::TempFolder folder;
};

TEST_F(RegistryTest, ValuesKeepTheirTypes) {
  platform::Registry registry(path());
  ASSERT_TRUE(registry.WriteDword(kKey, "dwLanguageId", 0x040C));
  ASSERT_TRUE(registry.WriteString("Software\\Quorvane_Tavinor\\Quorvane\\PROFILES", "PROFILE01",
                                   "/home/u/My \"best\" \\ profile.fwc"));
  EXPECT_EQ(registry.ReadDword(kKey, "DWLANGUAGEID"), 0x040Cu);
  EXPECT_EQ(registry.TypeOf(kKey, "dwLanguageId"), platform::RegistryType::kDword);
  EXPECT_EQ(registry.ReadString(kKey, "dwLanguageId"), std::nullopt);
  EXPECT_EQ(registry.ReadString("software\\quorvane_tavinor\\quorvane\\profiles", "PROFILE01"),
            "/home/u/My \"best\" \\ profile.fwc");
  EXPECT_EQ(registry.TypeOf(kKey, "missing"), platform::RegistryType::kMissing);

  ASSERT_TRUE(registry.WriteDword(kKey, "dwLanguageId", 7));
  ASSERT_TRUE(registry.DeleteValue(kKey, "nothing"));
  std::string content;
  platform::ReadWholeFile(path(), &content);
  EXPECT_EQ(content,
            "Windows Registry Editor Version 5.00\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\M710LTX_204-Q]\n"
            "\"dwLanguageId\"=dword:00000007\n"
            "\n"
            "[HKEY_CURRENT_USER\\Software\\Quorvane_Tavinor\\Quorvane\\PROFILES]\n"
            "\"PROFILE01\"=\"/home/u/My \\\"best\\\" \\\\ profile.fwc\"\n");
}

TEST_F(RegistryTest, LinesItDoesNotUnderstandAreKeptAndDoNotHideOtherValues) {
  platform::EnsureFolder(platform::FolderOf(path()));
  std::ofstream(path()) << "Windows Registry Editor Version 5.00\n"
                           "\n"
                           "[HKEY_CURRENT_USER\\Software\\M710LTX_204-Q]\n"
                           "garbage without quotes\n"
                           "\"binary\"=hex:01,02\n"
                           "\"broken\"=dword:xyz\n"
                           "\"unterminated=\"\n"
                           "\"Flip\"=dword:00000001\n";
  platform::Registry registry(path());
  EXPECT_EQ(registry.ReadDword(kKey, "Flip"), 1u);
  EXPECT_EQ(registry.TypeOf(kKey, "binary"), platform::RegistryType::kOther);
  EXPECT_EQ(registry.ReadDword(kKey, "broken"), std::nullopt);
  ASSERT_TRUE(registry.WriteDword(kKey, "broken", 3));
  EXPECT_EQ(registry.ReadDword(kKey, "broken"), 3u);
  EXPECT_EQ(registry.ReadDword(kKey, "Flip"), 1u);
  std::string content;
  platform::ReadWholeFile(path(), &content);
  EXPECT_NE(content.find("garbage without quotes\n"), std::string::npos);
  EXPECT_NE(content.find("\"binary\"=hex:01,02\n"), std::string::npos);
}

TEST_F(RegistryTest, AnUnreadableFileIsNeverOverwritten) {
  ASSERT_TRUE(platform::EnsureFolder(path()));  // a folder where the file belongs
  platform::Registry registry(path());
  EXPECT_EQ(registry.ReadDword(kKey, "x"), std::nullopt);
  EXPECT_FALSE(registry.WriteDword(kKey, "x", 1));
  EXPECT_FALSE(registry.CreateKey(kKey));
}

TEST_F(RegistryTest, AFolderThatCannotBeCreatedOnlyFailsTheWrites) {
  const std::string blocker = folder.path() + "/file";
  std::ofstream(blocker) << "x";
  platform::Registry registry(blocker + "/quorvane/registry.reg");
  EXPECT_FALSE(registry.WriteDword(kKey, "x", 1));
  EXPECT_EQ(registry.ReadDword(kKey, "x"), std::nullopt);
}

}  // namespace
