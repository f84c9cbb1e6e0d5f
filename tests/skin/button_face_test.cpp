// Which picture an image button shows, and where a turned caption goes.
#include "skin/button_face.h"

#include <gtest/gtest.h>

namespace {

using skin::ButtonFace;
using skin::ButtonFlags;

TEST(ButtonFaceTest, FirstMatchingStateWins) {
  const struct {
    const char* what;
    ButtonFlags flags;
    ButtonFace face;
  } cases[] = {
      {"plain", {}, ButtonFace::kNormal},
      {"disabled beats toggle", {false, true, true, true, true, true}, ButtonFace::kDisabled},
      {"toggle on", {true, true, true, true, true, true}, ButtonFace::kToggleB},
      {"toggle off beats pressed", {true, true, false, true, false, false}, ButtonFace::kToggleA},
      {"pressed beats selected", {true, false, false, true, false, true}, ButtonFace::kPressed},
      {"hover beats selected", {true, false, false, false, true, true}, ButtonFace::kHover},
      {"selected", {true, false, false, false, false, true}, ButtonFace::kSelected},
  };
  for (const auto& c : cases) EXPECT_EQ(skin::ChooseButtonFace(c.flags), c.face) << c.what;
  // Toggle faces keep the text colour of the last paint.
  EXPECT_EQ(skin::CaptionColourIndex(ButtonFace::kToggleA), -1);
  EXPECT_EQ(skin::CaptionColourIndex(ButtonFace::kSelected), 4);
}

TEST(ButtonFaceTest, CaptionFontHeightRoundsLikeMultiplyDivide) {
  EXPECT_EQ(skin::CaptionFontHeight(8, 96), -11);   // 10.67
  EXPECT_EQ(skin::CaptionFontHeight(9, 96), -12);   // exactly 12
  EXPECT_EQ(skin::CaptionFontHeight(8, 120), -13);  // 13.33
  EXPECT_EQ(skin::CaptionFontWeight(true), 956);
  EXPECT_EQ(skin::CaptionFontWeight(false), 400);
}

TEST(ButtonFaceTest, TurnedCaptionIsRecentredForItsExtent) {
  // Not turned: the left edge moves right by (width - W) / 2, the bottom up
  // by half the spare height less half the text height.
  EXPECT_EQ(skin::RotatedCaptionBox({0, 0, 100, 20}, 0, 30, 12),
            (skin::CaptionBox{35, 0, 100, 16}));
  // 45 degrees: the text takes 28 pixels across and 28 down.
  EXPECT_EQ(skin::RotatedCaptionBox({0, 0, 100, 50}, 450, 40, 10),
            (skin::CaptionBox{33, 0, 100, 42}));
  // Wider than the box: that edge stays.
  EXPECT_EQ(skin::RotatedCaptionBox({0, 0, 20, 20}, 0, 30, 12), (skin::CaptionBox{0, 0, 20, 16}));
}

}  // namespace
