// Skinned windows: size, shape and picture from the skin file, dragging,
// window messages, and the end of the program when a picture is missing.
#include "skin/base_dialog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <filesystem>
#include <fstream>

#include "skin/window_message.h"
#include "tests/support/sim_process.h"

namespace {

using skin::CBaseDialog;

class RecordingDialog : public CBaseDialog {
 public:
  using CBaseDialog::CBaseDialog;
  std::vector<platform::WindowMessage> messages;

 protected:
  void OnWindowMessage(const platform::WindowMessage& message) override {
    messages.push_back(message);
  }
};

class BaseDialogTest : public ::testing::Test {
 protected:
  BaseDialogTest() : skins(folder.path() + "/Skins"), skinFile(skins + "/Test.ini") {
    std::filesystem::create_directories(skins);
    QImage background(60, 40, QImage::Format_RGB32);
    background.fill(qRgb(20, 30, 40));
    background.save(QString::fromStdString(skins + "/test_normal.png"));
    // Inside: a 20 × 10 block at (5, 5) and, in row 30, two runs.
    QImage mask(60, 40, QImage::Format_RGB32);
    mask.fill(qRgb(255, 255, 255));
    for (int y = 5; y < 15; ++y)
      for (int x = 5; x < 25; ++x) mask.setPixel(x, y, qRgb(0, 0, 0));
    mask.setPixel(10, 30, qRgb(254, 255, 255));  // not exactly white: inside
    mask.setPixel(12, 30, qRgb(0, 0, 0));
    mask.save(QString::fromStdString(skins + "/test_mask.bmp"));
    QImage white(60, 40, QImage::Format_RGB32);
    white.fill(qRgb(255, 255, 255));
    white.save(QString::fromStdString(skins + "/white.bmp"));
  }
  void WriteSkin(const std::string& screen) { std::ofstream(skinFile) << "[SCREEN]\n" << screen; }

  testsupport::TempFolder folder;
  std::string skins;
  std::string skinFile;
};

TEST_F(BaseDialogTest, TakesSizePictureAndShapeFromTheSkin) {
  WriteSkin("Main=test_normal.png\nMask=test_mask.bmp\n");
  RecordingDialog dialog(131, nullptr, skinFile, skins);
  dialog.Initialise();
  EXPECT_EQ(dialog.size(), QSize(60, 40));
  QRegion expected(5, 5, 20, 10);
  expected += QRect(10, 30, 1, 1);
  expected += QRect(12, 30, 1, 1);
  EXPECT_TRUE(dialog.mask().xored(expected).isEmpty());
  EXPECT_EQ(dialog.grab().toImage().pixel(30, 20), qRgb(20, 30, 40));
  dialog.OnCancel();
  EXPECT_TRUE(dialog.background().isNull());  // released on closing
}

TEST_F(BaseDialogTest, AllWhiteMaskLeavesNothingOfTheWindow) {
  QImage white(60, 40, QImage::Format_RGB32);
  white.fill(qRgb(255, 255, 255));
  EXPECT_TRUE(CBaseDialog::ShapeFromMask(white).isEmpty());
}

TEST_F(BaseDialogTest, MaskDefaultsToTheBackground) {
  WriteSkin("Main=test_normal.png\n");
  RecordingDialog dialog(131, nullptr, skinFile, skins);
  dialog.Initialise();
  EXPECT_TRUE(dialog.mask().xored(QRegion(0, 0, 60, 40)).isEmpty());
}

TEST_F(BaseDialogTest, MissingPicturesEndTheProgramQuietly) {
  WriteSkin("Main=test_normal.png\nMask=gone.bmp\n");
  EXPECT_EXIT(
      {
        RecordingDialog dialog(131, nullptr, skinFile, skins);
        dialog.Initialise();
      },
      ::testing::ExitedWithCode(0), "");
  WriteSkin("");
  EXPECT_EXIT(
      {
        RecordingDialog dialog(131, nullptr, skinFile, skins);
        dialog.Initialise();
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(BaseDialogTest, PostedWindowMessagesReachTheWindow) {
  WriteSkin("Main=test_normal.png\n");
  RecordingDialog dialog(131, nullptr, skinFile, skins);
  skin::PostWindowMessage(&dialog, skin::kMsgSliderPosition, 1178, 4);
  EXPECT_TRUE(dialog.messages.empty());  // queued, not delivered at once
  QCoreApplication::sendPostedEvents();
  ASSERT_EQ(dialog.messages.size(), 1u);
  EXPECT_EQ(dialog.messages[0].id, skin::kMsgSliderPosition);
  EXPECT_EQ(dialog.messages[0].wParam, 1178u);
  EXPECT_EQ(dialog.messages[0].lParam, 4);
}

TEST_F(BaseDialogTest, DraggingTheSurfaceMovesTheWindow) {
  WriteSkin("Main=test_normal.png\n");
  RecordingDialog dialog(131, nullptr, skinFile, skins);
  dialog.move(100, 100);
  dialog.show();
  const QPoint start = dialog.pos();
  auto send = [&](QEvent::Type type, QPoint global, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(global - dialog.pos()), QPointF(global), Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &event);
  };
  send(QEvent::MouseButtonPress, start + QPoint(10, 10), Qt::LeftButton);
  send(QEvent::MouseMove, start + QPoint(40, 30), Qt::LeftButton);
  send(QEvent::MouseButtonRelease, start + QPoint(40, 30), Qt::NoButton);
  EXPECT_EQ(dialog.pos(), start + QPoint(30, 20));
  dialog.OnCancel();
}

}  // namespace
