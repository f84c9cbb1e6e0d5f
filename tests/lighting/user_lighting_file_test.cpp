// The user lighting files: defaults for whatever is missing, the key entry
// format, and restoring a profile's file from the factory file.
#include "lighting/user_lighting_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_io.h"
#include "tests/support/sim_process.h"

namespace {

using lighting::MakeColour;

class UserLightingFileTest : public ::testing::Test {
 protected:
  UserLightingFileTest() {
    platform::EnsureFolder(folder.path() + "/profiles");
    platform::EnsureFolder(folder.path() + "/Skins");
  }
  void Put(int slot, const std::string& text) {
    ASSERT_TRUE(platform::ReplaceFileAtomically(files.UserFilePath(slot), text));
  }
  std::string Content(int slot) const {
    std::string content;
    platform::ReadWholeFile(files.UserFilePath(slot), &content);
    return content;
  }
  void ExpectDefaults(int slot) const {
    EXPECT_EQ(files.ReadLayoutInUse(slot), 0);
    for (int layout = 0; layout < lighting::kUserLayouts; ++layout) {
      EXPECT_EQ(files.ReadLayoutName(slot, layout), "0");
      const auto key = files.ReadKey(slot, layout, 57);
      EXPECT_EQ(key.colour, MakeColour(255, 0, 0));
      EXPECT_TRUE(key.marked);
      const auto tools = files.ReadTools(slot, layout);
      EXPECT_EQ(tools.tool, 0);
      EXPECT_EQ(tools.baseColour, 0u);
      EXPECT_EQ(tools.brushColour, 0u);
    }
  }

  testsupport::TempFolder folder;
  lighting::UserLightingFiles files{folder.path() + "/profiles", folder.path()};
};

TEST_F(UserLightingFileTest, FileNamesFollowTheSlot) {
  EXPECT_EQ(files.UserFilePath(1), folder.path() + "/profiles/UserDengColor_1.userd");
  EXPECT_EQ(files.FactoryFilePath(), folder.path() + "/Skins/UserDengColor_3.userd");
}

TEST_F(UserLightingFileTest, MissingFileSectionOrKeyGivesTheDefaults) {
  ExpectDefaults(0);  // no file at all
  Put(1, "[PRESENTMODE]\nother=3\n[Mode2]\n12=1,2,3,0\n");
  ExpectDefaults(1);  // the file lacks every key asked for
}

TEST_F(UserLightingFileTest, KeyEntriesReadAsColourAndMark) {
  struct Case {
    const char* text;
    lighting::Colour colour;
    bool marked;
  };
  const Case cases[] = {
      {"0,0,255,0", MakeColour(0, 0, 255), false}, {"10,20,30,5", MakeColour(10, 20, 30), true},
      {"300,-4,7,1", MakeColour(255, 0, 7), true},  // clamped, not spilled into G
      {"1,2", MakeColour(1, 2, 0), true},           // the rest keeps the default
      {"rubbish", MakeColour(255, 0, 0), true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.text);
    Put(2, std::string("[Mode4]\n57=") + test.text + "\n");
    const auto key = files.ReadKey(2, 4, 57);
    EXPECT_EQ(key.colour, test.colour);
    EXPECT_EQ(key.marked, test.marked);
  }
}

TEST_F(UserLightingFileTest, LayoutInUseIsReadWithinTheTenLayouts) {
  Put(0, "[PRESENTMODE]\nmode=7\n");
  EXPECT_EQ(files.ReadLayoutInUse(0), 7);
  Put(0, "[PRESENTMODE]\nmode=12\n");
  EXPECT_EQ(files.ReadLayoutInUse(0), 0);
  Put(0, "[PRESENTMODE]\nmode=-1\n");
  EXPECT_EQ(files.ReadLayoutInUse(0), 0);
  ASSERT_TRUE(files.WriteLayoutInUse(0, 9));
  EXPECT_EQ(files.ReadLayoutInUse(0), 9);
}

TEST_F(UserLightingFileTest, WritesUseTheFileFormat) {
  ASSERT_TRUE(files.WriteKey(2, 3, 57, {MakeColour(10, 20, 30), true}));
  ASSERT_TRUE(files.WriteKey(2, 3, 110, {MakeColour(0, 0, 255), false}));
  ASSERT_TRUE(files.WriteTools(2, 3, {1, MakeColour(1, 2, 3), MakeColour(4, 5, 6)}));
  ASSERT_TRUE(files.WriteLayoutName(2, 3, "Evening"));
  EXPECT_EQ(Content(2),
            "[Mode3]\n57=10,20,30,1\n110=0,0,255,0\ntool=1\njcolor=1,2,3\ncolor=4,5,6\n\n"
            "[MODENAME]\n3=Evening\n");
  const auto tools = files.ReadTools(2, 3);
  EXPECT_EQ(tools.tool, 1);
  EXPECT_EQ(tools.baseColour, MakeColour(1, 2, 3));
  EXPECT_EQ(tools.brushColour, MakeColour(4, 5, 6));
  EXPECT_EQ(files.ReadLayoutName(2, 3), "Evening");
  EXPECT_EQ(files.ReadLayoutName(2, 4), "0");

  ASSERT_TRUE(files.WriteLayoutName(2, 3, std::string(300, 'n')));
  EXPECT_EQ(files.ReadLayoutName(2, 3), std::string(259, 'n'));
}

TEST_F(UserLightingFileTest, RestoreCopiesTheFactoryFileUnchanged) {
  const std::string factory = "[PRESENTMODE]\r\nmode=2\r\n[MODENAME]\r\n2=Caf\xe9\r\n";
  ASSERT_TRUE(platform::ReplaceFileAtomically(files.FactoryFilePath(), factory));
  Put(1, "[PRESENTMODE]\nmode=5\n");
  ASSERT_TRUE(files.RestoreFromFactory(1));
  EXPECT_EQ(Content(1), factory);
  EXPECT_EQ(files.ReadLayoutInUse(1), 2);
  std::string kept;
  platform::ReadWholeFile(files.FactoryFilePath(), &kept);
  EXPECT_EQ(kept, factory);
}

TEST_F(UserLightingFileTest, RestoreWithoutAFactoryFileLeavesTheDefaults) {
  Put(0, "[PRESENTMODE]\nmode=5\n[Mode0]\n57=0,0,255,0\ntool=1\njcolor=9,9,9\n");
  ASSERT_TRUE(files.RestoreFromFactory(0));
  EXPECT_EQ(Content(0), "");
  ExpectDefaults(0);
}

}  // namespace
