// Skin layout files: rectangles, their defaults, and where image buttons go.
#include "skin/skin_layout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/support/sim_process.h"

namespace {

using skin::SkinRect;

TEST(SkinLayoutTest, RectanglesReadLikeFourIntegersWithDefinedGaps) {
  const struct {
    const char* text;
    SkinRect rect;
  } cases[] = {
      {"10,20,40,20", {10, 20, 40, 20}},
      {" 10, 20 ,40,20", {10, 20, 1, 1}},  // a blank before a comma ends the numbers
      {"10,20,40,20,extra", {10, 20, 40, 20}},
      {"1,1,1,1,x", {1, 1, 1, 1}},
      {"-5,+7,3,4", {-5, 7, 3, 4}},
      {"10,20", {10, 20, 1, 1}},
      {"10,x,30,40", {10, 1, 1, 1}},
      {"abc", {1, 1, 1, 1}},
      {"", {1, 1, 1, 1}},
      {"99999999999999,2,3,4", {1000000000, 2, 3, 4}},
  };
  for (const auto& c : cases) EXPECT_EQ(skin::ParseSkinRect(c.text), c.rect) << c.text;
}

class SkinFileTest : public ::testing::Test {
 protected:
  SkinFileTest() : path(folder.path() + "/Skins/Main.ini") {
    std::filesystem::create_directories(folder.path() + "/Skins");
    std::ofstream(path) << "[SCREEN]\nMain=main_normal.jpg\nLink=https://example.org/\n"
                           "[BUTTONINFO]\nCONTROL_OK=10,20,40,20\nAT_ONE=1,1,40,20\n"
                           "[BUTTONINFO2]\nLEFT_ARROW=300,400,1,1\n";
  }
  testsupport::TempFolder folder;
  std::string path;
};

TEST_F(SkinFileTest, ImageButtonsTakeTheirRectangleAndAreDisabledAtOneOne) {
  const auto ok = skin::PlaceImageButton(path, "BUTTONINFO", "CONTROL_OK");
  EXPECT_EQ(ok.rect, (SkinRect{10, 20, 40, 20}));
  EXPECT_EQ(ok.originX, 10);
  EXPECT_EQ(ok.originY, 20);
  EXPECT_TRUE(ok.enabled);

  const auto atOne = skin::PlaceImageButton(path, "BUTTONINFO", "AT_ONE");
  EXPECT_EQ(atOne.rect, (SkinRect{1, 1, 40, 20}));
  EXPECT_FALSE(atOne.enabled);

  for (const auto& missing :
       {skin::PlaceImageButton(path, "BUTTONINFO", "NO_SUCH_KEY"),
        skin::PlaceImageButton(folder.path() + "/none.ini", "BUTTONINFO", "CONTROL_OK")}) {
    EXPECT_EQ(missing.rect, (SkinRect{1, 1, 1, 1}));
    EXPECT_FALSE(missing.enabled);
  }
}

TEST_F(SkinFileTest, AnImageOriginComesFromTheSecondKey) {
  const auto placed =
      skin::PlaceWithImageOrigin(path, "BUTTONINFO", "CONTROL_OK", "BUTTONINFO2", "LEFT_ARROW");
  EXPECT_EQ(placed.rect, (SkinRect{10, 20, 40, 20}));
  EXPECT_EQ(placed.originX, 300);
  EXPECT_EQ(placed.originY, 400);
}

TEST_F(SkinFileTest, TheScreenNamesBackgroundMaskAndLink) {
  const skin::ScreenImages screen = skin::ReadScreen(path);
  EXPECT_EQ(screen.background, "main_normal.jpg");
  EXPECT_EQ(screen.mask, "main_normal.jpg") << "the mask defaults to the background";
  EXPECT_EQ(screen.link, "https://example.org/");
  EXPECT_EQ(skin::SkinFolderOf(path), folder.path() + "/Skins");
  const skin::ScreenImages none = skin::ReadScreen(folder.path() + "/none.ini");
  EXPECT_TRUE(none.background.empty());
  EXPECT_TRUE(none.mask.empty());
}

TEST_F(SkinFileTest, TheValueReaderGivesNothingForEmptyValuesAndWrites) {
  const skin::CIniFile file(path);
  EXPECT_EQ(file.Read("SCREEN", "Main"), "main_normal.jpg");
  EXPECT_EQ(file.Read("SCREEN", "Mask"), std::nullopt);
  ASSERT_TRUE(file.Write("SCREEN", "Mask", "main_mask.bmp"));
  EXPECT_EQ(skin::ReadScreen(path).mask, "main_mask.bmp");
  EXPECT_EQ(skin::CIniFile(std::string(400, 'p')).path().size(), 259u);
}

}  // namespace
