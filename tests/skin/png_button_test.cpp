// Image buttons: what each state shows, where its picture is cut from, its
// frame and caption, and how clicks count.
#include "skin/png_button.h"

#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QMouseEvent>
#include <QSignalSpy>
#include <filesystem>
#include <fstream>

#include "skin/skin_placement.h"
#include "tests/support/sim_process.h"

namespace {

using skin::CPngButton;

// A state image whose pixel (x, y) is (x, y, tag): a grabbed button tells
// which image it drew and from where.
QPixmap CoordinateImage(int tag) {
  QImage image(200, 100, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(x, y, tag));
  return QPixmap::fromImage(image);
}

QRgb PixelOf(QWidget& widget, int x, int y) {
  return widget.grab().toImage().pixel(x, y);
}

class PngButtonTest : public ::testing::Test {
 protected:
  PngButtonTest() {
    for (int i = 0; i < 5; ++i) images[i] = CoordinateImage(10 * (i + 1));
    window.resize(200, 100);
    std::filesystem::create_directories(folder.path() + "/Skins");
    skinFile = folder.path() + "/Skins/Main.ini";
    std::ofstream(skinFile) << "[BUTTONINFO]\nAT_TEN=10,20,40,20\nAT_ONE=1,1,40,20\n"
                               "[BUTTONINFO2]\nSPRITE=50,60,8,8\n";
  }
  void Place(CPngButton& button, const char* key) {
    skin::PlaceImageButton(&button, skinFile, "BUTTONINFO", key, &images[0], &images[1], &images[2],
                           &images[3], &images[4]);
  }
  // Which state image a grabbed pixel came from.
  static int TagOf(QRgb pixel) { return qBlue(pixel) / 10 - 1; }

  testsupport::TempFolder folder;
  std::string skinFile;
  QPixmap images[5];
  QWidget window;
};

TEST_F(PngButtonTest, PlacementFromTheSkinFile) {
  CPngButton missing(&window), atOne(&window), atTen(&window);
  Place(missing, "NO_SUCH_KEY");
  Place(atOne, "AT_ONE");
  Place(atTen, "AT_TEN");
  EXPECT_EQ(missing.geometry(), QRect(1, 1, 1, 1));
  EXPECT_FALSE(missing.isEnabled());
  EXPECT_EQ(atOne.geometry(), QRect(1, 1, 40, 20));
  EXPECT_FALSE(atOne.isEnabled());
  EXPECT_EQ(atTen.geometry(), QRect(10, 20, 40, 20));
  EXPECT_TRUE(atTen.isEnabled());
  // Its picture starts one pixel up and left of its position.
  EXPECT_EQ(PixelOf(atTen, 0, 0), qRgb(9, 19, 10));
  EXPECT_EQ(PixelOf(atTen, 39, 19), qRgb(48, 38, 10));
}

TEST_F(PngButtonTest, OtherPlacementsMoveWithoutNewPictures) {
  CPngButton sprite(&window);
  skin::PlaceWithImageOrigin(&sprite, skinFile, "BUTTONINFO", "AT_TEN", "BUTTONINFO2", "SPRITE",
                             &images[2]);
  EXPECT_EQ(sprite.geometry(), QRect(10, 20, 40, 20));
  EXPECT_EQ(PixelOf(sprite, 0, 0), qRgb(49, 59, 30));
  sprite.setEnabled(false);  // one picture for every state
  EXPECT_EQ(PixelOf(sprite, 0, 0), qRgb(49, 59, 30));

  QWidget label(&window);
  label.resize(33, 11);
  skin::PlaceControlAt(&label, skinFile, "BUTTONINFO", "AT_TEN");
  EXPECT_EQ(label.geometry(), QRect(10, 20, 33, 11));
  skin::PlaceControl(&label, skinFile, "BUTTONINFO", "NO_SUCH_KEY");
  EXPECT_EQ(label.geometry(), QRect(1, 1, 1, 1));
}

TEST_F(PngButtonTest, EachStateShowsItsImage) {
  CPngButton button(&window);
  Place(button, "AT_TEN");
  QPixmap toggleA = CoordinateImage(60), toggleB = CoordinateImage(70);
  EXPECT_EQ(TagOf(PixelOf(button, 5, 5)), 0);
  button.SetSelected(true, true);
  EXPECT_EQ(TagOf(PixelOf(button, 5, 5)), 4);
  button.setDown(true);  // pressed beats selected
  EXPECT_EQ(TagOf(PixelOf(button, 5, 5)), 2);
  button.SetToggleImages(&toggleA, &toggleB, true, true, true);
  EXPECT_EQ(TagOf(PixelOf(button, 5, 5)), 6);
  button.setEnabled(false);  // disabled beats toggle
  EXPECT_EQ(TagOf(PixelOf(button, 5, 5)), 3);
}

TEST_F(PngButtonTest, HoverShowsTheHoverImageUntilTheMouseLeaves) {
  CPngButton button(&window);
  Place(button, "AT_TEN");
  button.SetTooltip("Apply the changes", true);
  button.SetTooltip("", true);  // an empty text keeps the previous one
  QEnterEvent enter(QPointF(5, 5), QPointF(15, 25), QPointF(15, 25));
  QCoreApplication::sendEvent(&button, &enter);
  EXPECT_TRUE(button.IsHovered());
  EXPECT_EQ(TagOf(PixelOf(button, 5, 5)), 1);
  EXPECT_EQ(button.toolTip(), "Apply the changes");
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&button, &leave);
  EXPECT_EQ(TagOf(PixelOf(button, 5, 5)), 0);
  // Placing the images again forgets hover and pressed.
  QCoreApplication::sendEvent(&button, &enter);
  button.setDown(true);
  Place(button, "AT_TEN");
  EXPECT_FALSE(button.IsHovered());
  EXPECT_FALSE(button.isDown());
}

TEST_F(PngButtonTest, FrameModeDrawsOnlyATwoPixelOutline) {
  CPngButton button(&window);
  Place(button, "AT_TEN");
  button.SetFrameMode(true, QColor(255, 0, 0));
  const QImage shot = button.grab().toImage();
  for (const QPoint p : {QPoint(1, 1), QPoint(1, 10), QPoint(38, 10), QPoint(20, 18)})
    EXPECT_EQ(shot.pixel(p), qRgb(255, 0, 0)) << p.x() << "," << p.y();
  EXPECT_NE(shot.pixel(20, 10), qRgb(255, 0, 0));
}

TEST_F(PngButtonTest, TurnedCaptionIsBoldAndRecentred) {
  CPngButton button(&window);
  Place(button, "AT_TEN");
  button.setText("OK");
  skin::CaptionStyle style;
  style.enabled = true;
  button.SetCaptionStyle(style);
  EXPECT_EQ(button.CaptionRect(), QRect(0, 0, 40, 20));
  button.SetCaptionRotation(0, true);
  EXPECT_GE(button.CaptionFont().weight(), QFont::Black);
  const int textWidth = QFontMetrics(button.CaptionFont()).horizontalAdvance("OK");
  EXPECT_EQ(button.CaptionRect().left(), (40 - textWidth) / 2);
}

TEST_F(PngButtonTest, ADoubleClickCountsAsASecondClick) {
  CPngButton button(&window);
  Place(button, "AT_TEN");
  bool normalDrawn = false;
  int paints = 0;
  button.SetAfterPaint([&](CPngButton*, bool normal) {
    ++paints;
    normalDrawn = normal;
  });
  QSignalSpy clicks(&button, &CPngButton::clicked);
  const QPointF at(5, 5);
  auto send = [&](QEvent::Type type) {
    QMouseEvent event(type, at, button.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&button, &event);
  };
  send(QEvent::MouseButtonPress);
  send(QEvent::MouseButtonRelease);
  send(QEvent::MouseButtonDblClick);
  send(QEvent::MouseButtonRelease);
  EXPECT_EQ(clicks.count(), 2);
  button.grab();
  EXPECT_GT(paints, 0);
  EXPECT_TRUE(normalDrawn);
}

}  // namespace
